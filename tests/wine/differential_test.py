#!/usr/bin/env python3
"""The Windows and the Linux command lines must convert alike.

Every example script and every end-to-end fixture script is converted with every template set
of the shipped and the test template roots, in both modes and with two settings of
--base-units and --metrics, twice in a row (so the second run makes backups and reads the
project file the first one wrote), once by each program in a folder of its own. The folders
must then hold the same files with the same bytes, apart from each run's own script path without extension; the exit
codes and the number of diagnostics must agree.

Usage: differential_test.py --linux FORMWRIGHT --windows FORMWRIGHT-CLI.EXE
                            --wine-run WINE-RUN.SH --prefix WINEPREFIX
"""
import argparse
import glob
import os
import shutil
import subprocess
import sys
import tempfile

from compare_folders import differences, snapshot

SOURCE = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
UNITS = [("6,13", "4,4,19"), ("7,15", "3,2,18")]


def scripts():
    found = glob.glob(os.path.join(SOURCE, "examples", "*.rc"))
    found += glob.glob(os.path.join(SOURCE, "tests", "**", "fixtures", "**", "*.rc"),
                       recursive=True)
    return sorted(set(found))


def template_sets():
    """(root, set name) for every NAME.tpl in each template root."""
    roots = [os.path.join(SOURCE, "templates"), os.path.join(SOURCE, "tests", "cli", "fixtures",
                                                             "root"),
             os.path.join(SOURCE, "tests", "hostile", "set")]
    sets = []
    for root in roots:
        for tpl in sorted(glob.glob(os.path.join(root, "*.tpl"))):
            sets.append((root, os.path.basename(tpl)[:-4]))
    return sets


def wine_path(path, forward=False):
    """The Wine path of a Linux path on drive Z:, with '\\' or, to check both, '/'."""
    return "Z:" + (path if forward else path.replace("/", "\\"))


def script_base(script_path):
    folder, name = os.path.split(script_path)
    return os.path.join(folder, name.split(".")[0])


def run(cmd):
    p = subprocess.run(cmd, capture_output=True, timeout=120)
    return p.returncode, p.stderr.decode("latin-1").count("\n")


def prepare(folder, script):
    os.makedirs(os.path.join(folder, "bak"))
    shutil.copy(script, folder)
    return os.path.join(folder, os.path.basename(script))


def check_case(args, tmp, n, script, root, name, multi, units, metrics):
    linux_dir = os.path.join(tmp, str(n), "linux")
    windows_dir = os.path.join(tmp, str(n), "windows")
    linux_script = prepare(linux_dir, script)
    windows_script = prepare(windows_dir, script)
    options = ["--template", name, "--base-units", units, "--metrics", metrics]
    if multi:
        options.append("--multi")
    # The multi-file runs give the Windows program '/' separators, the others '\'.
    linux_cmd = [args.linux, "--template-root", root] + options + [linux_script]
    windows_cmd = [args.wine_run, args.prefix, args.windows,
                   "--template-root", wine_path(root, multi)] + options + [
                       wine_path(windows_script, multi)]
    problems = []
    for attempt in (1, 2):
        linux_result = run(linux_cmd)
        windows_result = run(windows_cmd)
        if linux_result != windows_result:
            problems.append(f"run {attempt}: exit code and diagnostics (Linux, Windows): "
                            f"{linux_result} vs {windows_result}")
    problems += differences(snapshot(linux_dir, script_base(linux_script)),
                            snapshot(windows_dir, wine_path(script_base(windows_script))),
                            "linux", "windows")
    return problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--linux", required=True)
    parser.add_argument("--windows", required=True)
    parser.add_argument("--wine-run", required=True)
    parser.add_argument("--prefix", required=True)
    args = parser.parse_args()

    tmp = tempfile.mkdtemp(prefix="fw-differential-")
    cases = failures = 0
    try:
        for script in scripts():
            for root, name in template_sets():
                for multi in (False, True):
                    for units, metrics in UNITS:
                        cases += 1
                        problems = check_case(args, tmp, cases, script, root, name, multi,
                                              units, metrics)
                        if problems:
                            failures += 1
                            print(f"DIFFERENT: {os.path.relpath(script, SOURCE)} with set "
                                  f"{name} ({os.path.relpath(root, SOURCE)}), "
                                  f"{'multi' if multi else 'single'}, units {units}, "
                                  f"metrics {metrics}")
                            for p in problems:
                                print("  " + p.replace("\n", "\n  "))
    finally:
        shutil.rmtree(tmp, ignore_errors=True)
    print(f"differential: {cases} cases, {cases - failures} identical, {failures} different")
    return 1 if failures or cases == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
