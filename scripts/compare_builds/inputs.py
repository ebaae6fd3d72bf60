"""The inputs both builds convert, laid out once, and the conversions to make of them.

Layout of an inputs folder (every path below it is the same for both builds):
  sets/shipped/            the shipped template sets (templates/)
  sets/<name>/             a folder of sets found beside scripts under tests/
  cases/<case>/<script>    one example or test script per case and set, with an empty bak/
  projects/pNNNNN/         random projects (fw-write-projects): set.tpl, set/, work/dialogs.rc
"""
import os
import shutil
import subprocess

# Scripts outside tests/ that a test converts with a set of its own under tests/.
EXTRA_SCRIPTS = [("sample/dlgsample.rc", "tests/sample/templates")]


def template_sets(root):
    """The sets of a template root: each NAME.tpl that has a folder NAME/ beside it."""
    sets = []
    for name in sorted(os.listdir(root)):
        stem = name[:-4]
        if name.lower().endswith(".tpl") and os.path.isdir(os.path.join(root, stem)):
            sets.append(stem)
    return sets


def nearest_roots(script, top):
    """The template roots next to a script: the nearest folder, from the script's own up to
    `top`, that holds sets itself or in one of its subfolders."""
    folder = os.path.dirname(script)
    while True:
        found = [c for c in [folder] + sorted(
            os.path.join(folder, d) for d in os.listdir(folder)
            if os.path.isdir(os.path.join(folder, d))) if template_sets(c)]
        if found or os.path.samefile(folder, top):
            return found
        folder = os.path.dirname(folder)


def copy_root(source, target):
    """A template root's sets only: NAME.tpl and NAME/ of each."""
    os.makedirs(target, exist_ok=True)
    for name in template_sets(source):
        shutil.copy2(os.path.join(source, name + ".tpl"), target)
        shutil.copytree(os.path.join(source, name), os.path.join(target, name))


def slug(path):
    return path.replace(os.sep, "-").replace(".", "_")


def add_case(inputs, cases, name, script, root_key, sets):
    """One case per set, each in a folder of its own, so that no set sees another's outputs."""
    for s in sets:
        case = name + "-" + s
        folder = os.path.join(inputs, "cases", case)
        os.makedirs(os.path.join(folder, "bak"))
        shutil.copy2(script, folder)
        cases.append({"case": case, "script": os.path.basename(script), "root": root_key,
                      "set": s})


def lay_out(source, inputs, writer, projects, start):
    """Writes the inputs under `inputs` and returns the conversion cases (script, root, set)
    and the project names."""
    cases = []
    shipped = os.path.join(source, "templates")
    copy_root(shipped, os.path.join(inputs, "sets", "shipped"))
    shipped_sets = template_sets(shipped)
    for name in sorted(os.listdir(os.path.join(source, "examples"))):
        if name.lower().endswith(".rc"):
            add_case(inputs, cases, "examples-" + slug(name),
                     os.path.join(source, "examples", name), "shipped", shipped_sets)
    scripts = []
    tests = os.path.join(source, "tests")
    for folder, _, names in sorted(os.walk(tests)):
        for name in sorted(names):
            if name.lower().endswith(".rc"):
                script = os.path.join(folder, name)
                scripts.append((script, nearest_roots(script, tests)))
    for script, root in EXTRA_SCRIPTS:
        scripts.append((os.path.join(source, script), [os.path.join(source, root)]))
    for script, roots in scripts:
        rel = os.path.relpath(script, source)
        if not roots:
            add_case(inputs, cases, slug(rel), script, "shipped", shipped_sets)
        for root in roots:
            key = slug(os.path.relpath(root, source))
            if not os.path.isdir(os.path.join(inputs, "sets", key)):
                copy_root(root, os.path.join(inputs, "sets", key))
            add_case(inputs, cases, slug(rel), script, key, template_sets(root))
    subprocess.run([writer, os.path.join(inputs, "projects"), str(projects), str(start)],
                   check=True)
    names = sorted(os.listdir(os.path.join(inputs, "projects")))
    return cases, names
