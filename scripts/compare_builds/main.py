"""The comparison itself, once both builds are there: see scripts/compare-builds."""
import argparse
import json
import os
import shutil
import sys
import time

import differences
import inputs
import plan
import runs


def parse(argv):
    p = argparse.ArgumentParser(prog="compare-builds")
    p.add_argument("--source", required=True, help="the working tree (inputs come from it)")
    p.add_argument("--area", required=True, help="scratch folder of the comparison")
    p.add_argument("--writer", required=True, help="fw-write-projects of the working tree")
    p.add_argument("--old", nargs=3, metavar=("FORMWRIGHT", "MULTI_RUN", "BUILD"), required=True)
    p.add_argument("--new", nargs=3, metavar=("FORMWRIGHT", "MULTI_RUN", "BUILD"), required=True)
    p.add_argument("--label", default="REV", help="what the old build was built from")
    p.add_argument("--projects", type=int, default=2000)
    p.add_argument("--start", type=int, default=1)
    p.add_argument("--expect", default="")
    p.add_argument("--workers", type=int, default=2)
    p.add_argument("--keep", action="store_true",
                   help="keep the inputs, both runs' folders and their logs (SIDE-log.json)")
    return p.parse_args(argv)


def main(argv):
    a = parse(argv)
    began = time.time()
    source_inputs = os.path.join(a.area, "inputs")
    run = os.path.join(a.area, "run")
    for folder in (source_inputs, run, os.path.join(a.area, "old"), os.path.join(a.area, "new")):
        shutil.rmtree(folder, ignore_errors=True)
    for side in ("old", "new"):
        if os.path.exists(os.path.join(a.area, side + "-log.json")):
            os.remove(os.path.join(a.area, side + "-log.json"))
    cases, projects = inputs.lay_out(a.source, source_inputs, a.writer, a.projects, a.start)
    tasks = plan.pass_tasks(run, cases, projects) + plan.extra_tasks(run, cases)
    multi_run = os.access(a.old[1], os.X_OK) and os.access(a.new[1], os.X_OK)
    job_lists = plan.multi_run_jobs(run, cases, projects) if multi_run else []
    chosen = projects[:plan.MULTI_RUN_PROJECTS] if multi_run else []
    logs = {}
    for side, (formwright, multi, build) in (("old", a.old), ("new", a.new)):
        t = time.time()
        runs.lay_run(source_inputs, run, [p[0] for p in plan.PASSES], chosen)
        build_dirs = sorted({os.path.realpath(build), build}, key=len, reverse=True)
        logs[side] = runs.run_side(tasks, job_lists, formwright, multi if multi_run else None,
                                   build_dirs, a.workers)
        os.rename(run, os.path.join(a.area, side))
        if a.keep:
            with open(os.path.join(a.area, side + "-log.json"), "w") as f:
                json.dump({"tasks": tasks, "multi-run": job_lists, "results": logs[side]}, f,
                          indent=1)
        print(f"compare-builds: {side} build ran in {time.time() - t:.0f} s", flush=True)
    t = time.time()
    found, files = differences.compare_trees(os.path.join(a.area, "old"),
                                             os.path.join(a.area, "new"))
    found += differences.compare_logs(logs["old"], logs["new"])
    print(f"compare-builds: compared in {time.time() - t:.0f} s", flush=True)
    patterns = differences.read_expected(a.expect)
    unexpected, expected, unused = differences.split_expected(found, patterns)
    report(a, cases, projects, tasks, job_lists, files, unexpected, expected, unused)
    if not a.keep:
        for side in ("old", "new"):
            shutil.rmtree(os.path.join(a.area, side), ignore_errors=True)
        shutil.rmtree(source_inputs, ignore_errors=True)
    print(f"compare-builds: {time.time() - began:.0f} s in all")
    return 1 if unexpected else 0


def report(a, cases, projects, tasks, job_lists, files, unexpected, expected, unused):
    command_lines = sum(len(t["runs"]) for t in tasks)
    jobs = sum(len(j) for j in job_lists)
    scripts = len(cases) + len(projects)
    with open(os.path.join(a.area, "differences.txt"), "w", encoding="latin-1") as f:
        for title, items in (("unexpected", unexpected), ("expected", expected)):
            for key, detail in items:
                f.write(f"{title}: {key}\n{detail}\n\n")
    print(f"compare-builds: {a.label} (old) against the working tree (new)")
    print(f"  scripts: {scripts} ({len(cases)} example and test cases, {len(projects)} random "
          f"projects)")
    print(f"  conversions per build: {command_lines} command lines, {jobs} fw-multi-run jobs"
          + ("" if job_lists else " (no fw-multi-run on one side: skipped)"))
    print(f"  files compared: {files}")
    print(f"  differences: {len(unexpected)} unexpected, {len(expected)} expected")
    for pattern in unused:
        print(f"  expected difference that did not occur: {pattern}")
    for key, detail in unexpected[:30]:
        print(f"DIFFERENT {key}\n" + "\n".join("    " + line for line in detail.splitlines()))
    if len(unexpected) > 30:
        print(f"  ... {len(unexpected) - 30} more")
    if unexpected or expected:
        print(f"  every difference: {os.path.join(a.area, 'differences.txt')}")


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
