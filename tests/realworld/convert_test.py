#!/usr/bin/env python3
"""Converts the real resource scripts with a template set, narrow and --full-syntax, in
single-file and multi-file mode, and checks what the generated code must be in every case.

Usage: convert_test.py --formwright EXE --template-root DIR [--template NAME]
                       [--realworld DIR] [--only NN,NN] [--markdown]

The scripts are those of <repo>/../shared/realworld: the .rc that SOURCES.md names in each
folder. They are only read: every run converts a fresh copy in a temporary folder, since the
outputs go beside the script. Without that folder the test is skipped (exit 77).

Each of the four runs of a script must
  - end by itself within the time limit, with exit code 0, or 3 when each output not written
    is a dialog include whose name cannot be a file name (counted, not a failure);
  - leave no placeholder ("~NAME~") in any .bas or .bi;
  - name every generated procedure (sub, function, declare sub, declare function) with a BASIC
    identifier, defined once and declared once within the main source and its include files,
    letter case ignored (in the narrow reading, which converts every definition of a dialog
    name, as one dialog in two LANGUAGE blocks, the procedures of such a dialog are noted);
  - include each dialog's file once (letter case ignored), a file the run wrote.

Dialogs and controls are counted in the output (a dialog's "_Create" procedure, a control's
CreateWindowEx call), so a control whose class has no template is not counted.
Exit status 0 when every run passes, 1 otherwise, 77 when the scripts are absent.
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
DEFAULT_FOLDER = os.path.join(os.path.dirname(REPO), "shared", "realworld")
SKIP = 77
TIME_LIMIT = 60  # seconds per run; the largest script takes well under one

PLACEHOLDER = re.compile(rb"~[A-Z_]+~")
PROCEDURE = re.compile(rb"^(declare[ \t]+)?(?:sub|function)[ \t]+([^(\r\n]*)\(", re.I | re.M)
IDENTIFIER = re.compile(rb"^[A-Za-z_][A-Za-z0-9_]*$")
CREATE_NAME = re.compile(rb"^function ([^(\r\n]*)_Create\(byval hParent", re.M)
CONTROL = re.compile(rb"^\thCtl = CreateWindowEx\(", re.M)
INCLUDE = re.compile(rb'^#include once "([^"\r\n]*\.bi)"', re.M)
NOT_WRITTEN = re.compile(r"^formwright: error: (.*?): (.*)$", re.M)

MODES = [("narrow", []), ("full", ["--full-syntax"])]
LAYOUTS = [("single", []), ("multi", ["--multi"])]


def sources(folder):
    """[(subfolder, script name)] from SOURCES.md's table."""
    found = []
    with open(os.path.join(folder, "SOURCES.md"), encoding="utf-8") as f:
        for line in f:
            cells = [c.strip() for c in line.strip().strip("|").split("|")]
            if len(cells) >= 3 and re.match(r"\d\d-", cells[0]):
                found.append((cells[0], os.path.basename(cells[2])))
    return found


def snapshot(folder):
    """{name: bytes} of the folder's files."""
    files = {}
    for name in os.listdir(folder):
        path = os.path.join(folder, name)
        if os.path.isfile(path):
            with open(path, "rb") as f:
                files[name] = f.read()
    return files


def outputs_of(before, after):
    """The .bas and .bi files the run made or changed."""
    return {name: data for name, data in after.items()
            if name.lower().endswith((".bas", ".bi")) and before.get(name) != data}


def repeated_dialogs(outputs):
    """The dialog names converted more than once (letter case ignored), in lower case."""
    names = [d.lower() for data in outputs.values() for d in CREATE_NAME.findall(data)]
    return {n for n in names if names.count(n) > 1}


def repeated(text, dialogs):
    """Whether a procedure or include name belongs to a dialog converted more than once."""
    low = text.lower().encode("latin-1")
    return any(low.startswith(d + b"_") or low == d + b".bi" for d in dialogs)


def check_names(outputs, problems, notes, allowed=frozenset()):
    """Every procedure name an identifier, defined once and declared once (case ignored); a
    name of a dialog in `allowed` (converted more than once) is only noted."""
    defined, declared = {}, {}
    for name, data in sorted(outputs.items()):
        for match in PROCEDURE.finditer(data):
            proc = match.group(2).strip()
            text = proc.decode("latin-1")
            if not IDENTIFIER.match(proc):
                problems.append(f"{name}: procedure name is not an identifier: {text!r}")
                continue
            seen = declared if match.group(1) else defined
            key = text.lower()
            if key in seen:
                kind = "declared" if match.group(1) else "defined"
                where = notes if repeated(text, allowed) else problems
                where.append(f"{name}: procedure {kind} twice: {text} (also {seen[key]})")
            else:
                seen[key] = name


def check_includes(main, outputs, problems, notes, allowed=frozenset()):
    """Each dialog's include named once by the main source, and written (or refused: a note).
    The includes of the main template itself (windows.bi...) are not the run's."""
    data = outputs.get(main, b"")
    dialogs = {d.lower() for d in CREATE_NAME.findall(data)}
    seen = set()
    written = {name.lower() for name in outputs}
    for include in INCLUDE.findall(data):
        name = include.decode("latin-1")
        if name[:-3].lower().encode("latin-1") not in dialogs:
            continue
        if name.lower() in seen:
            (notes if repeated(name, allowed) else problems).append(
                f"{main}: includes {name} twice")
        elif name.lower() not in written and not any(name in n for n in notes):
            problems.append(f"{main}: includes {name}, which was not written")
        seen.add(name.lower())


def check_placeholders(outputs, problems):
    for name, data in sorted(outputs.items()):
        for found in sorted(set(PLACEHOLDER.findall(data))):
            problems.append(f"{name}: placeholder left: {found.decode()}")


def check_exit(code, stderr, problems, notes):
    """0, or 3 when every output not written is an include a dialog name cannot name."""
    if code < 0:
        problems.append(f"killed by signal {-code}")
    elif code == 3:
        refused = NOT_WRITTEN.findall(stderr)
        for path, why in refused:
            if path.lower().endswith(".bi") and "file name" in why:
                notes.append(f"not written: {os.path.basename(path)}: {why}")
            else:
                problems.append(f"not written: {os.path.basename(path)}: {why}")
        if not refused:
            problems.append("exit code 3 with no output named")
    elif code != 0:
        problems.append(f"exit code {code}: {stderr.strip().splitlines()[-1:]}")


def convert(args, source, script, options):
    """One run on a fresh copy: a result dict."""
    result = {"problems": [], "notes": [], "dialogs": 0, "controls": 0, "outputs": 0}
    with tempfile.TemporaryDirectory(prefix="fw-realworld-") as tmp:
        work = os.path.join(tmp, "s")
        shutil.copytree(source, work)
        before = snapshot(work)
        command = [args.formwright, "--template", args.template, "--template-root",
                   args.template_root, "--base-units", "6,13", *options, script]
        try:
            run = subprocess.run(command, cwd=work, capture_output=True, timeout=TIME_LIMIT)
        except subprocess.TimeoutExpired:
            result["problems"].append(f"no end within {TIME_LIMIT} s")
            return result
        stderr = run.stderr.decode("utf-8", "replace")
        check_exit(run.returncode, stderr, result["problems"], result["notes"])
        outputs = outputs_of(before, snapshot(work))
        result["outputs"] = len(outputs)
        result["code"] = run.returncode
        check_placeholders(outputs, result["problems"])
        # The narrow reading converts every definition of a dialog name (one dialog in two
        # LANGUAGE blocks), as it always has: their procedures meet, which is noted; the
        # whole language converts each name once.
        allowed = repeated_dialogs(outputs) if "--full-syntax" not in options else frozenset()
        for d in sorted(allowed):
            result["notes"].append(f"dialog {d.decode('latin-1')} converted more than once")
        check_names(outputs, result["problems"], result["notes"], allowed)
        main = script.split(".")[0] + ".bas"
        check_includes(main, outputs, result["problems"], result["notes"], allowed)
        for data in outputs.values():
            result["dialogs"] += len(CREATE_NAME.findall(data))
            result["controls"] += len(CONTROL.findall(data))
    return result


def run_script(args, folder, sub, script):
    """{mode: {layout: result}} for one script."""
    results = {}
    for mode, mode_options in MODES:
        results[mode] = {}
        for layout, layout_options in LAYOUTS:
            source = os.path.join(folder, sub)
            results[mode][layout] = convert(args, source, script, mode_options + layout_options)
    return results


def row(sub, runs):
    """One line of a mode's table: dialogs and controls of the single-file run."""
    single, multi = runs["single"], runs["multi"]
    problems = len(single["problems"]) + len(multi["problems"])
    codes = f"{single.get('code', '-')}/{multi.get('code', '-')}"
    return (f"| {sub} | {codes} | {single['dialogs']} | {single['controls']} | "
            f"{single['outputs']}/{multi['outputs']} | {problems} |")


def report(all_results):
    failed = False
    for mode, _ in MODES:
        print(f"\n## {mode}\n")
        print("| script | exit single/multi | dialogs | controls | outputs single/multi | problems |")
        print("|---|---|---|---|---|---|")
        totals = [0, 0, 0, 0]
        for sub, results in all_results:
            runs = results[mode]
            print(row(sub, runs))
            totals[0] += 1
            totals[1] += runs["single"]["dialogs"]
            totals[2] += runs["single"]["controls"]
            totals[3] += sum(len(r["problems"]) for r in runs.values())
        print(f"| total: {totals[0]} scripts | | {totals[1]} | {totals[2]} | | {totals[3]} |")
    for sub, results in all_results:
        for mode, _ in MODES:
            for layout, _ in LAYOUTS:
                r = results[mode][layout]
                for note in r["notes"]:
                    print(f"note: {sub} {mode} {layout}: {note}")
                for problem in r["problems"]:
                    failed = True
                    print(f"FAIL: {sub} {mode} {layout}: {problem}")
    return failed


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--formwright", required=True)
    parser.add_argument("--template-root", required=True)
    parser.add_argument("--template", default="winapi")
    parser.add_argument("--realworld", default=DEFAULT_FOLDER)
    parser.add_argument("--only", default="", help="folder numbers, e.g. 05,18")
    args = parser.parse_args(argv)
    args.formwright = os.path.abspath(args.formwright)
    args.template_root = os.path.abspath(args.template_root)
    if not os.path.isfile(os.path.join(args.realworld, "SOURCES.md")):
        print(f"skipped: no real scripts in {args.realworld}")
        return SKIP
    only = {n for n in args.only.split(",") if n}
    all_results = []
    for sub, script in sources(args.realworld):
        if only and sub[:2] not in only:
            continue
        all_results.append((sub, run_script(args, args.realworld, sub, script)))
    return 1 if report(all_results) else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
