#!/usr/bin/env python3
"""Compares the dialogs that FullReader reads (through fw-model-dump) with an oracle's .res,
field by field: class, id, text, style, extended style, geometry, font, caption.

Usage: oracle_compare.py --dump FW_MODEL_DUMP [--constructs DIR] [--random N] [--start N]
                         [--realworld [DIR]] [--only NN,NN] [--verbose]

  --constructs DIR  every .rc of DIR (one construct each), against llvm-rc-14; a script may
                    name the oracle it needs in a comment "// oracle: windres"
  --random N        N random dialogs written into scripts of 50 dialogs each (--per-script M:
                    of M each), against llvm-rc-14
  --realworld DIR   the scripts of SURVEY.md (/work/shared/realworld), each prepared as
                    survey.py prepares it (oracle.py's --real-world fixes) and read by both
                    sides from the same copy; llvm-rc-14 first, then windres
Exit status: 0 when every construct and random dialog equals the oracle (the real scripts are
a report only), 1 otherwise, 77 when llvm-rc-14 is not installed (CTest's skip code).
"""
import argparse
import json
import os
import random
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "oracle"))
sys.path.insert(0, HERE)
import oracle  # noqa: E402
import survey  # noqa: E402
import random_scripts  # noqa: E402

DIALOG_FIELDS = ("style", "exStyle", "x", "y", "cx", "cy", "title", "class", "font", "itemCount")
ITEM_FIELDS = ("class", "id", "text", "style", "exStyle", "x", "y", "cx", "cy")
SKIP = 77


def run_dump(dump, script, includes=(), defines=(), language=None):
    cmd = [dump]
    for d in includes:
        cmd += ["--include", d]
    for d in defines:
        cmd += ["--define", d]
    if language is not None:
        cmd += ["--language", str(language)]
    run = subprocess.run(cmd + [script], capture_output=True, timeout=120)
    try:
        dialogs = json.loads(run.stdout.decode("utf-8", "replace"))
    except ValueError:
        dialogs = None
    return dialogs, run.stderr.decode("utf-8", "replace")


def _same(field, ours, theirs, loose):
    if loose and isinstance(ours, str) and isinstance(theirs, str):
        return ours.upper() == theirs.upper()
    return ours == theirs


def compare_dialog(ours, theirs, loose=False):
    """[differences] between one of our dialogs and the oracle's; `loose`: windres, which
    writes class names and ICON texts in upper case."""
    diffs = []
    for f in DIALOG_FIELDS:
        if not _same(f, ours.get(f), theirs.get(f), loose):
            diffs.append("dialog.%s: ours %r, oracle %r" % (f, ours.get(f), theirs.get(f)))
    for i, (a, b) in enumerate(zip(ours["items"], theirs["items"])):
        for f in ITEM_FIELDS:
            if not _same(f, a.get(f), b.get(f), loose):
                diffs.append("item %d (id %s).%s: ours %r, oracle %r"
                             % (i, b.get("id"), f, a.get(f), b.get(f)))
    return diffs


def _key(d):
    return (str(d["name"]).upper(), d["language"])


def match(ours, theirs):
    """[(our dialog, oracle dialog or None)] by name and language, in order among equals."""
    groups = {}
    for d in theirs:
        groups.setdefault(_key(d), []).append(d)
    pairs = []
    for d in ours:
        group = groups.get(_key(d), [])
        pairs.append((d, group.pop(0) if group else None))
    return pairs


def tally(ours, theirs, loose=False):
    """Counts and differences of our dialogs against the oracle's."""
    result = {"dialogs": len(ours), "controls": sum(len(d["items"]) for d in ours),
              "oracleDialogs": len(theirs),
              "oracleControls": sum(len(d["items"]) for d in theirs),
              "dialogsEqual": 0, "controlsEqual": 0, "unmatched": 0, "differences": []}
    for d, o in match(ours, theirs):
        if o is None:
            result["unmatched"] += 1
            result["differences"].append("dialog %r (language %#x): not in the oracle's .res"
                                         % (d["name"], d["language"]))
            continue
        diffs = compare_dialog(d, o, loose)
        if not diffs:
            result["dialogsEqual"] += 1
        bad_items = {int(x.split()[1]) for x in diffs if x.startswith("item ")}
        result["controlsEqual"] += sum(1 for i in range(min(len(d["items"]), len(o["items"])))
                                       if i not in bad_items)
        result["differences"] += ["%r: %s" % (d["name"], x) for x in diffs]
    return result


# ---------------------------------------------------------------------------------------------

def constructs(dump, folder, verbose):
    failed = 0
    for name in sorted(os.listdir(folder)):
        if not name.endswith(".rc"):
            continue
        path = os.path.join(folder, name)
        with open(path, encoding="utf-8") as f:
            text = f.read()
        which = "windres" if "// oracle: windres" in text else "llvm-rc"
        answer = oracle.compile_script(path, which, standin=True, transcode=True)
        ours, stderr = run_dump(dump, path)
        if answer["oracle"] is None or ours is None:
            why = answer["attempts"][-1]["error"] if answer["oracle"] is None else stderr
            print("FAIL %-28s %s did not answer: %s" % (name, which, why.strip()[:200]))
            failed += 1
            continue
        t = tally(ours, answer["dialogs"], loose=which == "windres")
        ok = (t["dialogsEqual"] == t["dialogs"] == t["oracleDialogs"])
        print("%s %-28s %s: %d/%d dialogs, %d/%d controls equal" % (
            "pass" if ok else "FAIL", name, which, t["dialogsEqual"], t["oracleDialogs"],
            t["controlsEqual"], t["oracleControls"]))
        if not ok:
            failed += 1
            for d in t["differences"][:10]:
                print("    " + d)
        if verbose and stderr.strip():
            print("    (ours) " + stderr.strip().replace("\n", "\n    (ours) "))
    return failed


def generated(dump, count, start, verbose, per_script=50):
    failed = 0
    total = {"dialogs": 0, "equal": 0, "controls": 0, "controlsEqual": 0}
    with tempfile.TemporaryDirectory(prefix="fw-random-") as work:
        rng = random.Random(start)
        made = 0
        index = 0
        while made < count:
            n = min(per_script, count - made)
            path = os.path.join(work, "random%03d.rc" % index)
            random_scripts.write_script(path, rng, n)
            answer = oracle.compile_script(path, "llvm-rc", standin=True, transcode=True)
            ours, stderr = run_dump(dump, path)
            if answer["oracle"] is None or ours is None:
                print("FAIL %s: %s" % (os.path.basename(path),
                                       (answer["attempts"][-1]["error"] or stderr)[:300]))
                keep = os.path.join(tempfile.gettempdir(), "fw-random-failed.rc")
                shutil.copy(path, keep)
                print("    kept as " + keep)
                failed += n
            else:
                t = tally(ours, answer["dialogs"])
                total["dialogs"] += t["oracleDialogs"]
                total["equal"] += t["dialogsEqual"]
                total["controls"] += t["oracleControls"]
                total["controlsEqual"] += t["controlsEqual"]
                bad = t["oracleDialogs"] - t["dialogsEqual"]
                if bad or t["dialogs"] != t["oracleDialogs"]:
                    failed += max(bad, 1)
                    keep = os.path.join(tempfile.gettempdir(), "fw-random-failed.rc")
                    shutil.copy(path, keep)
                    print("FAIL %s (random start %d): %d of %d dialogs differ (kept as %s)"
                          % (os.path.basename(path), start, bad, t["oracleDialogs"], keep))
                    for d in t["differences"][:10]:
                        print("    " + d)
            made += n
            index += 1
    print("random: %d dialogs in %d scripts, %d equal to llvm-rc; controls %d/%d equal" % (
        total["dialogs"], index, total["equal"], total["controlsEqual"], total["controls"]))
    return failed


def realworld(dump, folder, only, verbose):
    rows = []
    for sub, script_name, _ in survey.sources(folder):
        if only and sub[:2] not in only:
            continue
        script = os.path.join(folder, sub, script_name)
        options = argparse.Namespace(include=[], standin=True, transcode=True, fix_includes=True,
                                     stub_files=True, codepage=1252,
                                     force_include=list(survey.FRAGMENTS.get(sub[:2], ())))
        defines = list(survey.GENERATED.get(sub[:2], ()))
        row = {"folder": sub, "oracle": None}
        with tempfile.TemporaryDirectory(prefix="fw-compare-") as work:
            prep = oracle.prepare(script, work, options)
            theirs = None
            for name in oracle.ORACLES:
                theirs, error = oracle.run_oracle(name, prep, defines, True)
                if theirs is not None:
                    row["oracle"] = name
                    break
            includes = [d for d in prep.include_dirs if d != oracle.STANDIN]
            ours = []
            languages = sorted({d["language"] for d in theirs}) if theirs else [None]
            diagnostics = ""
            for language in languages:
                got, stderr = run_dump(dump, prep.script, includes, defines, language)
                ours += got or []
                diagnostics = diagnostics or stderr
        row["errors"] = sum(1 for l in diagnostics.splitlines() if ": error: " in l)
        if theirs is None:
            row.update({"dialogs": len(ours), "controls": sum(len(d["items"]) for d in ours)})
        else:
            row.update(tally(ours, theirs, loose=row["oracle"] == "windres"))
        rows.append(row)
        if row["oracle"]:
            print("%-32s %-8s read %3d dialogs %4d controls; oracle %3d/%4d; equal %3d dialogs "
                  "%4d controls" % (sub, row["oracle"], row["dialogs"], row["controls"],
                                    row["oracleDialogs"], row["oracleControls"],
                                    row["dialogsEqual"], row["controlsEqual"]))
        else:
            print("%-32s no oracle read %3d dialogs %4d controls (%d errors reported)"
                  % (sub, row["dialogs"], row["controls"], row["errors"]))
        if verbose:
            for d in row.get("differences", [])[:15]:
                print("    " + d)
    return rows


def main(argv):
    parser = argparse.ArgumentParser()
    parser.add_argument("--dump", required=True)
    parser.add_argument("--constructs")
    parser.add_argument("--random", type=int, default=0)
    parser.add_argument("--per-script", type=int, default=50)
    parser.add_argument("--start", type=int, default=1)
    parser.add_argument("--realworld", nargs="?", const=survey.DEFAULT_FOLDER)
    parser.add_argument("--only", default="")
    parser.add_argument("--json")
    parser.add_argument("--verbose", action="store_true")
    args = parser.parse_args(argv)
    if shutil.which(oracle.LLVM_RC) is None:
        print("%s is not installed: skipped" % oracle.LLVM_RC)
        return SKIP
    failed = 0
    if args.constructs:
        failed += constructs(args.dump, args.constructs, args.verbose)
    if args.random:
        failed += generated(args.dump, args.random, args.start, args.verbose, args.per_script)
    if args.realworld:
        only = [x for x in args.only.split(",") if x]
        rows = realworld(args.dump, args.realworld, only, args.verbose)
        if args.json:
            with open(args.json, "w") as f:
                json.dump(rows, f, indent=1)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
