"""What differs between the two sides: every file left in the run folder (content and
permission bits, backups included), and every exit code, stdout and stderr.

A difference is named by a key: "file PATH", "folder PATH", "exit TASK#RUN", "stdout TASK#RUN",
"stderr TASK#RUN", or "multi-run N job K" (one job's report of fw-multi-run process N)."""
import difflib
import fnmatch
import os
import re
import stat


def entries(folder):
    """{relative path: (kind, permission bits)} of every entry below `folder`."""
    found = {}
    for base, dirs, names in os.walk(folder):
        for name in dirs + names:
            st = os.lstat(os.path.join(base, name))
            kind = "folder" if stat.S_ISDIR(st.st_mode) else "file"
            found[os.path.relpath(os.path.join(base, name), folder)] = (kind, stat.S_IMODE(st.st_mode))
    return found


def read(path):
    with open(path, "rb") as f:
        return f.read()


def text_diff(a, b, limit=12):
    if isinstance(a, bytes):
        a, b = a.decode("latin-1"), b.decode("latin-1")
    lines = difflib.unified_diff(a.splitlines(), b.splitlines(), "old", "new", lineterm="", n=1)
    return "\n".join(list(lines)[:limit]) or "line ends or a last line end differ"


def compare_trees(old, new):
    """([(key, detail)], number of files compared). Contents are read a pair at a time."""
    a, b = entries(old), entries(new)
    found = []
    files = 0
    for rel in sorted(set(a) | set(b)):
        kind = (a.get(rel) or b.get(rel))[0]
        key = f"{kind} {rel}"
        if rel not in b:
            found.append((key, "only in the old build's run"))
        elif rel not in a:
            found.append((key, "only in the new build's run"))
        elif a[rel][0] != b[rel][0]:
            found.append((key, f"a {a[rel][0]} in the old run, a {b[rel][0]} in the new"))
        else:
            if a[rel][1] != b[rel][1]:
                found.append((key, f"mode {a[rel][1]:o} became {b[rel][1]:o}"))
            if kind == "file":
                files += 1
                da, db = read(os.path.join(old, rel)), read(os.path.join(new, rel))
                if da != db:
                    found.append((key, text_diff(da, db)))
    return found, files


def job_reports(text):
    """fw-multi-run's output split into its job reports, by job number."""
    parts = re.split(r"^(?=job \d+: )", text, flags=re.M)
    return {p.split(":", 1)[0]: p for p in parts if p.startswith("job ")}


def compare_logs(old, new):
    found = []
    for name in sorted(set(old) | set(new)):
        if name not in old or name not in new:
            found.append((f"exit {name}", "run by one build only"))
            continue
        for i, (a, b) in enumerate(zip(old[name], new[name]), 1):
            where = name if name.startswith("multi-run") else f"{name}#{i}"
            if a[0] != b[0]:
                found.append((f"exit {where}", f"exit code {a[0]} became {b[0]}"))
            if a[2] != b[2]:
                found.append((f"stderr {where}", text_diff(a[2], b[2])))
            if a[1] == b[1]:
                continue
            if not name.startswith("multi-run"):
                found.append((f"stdout {where}", text_diff(a[1], b[1])))
                continue
            ja, jb = job_reports(a[1]), job_reports(b[1])
            for job in sorted(set(ja) | set(jb), key=lambda j: int(j.split()[1])):
                if ja.get(job) != jb.get(job):
                    found.append((f"{name} {job}", text_diff(ja.get(job, ""), jb.get(job, ""))))
    return found


def read_expected(path):
    """The patterns of the expected differences: one glob a line, matched against the whole
    key; "#" starts a comment."""
    if not path or not os.path.exists(path):
        return []
    patterns = []
    with open(path) as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if line:
                patterns.append(line)
    return patterns


def split_expected(found, patterns):
    """(unexpected, expected, patterns that matched nothing)."""
    unexpected, expected, used = [], [], set()
    for key, detail in found:
        hits = [p for p in patterns if fnmatch.fnmatchcase(key, p)]
        used.update(hits)
        (expected if hits else unexpected).append((key, detail))
    return unexpected, expected, [p for p in patterns if p not in used]
