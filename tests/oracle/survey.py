#!/usr/bin/env python3
"""Runs both oracles over the real resource scripts of /work/shared/realworld (or FOLDER) and
prints a table per script: encoding, which oracles read it (llvm-rc first, then windres, as
oracle.py --oracle auto does), dialogs and controls each made, how far the two agree, what had
to be stubbed, and why an oracle failed.

Usage: survey.py [--markdown] [--json FILE] [--only NN,NN] [FOLDER]

Every script runs with all of oracle.py's fixes (--real-world): stand-in headers, transcoding to
UTF-8, includes found without regard to folders and case, stand-ins for missing files; a few scripts
also get the version macros of their generated headers (GENERATED below) or the system headers
their parent script includes (FRAGMENTS below). The
script of a folder is the .rc that SOURCES.md names ("path"); the originals are only read.
"""
import argparse
import json
import os
import re
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import oracle  # noqa: E402

DEFAULT_FOLDER = "/work/shared/realworld"
# Macros of generated headers that SOURCES.md says were not saved (they feed VERSIONINFO only):
# made-up values, so that a missing version number does not hide a script's dialogs.
GENERATED = {
    "03": ["FILEVER=1,0,0,0", "PRODUCTVER=1,0,0,0", 'STRFILEVER="1.0.0.0"',
           'STRPRODUCTVER="1.0.0.0"'],
    "14": ["CI_VERSION_MAJOR=0", "CI_VERSION_MINOR=0", "CI_VERSION_PATCH=0"],
    "20": ["AP_SERVER_PATCHLEVEL_CSV=2,4,0", "AP_SERVER_DEVBUILD_BOOLEAN=0",
           'AP_SERVER_BASEVENDOR="x"', 'AP_SERVER_BASEREVISION="2.4.0"',
           'AP_SERVER_COPYRIGHT="x"'],
    "33": ["rmj=1", "rmm=0", "rup=0", "rel=0"],
    "41": ['GIT_DESCRIPTION="x"', 'GIT_VERSION="x"'],
}
# Scripts that are fragments of a parent script, which includes the system headers first.
FRAGMENTS = {"44": ["windows.h"]}


def sources(folder):
    """[(subfolder, script file name, encoding)] from SOURCES.md's table, else every .rc."""
    listing = os.path.join(folder, "SOURCES.md")
    found = []
    if os.path.exists(listing):
        with open(listing, encoding="utf-8") as f:
            for line in f:
                cells = [c.strip() for c in line.strip().strip("|").split("|")]
                if len(cells) >= 6 and re.match(r"\d\d-", cells[0]):
                    found.append((cells[0], os.path.basename(cells[2]), cells[5]))
    if not found:
        for sub in sorted(os.listdir(folder)):
            path = os.path.join(folder, sub)
            if os.path.isdir(path):
                for name in sorted(os.listdir(path)):
                    if name.lower().endswith(".rc"):
                        found.append((sub, name, ""))
    return found


def controls(dialogs):
    return sum(len(d["items"]) for d in dialogs)


def _key(dialog):
    return (str(dialog["name"]).upper(), dialog["language"])


def _case_only(a, b):
    both_text = isinstance(a, str) and isinstance(b, str)
    return " (case only)" if both_text and a.upper() == b.upper() else ""


def differences(a, b):
    """{field: count} over the dialogs both lists hold (matched by name and language, and by
    position among equal keys); "missing" counts dialogs only one list has."""
    counts = {}

    def bump(field):
        counts[field] = counts.get(field, 0) + 1

    groups = {}
    for d in a:
        groups.setdefault(_key(d), [[], []])[0].append(d)
    for d in b:
        groups.setdefault(_key(d), [[], []])[1].append(d)
    for left, right in groups.values():
        for x, y in zip(left, right):
            for field in x:
                if field != "items" and x[field] != y.get(field):
                    bump("dialog." + field + _case_only(x[field], y.get(field)))
            if len(x["items"]) != len(y["items"]):
                bump("dialog.itemCount")
            for i, j in zip(x["items"], y["items"]):
                for field in i:
                    if i[field] != j.get(field):
                        bump("control." + field + _case_only(i[field], j.get(field)))
        if len(left) != len(right):
            bump("missing")
    return counts


def survey_one(folder, sub, script_name):
    script = os.path.join(folder, sub, script_name)
    start = time.time()
    result = oracle.compile_script(script, "auto", define=GENERATED.get(sub[:2], ()),
                                   force_include=FRAGMENTS.get(sub[:2], ()),
                                   standin=True, transcode=True, fix_includes=True,
                                   stub_files=True, try_all=True)
    row = {"folder": sub, "script": script_name, "answered": result["oracle"],
           "seconds": round(time.time() - start, 1), "notes": result["notes"]}
    for attempt in result["attempts"]:
        name = attempt["oracle"]
        dialogs = result["byOracle"].get(name)
        row[name] = {"ok": attempt["ok"], "error": attempt["error"],
                     "dialogs": len(dialogs) if dialogs is not None else None,
                     "controls": controls(dialogs) if dialogs is not None else None}
    both = result["byOracle"]
    if len(both) == 2:
        row["differences"] = differences(both["llvm-rc"], both["windres"])
    return row


def stub_summary(notes):
    kinds = {"transcoded": 0, "includes redirected": 0, "includes stubbed": 0,
             "files stubbed": 0}
    for note in notes:
        if " to UTF-8" in note:
            kinds["transcoded"] += 1
        elif note.startswith("include ") and "missing" in note:
            kinds["includes stubbed"] += 1
        elif note.startswith("include "):
            kinds["includes redirected"] += 1
        elif note.startswith("stand-in file"):
            kinds["files stubbed"] += 1
    return kinds


def _cell(entry):
    if entry is None:
        return "-"
    if not entry["ok"]:
        return "fails"
    return "%d / %d" % (entry["dialogs"], entry["controls"])


def markdown(rows, encodings):
    out = ["| folder | script | encoding | llvm-rc dialogs / controls | windres dialogs / controls"
           " | answered | differences llvm-rc vs windres | stand-ins | failures |",
           "|---|---|---|---|---|---|---|---|---|"]
    for row in rows:
        diff = row.get("differences")
        if diff is None:
            diff_text = "-"
        elif not diff:
            diff_text = "none"
        else:
            diff_text = ", ".join("%s %d" % (k, v) for k, v in sorted(diff.items()))
        stubs = stub_summary(row["notes"])
        stub_text = ", ".join("%s %d" % (k, v) for k, v in stubs.items() if v) or "none"
        failures = "; ".join("%s: %s" % (name, row[name]["error"].replace("|", "/"))
                             for name in oracle.ORACLES
                             if name in row and not row[name]["ok"])
        out.append("| %s | %s | %s | %s | %s | %s | %s | %s | %s |" % (
            row["folder"], row["script"], encodings.get(row["folder"], ""),
            _cell(row.get("llvm-rc")), _cell(row.get("windres")), row["answered"] or "none",
            diff_text, stub_text, failures or ""))
    return "\n".join(out)


def totals(rows):
    t = {"scripts": len(rows)}
    for name in oracle.ORACLES:
        read = [r[name] for r in rows if r.get(name, {}).get("ok")]
        t[name] = {"read": len(read), "dialogs": sum(e["dialogs"] for e in read),
                   "controls": sum(e["controls"] for e in read)}
    answered = [r for r in rows if r["answered"]]
    t["answered"] = {"scripts": len(answered),
                     "dialogs": sum(r[r["answered"]]["dialogs"] for r in answered),
                     "controls": sum(r[r["answered"]]["controls"] for r in answered)}
    both = [r for r in rows if "differences" in r]
    t["both"] = {"scripts": len(both), "agree": sum(1 for r in both if not r["differences"])}
    fields = {}
    for r in both:
        for k, v in r["differences"].items():
            fields[k] = fields.get(k, 0) + v
    t["both"]["fields"] = fields
    stubs = {}
    for r in rows:
        for k, v in stub_summary(r["notes"]).items():
            stubs[k] = stubs.get(k, 0) + v
    t["stand-ins"] = stubs
    return t


def main(argv):
    parser = argparse.ArgumentParser()
    parser.add_argument("folder", nargs="?", default=DEFAULT_FOLDER)
    parser.add_argument("--markdown", action="store_true", help="print a Markdown table")
    parser.add_argument("--json", metavar="FILE", help="write every row, notes included")
    parser.add_argument("--only", help="comma-separated folder number prefixes")
    args = parser.parse_args(argv)
    entries = sources(args.folder)
    if args.only:
        wanted = args.only.split(",")
        entries = [e for e in entries if any(e[0].startswith(w) for w in wanted)]
    rows = []
    encodings = {sub: enc for sub, _, enc in entries}
    for sub, name, _ in entries:
        row = survey_one(args.folder, sub, name)
        rows.append(row)
        if not args.markdown:
            print("%-28s %-24s llvm-rc %-10s windres %-10s answered %-7s %5.1fs %s" % (
                sub, name, _cell(row.get("llvm-rc")), _cell(row.get("windres")),
                row["answered"] or "none", row["seconds"],
                "; ".join("%s: %s" % (n, row[n]["error"]) for n in oracle.ORACLES
                          if n in row and not row[n]["ok"])[:300]), flush=True)
    summary = totals(rows)
    if args.markdown:
        print(markdown(rows, encodings))
        print()
    print(json.dumps(summary, indent=1))
    if args.json:
        with open(args.json, "w") as f:
            json.dump({"rows": rows, "totals": summary}, f, indent=1)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
