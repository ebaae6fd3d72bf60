"""The conversions of a comparison: command lines run one by one, and job lists for
fw-multi-run. Both builds get the same plan; "{exe}" stands for the build's formwright."""
import os
import random

# Fresh copies of every input, each converted one way: the mode and the base units (None:
# the fonts are measured, so units found in one dialog carry over to the next).
PASSES = [("single-units", False, "6,13"), ("multi-units", True, "6,13"),
          ("single-measured", False, None), ("multi-measured", True, None)]
MULTI_RUN_PROCESSES = 4
MULTI_RUN_PROJECTS = 400


def conversion(script, root, set_name, multi, units, extra=()):
    argv = ["{exe}", "--template-root", root, "--template", set_name]
    argv += ["--multi"] if multi else []
    argv += ["--base-units", units] if units else []
    return argv + list(extra) + [script]


def items(run, folder, cases, projects):
    """(task name, script, template root, set) of every case and project copied to `folder`."""
    found = []
    for c in cases:
        found.append(("cases/" + c["case"], os.path.join(folder, "cases", c["case"], c["script"]),
                      os.path.join(run, "sets", c["root"]), c["set"]))
    for p in projects:
        base = os.path.join(folder, "projects", p)
        found.append(("projects/" + p, os.path.join(base, "work", "dialogs.rc"), base, "set"))
    return found


def pass_tasks(run, cases, projects):
    """Every script of every pass converted twice in a row: the second run finds the first
    one's outputs, backs them up when there is a bak/ folder and rewrites the project file."""
    tasks = []
    for name, multi, units in PASSES:
        for task, script, root, set_name in items(run, os.path.join(run, name), cases, projects):
            argv = conversion(script, root, set_name, multi, units)
            tasks.append({"name": name + "/" + task, "cwd": os.path.dirname(script),
                          "runs": [argv, argv]})
    return tasks


def extra_tasks(run, cases):
    """The options and failures that the passes leave out, on the example and test scripts."""
    tasks = []
    for task, script, root, set_name in items(run, os.path.join(run, "extras"), cases, []):
        folder = os.path.dirname(script)
        runs = [
            ["{exe}", "--base-units", "6,13", script],  # the build's own sets, the first one
            conversion(script, root, set_name, True, "6,13", ["--dry-run"]),
            conversion(script, root, set_name, True, None, ["--metrics", "3,5,20"]),
            conversion(script, root, set_name, False, "7,15", ["--metrics", "0,0,0"]),
            conversion(script, root, "NoSuchSet", False, "6,13"),
            conversion(os.path.join(folder, "absent.rc"), root, set_name, False, "6,13"),
            conversion(script, root, set_name.upper(), False, "6,13"),  # sets ignore case
        ]
        tasks.append({"name": "extras/" + task, "cwd": folder, "runs": runs})
    tasks.append({"name": "extras/usage", "cwd": run,
                  "runs": [["{exe}"], ["{exe}", "--help"], ["{exe}", "--version"],
                           ["{exe}", "--base-units", "6", "x.rc"], ["{exe}", "a.rc", "b.rc"]]})
    return tasks


def multi_run_jobs(run, cases, projects):
    """Job lists for fw-multi-run: each script twice, in another mode or with other units,
    shuffled with the others, so that what one run leaves in the state meets the next."""
    shuffle = random.Random(20240611)
    chosen = items(run, os.path.join(run, "multirun"), cases, projects[:MULTI_RUN_PROJECTS])
    lists = [[] for _ in range(MULTI_RUN_PROCESSES)]
    for i, (_, script, root, set_name) in enumerate(chosen):
        for _ in range(2):
            multi = shuffle.randrange(2)
            units = shuffle.choice(["-", "6,13", "8,16"])
            lists[i % MULTI_RUN_PROCESSES].append("\t".join(
                [script, root, set_name, str(multi), units]))
    for jobs in lists:
        shuffle.shuffle(jobs)
    return lists
