"""One build's side of a comparison: fresh copies of the inputs, then every conversion of the
plan, and what each one printed and returned."""
import os
import shutil
import subprocess
from concurrent.futures import ThreadPoolExecutor

TIMEOUT = 120  # seconds for one conversion or one fw-multi-run process


def copy_tree(source, target):
    os.makedirs(os.path.dirname(target), exist_ok=True)
    subprocess.run(["cp", "-a", source, target], check=True)


def lay_run(inputs, run, pass_names, multi_run_projects):
    """A fresh copy of the inputs for every pass, for the extras and for fw-multi-run."""
    if os.path.exists(run):
        shutil.rmtree(run)
    copy_tree(os.path.join(inputs, "sets"), os.path.join(run, "sets"))
    for name in pass_names + ["extras", "multirun"]:
        copy_tree(os.path.join(inputs, "cases"), os.path.join(run, name, "cases"))
    for name in pass_names:
        copy_tree(os.path.join(inputs, "projects"), os.path.join(run, name, "projects"))
    os.makedirs(os.path.join(run, "multirun", "projects"))
    for p in multi_run_projects:
        copy_tree(os.path.join(inputs, "projects", p), os.path.join(run, "multirun", "projects", p))


def run_one(argv, cwd, stdin=None):
    try:
        p = subprocess.run(argv, cwd=cwd, input=stdin, capture_output=True, timeout=TIMEOUT)
        return [p.returncode, p.stdout, p.stderr]
    except subprocess.TimeoutExpired as e:
        return ["timeout", e.stdout or b"", e.stderr or b""]


def run_task(task, exe):
    return [run_one([exe if a == "{exe}" else a for a in argv], task["cwd"])
            for argv in task["runs"]]


def run_side(tasks, job_lists, formwright, multi_run, build_dirs, workers):
    """Runs the plan with one build. Returns {name: [[code, stdout, stderr], ...]}, with the
    build's folders in stdout and stderr written as @BUILD@."""
    log = {}
    with ThreadPoolExecutor(workers) as pool:
        for task, results in zip(tasks, pool.map(lambda t: run_task(t, formwright), tasks)):
            log[task["name"]] = results
        if multi_run:
            lists = ["".join(line + "\n" for line in jobs).encode() for jobs in job_lists]
            runs = pool.map(lambda jobs: run_one([multi_run], "/", jobs), lists)
            for i, result in enumerate(runs):
                log[f"multi-run {i + 1}"] = [result]
    for results in log.values():
        for result in results:
            for i in (1, 2):
                text = result[i].decode("latin-1")
                for folder in build_dirs:
                    text = text.replace(folder, "@BUILD@")
                result[i] = text
    return log
