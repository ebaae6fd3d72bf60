#!/usr/bin/env python3
"""Hostile input through the real program.

usage: hostile_test.py FORMWRIGHT [CASE...]

Each case builds its inputs in a fresh temporary folder (big ones at run time, never kept),
runs the program under /usr/bin/time with a timeout, and checks:
  - no crash and no hang: an exit code of 0, 2 or 3 as the case expects, within the timeout;
  - memory bounded: the peak resident size stays under the case's bound;
  - nothing written outside the script's folder, and inside it only the outputs (.bas, .fbp,
    .bi) and their backups in bak/; no temporary file left;
  - no existing file lost: every file other than an output is unchanged, an output the run
    names as not written is unchanged, and an overwritten output with a bak folder has its
    old content there;
  - the diagnostic the user should see, when the case names one.
A table of the cases with their time and peak memory is printed at the end.
"""

import hashlib
import os
import random
import re
import resource
import shutil
import stat
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SET_ROOT = os.path.join(HERE, "set")
MIB = 1 << 20
BASE_MEMORY = 64 * MIB  # the program, its libraries and small buffers
OUTPUT_SUFFIXES = (".bas", ".fbp", ".bi")


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


# ---- files and snapshots ----------------------------------------------------------------

def put(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("latin-1"))


def get(path):
    with open(path, "rb") as f:
        return f.read()


def digest(path):
    h = hashlib.sha1()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            h.update(block)
    return h.hexdigest()


def snapshot(root):
    """Every entry below root: relative path -> kind and content digest."""
    entries = {}
    for folder, dirs, files in os.walk(root):
        for name in dirs + files:
            path = os.path.join(folder, name)
            rel = os.path.relpath(path, root)
            mode = os.lstat(path).st_mode
            if stat.S_ISLNK(mode):
                entries[rel] = ("link", os.readlink(path))
            elif stat.S_ISDIR(mode):
                entries[rel] = ("dir", None)
            elif stat.S_ISREG(mode):
                entries[rel] = ("file", digest(path))
            else:
                entries[rel] = ("special", None)  # reading a FIFO would wait for ever
    return entries


def is_output(rel, work):
    """Whether rel (relative to the case folder) may be written by the run."""
    if not rel.startswith(work + os.sep):
        return False
    name = rel[len(work) + 1:]
    if os.sep not in name:
        return name.endswith(OUTPUT_SUFFIXES)
    folder, base = name.split(os.sep, 1)
    return folder == "bak" and os.sep not in base and base.endswith(".bak")


# ---- running ----------------------------------------------------------------------------

def run(program, args, timeout, limits=None):
    """Runs the program; returns (exit code, stdout, stderr, seconds, peak resident bytes)."""
    fd, report = tempfile.mkstemp(prefix="fw-time-")
    os.close(fd)

    def apply_limits():
        for kind, value in (limits or {}).items():
            resource.setrlimit(kind, (value, value))

    start = time.monotonic()
    try:
        done = subprocess.run(["/usr/bin/time", "-v", "-o", report, program] + args,
                              capture_output=True, timeout=timeout, preexec_fn=apply_limits)
    except subprocess.TimeoutExpired:
        raise Failure("no answer within %d s: a hang" % timeout)
    seconds = time.monotonic() - start
    peak = 0
    with open(report) as f:
        for line in f:
            if "Maximum resident set size" in line:
                peak = int(line.split(":")[1]) * 1024
    os.unlink(report)
    code = done.returncode
    check(code >= 0 and code < 128, "killed by a signal or crashed (exit %d): %s"
          % (code, done.stderr[-2000:].decode("latin-1")))
    return code, done.stdout.decode("latin-1"), done.stderr.decode("latin-1"), seconds, peak


class Case:
    """A folder with the script's folder work/ in it, beside other/ (must stay untouched) and a
    copy of the template set when the case changes it."""

    def __init__(self, top, name):
        self.dir = os.path.join(top, name)
        self.work = os.path.join(self.dir, "work")
        self.set_root = SET_ROOT
        os.makedirs(self.work)
        put(os.path.join(self.dir, "other", "keep.txt"), "outside the script's folder\n")
        self.inputs = 0

    def script(self, data, name="dialogs.rc"):
        put(os.path.join(self.work, name), data)
        self.inputs = max(self.inputs, len(data))
        return os.path.join(self.work, name)

    def own_set(self, files):
        """A template set of the case's own: {relative name: content}, beside the shipped one."""
        self.set_root = os.path.join(self.dir, "set")
        shutil.copytree(SET_ROOT, self.set_root)
        for name, data in files.items():
            put(os.path.join(self.set_root, name), data)
            self.inputs = max(self.inputs, len(data))

    def args(self, *extra):
        return ["--base-units", "6,13", "--template", "hostile", "--template-root",
                self.set_root] + list(extra)


def not_written(stderr):
    """The paths the program names as not written."""
    named = set()
    for line in stderr.splitlines():
        if line.startswith("formwright: error: ") and ": not " in line:
            named.add(line[len("formwright: error: "):].split(": not ")[0])
    return named


def verify(case, before, after, code, stderr):
    """Nothing written outside the script's folder, and nothing lost inside it."""
    work = "work"
    for rel, entry in before.items():
        if rel not in after:
            raise Failure("%s was removed" % rel)
        if after[rel] == entry:
            continue
        # An output may replace a link by a file; the link's target is checked as any file.
        check(is_output(rel, work) and entry[0] != "dir" and after[rel][0] == "file",
              "%s was changed (%s -> %s)" % (rel, entry[0], after[rel][0]))
        path = os.path.join(case.dir, rel)
        check(path not in not_written(stderr), "%s is named as not written but changed" % rel)
    for rel, entry in after.items():
        if rel in before:
            continue
        check(".fwtmp" not in rel, "temporary file left: %s" % rel)
        check(is_output(rel, work), "written where it does not belong: %s" % rel)
    if code == 0:
        check(not not_written(stderr), "exit 0 but outputs named as not written")
    if code == 3:
        check(not_written(stderr), "exit 3 without naming an output")


def backed_up(case, name, old):
    """The old content of an overwritten output is in bak/ when bak is a folder."""
    bak = os.path.join(case.work, "bak")
    if os.path.isdir(bak) and old:
        stem = name.rsplit(".", 1)[0]
        check(get(os.path.join(bak, stem + ".bak")) == old, "no backup of %s" % name)


# ---- inputs -----------------------------------------------------------------------------

def dialog(name="DLG", controls=(), extra=""):
    lines = ["%s DIALOGEX 10,10,200,100" % name, 'CAPTION "Caption"', 'FONT 8,"MS Shell Dlg"',
             "STYLE 0x90C80000"] + ([extra] if extra else []) + ["BEGIN"] + list(controls) + ["END"]
    return "\r\n".join(lines) + "\r\n"


def control(text="OK", ident="IDC_OK", cls="Button", coords="4,4,50,14"):
    return 'CONTROL "%s",%s,"%s",0x50010000,%s,0x00000000' % (text, ident, cls, coords)


def wrap32(n):
    n %= 1 << 32
    return n - (1 << 32) if n >= 1 << 31 else n


def muldiv(a, b, c):
    """Rounded half away from zero, wrapped to 32 bits, as the program's dialog units are."""
    q, r = divmod(abs(a * b), abs(c))
    if 2 * r >= abs(c):
        q += 1
    return wrap32(q if (a * b < 0) == (c < 0) else -q)


# ---- the cases --------------------------------------------------------------------------
# Each returns (arguments, expected exit codes, texts stderr must hold, memory bound, timeout),
# or None when it cannot run here, after printing why.

def case_no_line_end(case):
    """A 100 MB script that is one line with no line end."""
    size = 100 * MIB
    script = case.script(b"BIG DIALOGEX 1,2,3,4 " + b"x," * (size // 2))
    return case.args(script), {0}, [], BASE_MEMORY + 3 * size, 300


def case_long_lines(case):
    """10 MB lines: a #define, a caption, a control text, a class name, a number, a template line
    and (with --multi) a dialog name, which no file system takes."""
    ten = 10 * MIB
    big = "w" * ten
    script = "#define BIG " + big + "\r\n" + dialog("LINES", [
        control(text=big), control(cls=big), control(coords="1" * ten + ",2,3,4"),
        control(cls="Edit"),
    ], extra="CAPTION \"" + big + "\"") + dialog("N" * ten)
    path = case.script(script)
    case.own_set({"hostile/Edit.tpl": "[DIM]\n" + "dim  " * (ten // 5) + "\n"})
    return (case.args("--multi", path), {3}, ["cannot be created", "bytes ...]"],
            BASE_MEMORY + 6 * len(script), 300)


def case_binary_bytes(case):
    """NUL bytes and bytes 128-255 everywhere, dialog names included."""
    rng = random.Random(9)
    noise = lambda n: bytes(rng.choice([0, 1, 9, 13, 27, 127] + list(range(128, 256)))
                            for _ in range(n))
    parts = []
    for i in range(200):
        parts.append(b"D" + noise(3) + b" DIALOGEX 1,2,3,4\r\nCAPTION \"" + noise(20) +
                     b"\"\r\nFONT 8,\"" + noise(8) + b"\"\r\nBEGIN\r\nCONTROL \"" + noise(10) +
                     b"\",I" + noise(4) + b",\"Button\",0x" + noise(2) + b",1,2,3,4\r\n" +
                     noise(50) + b"\r\nEND\r\n")
    case.script(noise(200000) + b"\n" + b"".join(parts))
    return (case.args("--multi", os.path.join(case.work, "dialogs.rc")), {3},
            ["control character"], BASE_MEMORY + 20 * MIB, 60)


def case_million_controls(case):
    """One dialog of 1,000,000 CONTROL lines."""
    lines = [control(ident="IDC_%d" % i, text="b%d" % i, coords="%d,4,64,13" % (i % 500))
             for i in range(1000000)]
    path = case.script(dialog("MANY", lines))
    return case.args(path), {0}, [], BASE_MEMORY + 8 * case.inputs, 300


def case_many_dialogs(case):
    """20,000 dialogs in multi-file mode: 20,000 include files written into one folder."""
    path = case.script("".join(dialog("D%d" % i, [control()]) for i in range(20000)))

    def expect(code, out, err):
        check(len([n for n in os.listdir(case.work) if n.endswith(".bi")]) == 20000,
              "not every include file was written")

    return case.args("--multi", path), {0}, [], BASE_MEMORY + 8 * case.inputs, 120, expect


def case_waiting_placeholder(case):
    """A dialog template whose [EVENT] waits for the dialog's end (~WM_INITDIALOG~), and
    200,000 controls: each control's substitution must not search the whole dialog again."""
    case.own_set({"hostile/dialogex.tpl": "[EVENT]\nsub ~DLGNAME~_Init()\n~WM_INITDIALOG~\n"
                  "end sub\n[DLGPROC]\nsub ~DLGNAME~_Proc()\nend sub\n",
                  "hostile/Button.tpl": "[EVENT]\nsub ~CTLID~_Click()\nend sub\n"
                  "[WM_INITDIALOG]\ninit ~CTLID~\n"})
    path = case.script(dialog("WAIT", [control(ident="IDC_%d" % i) for i in range(200000)]))
    return case.args(path), {0}, [], BASE_MEMORY + 8 * case.inputs, 120


def case_numbers(case):
    """100-digit numbers, "&h" with nothing after it, coordinates at the 32-bit limits."""
    hundred = "1234567890" * 10
    path = case.script(dialog("NUM", [
        control(ident="C1", coords="2147483647,-2147483648,4294967295,-4294967296"),
        control(ident="C2", coords="%s,-%s,&h,&hFFFFFFFFFFFFFFFF" % (hundred, hundred)),
        control(ident="C3", coords="0x,&o,&b2,-"),
    ]).replace("STYLE 0x90C80000", "STYLE 0x" + "F" * 100))

    def expect(code, out, err):
        text = get(os.path.join(case.work, "dialogs.bas")).decode("latin-1")
        c1 = "dim C1 ' 2147483647,-2147483648,-1,0 %d,%d,%d,%d" % (
            muldiv(2147483647, 6, 4), muldiv(-2147483648, 13, 8), muldiv(-1, 6, 4), 0)
        check(c1 in text, "wrong values for the 32-bit limits: wanted %r" % c1)
        n = wrap32(int(hundred))
        c2 = "dim C2 ' %d,%d,0,-1 " % (n, wrap32(-int(hundred)))
        check(c2 in text, "wrong values for 100 digits: wanted %r" % c2)
        check("dim C3 ' 0,0,0,0 0,0,0,0" in text, "wrong values for empty prefixes")

    return case.args(path), {0}, [], BASE_MEMORY, 30, expect


def case_nested_begin(case):
    """10,000 nested-looking BEGIN lines, then as many END lines and another dialog."""
    inner = ["BEGIN"] * 10000 + [control(ident="DEEP")] + ["END"] * 10000
    path = case.script(dialog("NEST", inner) + dialog("AFTER", [control(ident="LAST")]))

    def expect(code, out, err):
        text = get(os.path.join(case.work, "dialogs.bas")).decode("latin-1")
        check("dim DEEP" in text and "dim LAST" in text, "controls after the BEGIN lines lost")

    return case.args(path), {0}, [], BASE_MEMORY, 30, expect


def case_binary_templates(case):
    """A template set whose files are random bytes."""
    rng = random.Random(5)
    noise = lambda n: bytes(rng.randrange(256) for _ in range(n))
    blob = lambda: noise(30000) + b"\n[DIM]\n" + noise(30000) + b"\n[STYLE]\n" + noise(30000)
    case.own_set({"hostile.tpl": blob(), "hostile/dialogex.tpl": blob(),
                  "hostile/Button.tpl": blob(), "hostile/Edit.tpl": blob()})
    path = case.script(dialog("BIN", [control(), control(cls="Edit")] * 50) * 10)
    return case.args("--multi", path), {0}, [], BASE_MEMORY + 40 * MIB, 60


def case_runaway_placeholders(case):
    """Placeholders that expand into placeholders: each control doubles them."""
    case.own_set({"hostile/Button.tpl": "[DIM]\n~CTLID~\n[EVENT]\nsub ~CTLID~_Click()\n"})
    put(os.path.join(case.work, "dialogs.bas"), "hand-edited main source\r\n")
    os.makedirs(os.path.join(case.work, "bak"))
    doubling = control(text="~CTLID~~CTLID~", ident="~CTLTEXT~~CTLTEXT~")
    path = case.script(dialog("RUNAWAY", [doubling] * 80))
    # The text limit (512 MiB) stops it: the largest text is then under 512 MiB, its copy
    # while it grows under 256 MiB more.
    return case.args(path), {3}, ["larger than 512 MiB"], BASE_MEMORY + 640 * MIB, 300


def case_streamed_past_the_text_limit(case):
    """A main source of over 512 MiB: its texts go to scratch files as they grow, so the run
    writes it in bounded memory; the text limit counts only what memory holds."""
    case.own_set({"hostile/Button.tpl": "[EVENT]\nsub ~CTLID~_Click()\n' " + "x" * 2000 +
                  "\nend sub\n"})
    controls = [control(ident="IDC_%d" % i) for i in range(1000)]
    path = case.script("".join(dialog("BIG%d" % d, controls) for d in range(300)))

    def expect(code, out, err):
        size = os.path.getsize(os.path.join(case.work, "dialogs.bas"))
        check(size > 512 * MIB, "a main source of only %d bytes" % size)
        os.unlink(os.path.join(case.work, "dialogs.bas"))  # 600 MB of disk back at once

    return case.args(path), {0}, [], 64 * MIB, 300, expect


def case_held_text_is_the_plain_methods(case):
    """A section that keeps a main-template placeholder ("~DLGMAIN~") stays in memory and the
    main source is then made by the replacements in turn, with the texts set aside read back:
    it must give the plain method's bytes (reference_convert, beside the program)."""
    reference = os.path.join(os.path.dirname(case.program), "reference_convert")
    if not os.access(reference, os.X_OK):
        return None
    case.own_set({"hostile/Button.tpl": "[GLOBAL]\nglobal ~CTLID~ of ~DLGMAIN~\n[EVENT]\n"
                  "sub ~CTLID~_Click()\n' " + "y" * 2000 + "\nend sub\n"})
    controls = [control(ident="IDC_%d" % i) for i in range(20)]
    path = case.script("".join(dialog("HELD%d" % d, controls) for d in range(60)))

    def expect(code, out, err):
        plain = os.path.join(case.dir, "plain")
        os.makedirs(plain)
        shutil.copy(path, plain)
        done = subprocess.run([reference, os.path.join(plain, "dialogs.rc"), case.set_root,
                               "hostile"], capture_output=True)
        check(done.returncode == 0, "reference_convert failed: %r" % done.stderr[-500:])
        ours = get(os.path.join(case.work, "dialogs.bas")).replace(case.work.encode(), b"W")
        theirs = get(os.path.join(plain, "dialogs.bas")).replace(plain.encode(), b"W")
        check(len(ours) > 2 * MIB, "too little text to be set aside: %d bytes" % len(ours))
        check(ours == theirs, "the main source differs from the plain method's")
        shutil.rmtree(plain)

    return case.args(path), {0}, [], BASE_MEMORY + 64 * MIB, 120, expect


def case_deep_chain(case):
    """A main template whose every placeholder brings in the next for many levels."""
    case.own_set({
        "hostile.tpl": "~OPTION~\n",
        "hostile/dialogex.tpl": "[OPTION]\n" + "~INCLUDE~" * 50 + "\n",
        "hostile/Button.tpl": "[INCLUDE]\n" + "~CONSTANT~" * 50 + "\n[GLOBAL]\n~DECLARE~\n",
    })
    path = case.script("#define A ~GLOBAL~~GLOBAL~~GLOBAL~\r\n" + dialog("CHAIN", [control()]))
    return case.args(path), {0}, [], BASE_MEMORY + 200 * MIB, 60


def case_style_map(case):
    """A style map of 100,000 lines, used by 200 controls."""
    lines = ["&h%x,STYLE_FLAG_%d" % (1 << (i % 32), i) for i in range(100000)]
    case.own_set({"hostile/Button.tpl": "[DIM]\ndim ~CTLID~ ~CTLSTYLE~\n[STYLE]\n" +
                  "\n".join(lines) + "\n"})
    path = case.script(dialog("STYLES", [control(ident="S%d" % i) for i in range(200)]))
    return case.args(path), {0}, [], BASE_MEMORY + 256 * MIB, 300


def case_escaping_names(case):
    """Dialog and class names that try to leave the script's folder, and device names."""
    names = ["../evil", "..\\evil", "/tmp/fw-hostile-absolute", "C:evil", "c:\\evil", "CON",
             "nul.txt", "COM1", "lpt9", "aux.bi", ".", "..", "a:b", "a/b", "trailing.", "pipe|"]
    classes = ["../../other/keep", "/etc/passwd", "..\\..\\x", "..", ".", "../set/hostile"]
    body = "".join(dialog(n, [control(cls=c) for c in classes]) for n in names)
    os.symlink("../other/keep.txt", os.path.join(case.work, "LINK.bi"))
    path = case.script(body + dialog("LINK"))

    def expect(code, out, err):
        for n in names:
            check('dialog name "%s"' % n in err, "no diagnostic for the dialog name %r" % n)
        check(not os.path.exists("/tmp/fw-hostile-absolute.bi"), "wrote an absolute path")
        check(get(os.path.join(case.dir, "other", "keep.txt")) ==
              b"outside the script's folder\n", "wrote through a link")
        check(not os.path.islink(os.path.join(case.work, "LINK.bi")), "LINK.bi still a link")

    return case.args("--multi", path), {3}, ["cannot be a file name"], BASE_MEMORY, 30, expect


def mount_tmpfs(folder, options):
    os.makedirs(folder, exist_ok=True)
    done = subprocess.run(["mount", "-t", "tmpfs", "-o", options, "tmpfs", folder],
                          capture_output=True)
    return done.returncode == 0


def case_read_only_folder(case):
    """A script folder on a read-only file system (permission bits do not stop root)."""
    work = case.work
    if os.geteuid() == 0:
        if not mount_tmpfs(work, "size=4m"):
            print("  SKIP read_only_folder: cannot mount a tmpfs here")
            return None
        case.mounts.append(work)
    case.script(dialog("RO", [control()]))
    put(os.path.join(work, "dialogs.bas"), "old main source\r\n")
    put(os.path.join(work, "dialogs.fbp"), "head\r\n[File]\r\n[FileInfo]\r\ntail\r\n")
    os.makedirs(os.path.join(work, "bak"))
    if os.geteuid() == 0:
        subprocess.run(["mount", "-o", "remount,ro", work], check=True)
    else:
        os.chmod(work, 0o555)
    return (case.args(os.path.join(work, "dialogs.rc")), {3}, ["dialogs.bas: not", "dialogs.fbp: not"],
            BASE_MEMORY, 30)


def case_bak_is_file(case):
    """A "bak" that is a file: no backup, no warning, the file kept."""
    put(os.path.join(case.work, "bak"), "a file named bak\n")
    put(os.path.join(case.work, "dialogs.bas"), "old main source\r\n")
    path = case.script(dialog("BAK", [control()]))

    def expect(code, out, err):
        check(err == "", "a bak file should give no message: %r" % err)

    return case.args(path), {0}, [], BASE_MEMORY, 30, expect


def case_output_is_folder(case):
    """Outputs that are folders: .bas, .fbp and a .bi."""
    for name in ("dialogs.bas", "dialogs.fbp", "FOLDER.bi"):
        put(os.path.join(case.work, name, "inside.txt"), "kept\n")
    path = case.script(dialog("FOLDER", [control()]) + dialog("FINE"))
    expected = ["dialogs.bas: not", "dialogs.fbp: not", "FOLDER.bi: not", "3 outputs not written"]
    return case.args("--multi", path), {3}, expected, BASE_MEMORY, 30


def case_output_is_folder_dry_run(case):
    """--dry-run exits as the real run would, and writes nothing."""
    put(os.path.join(case.work, "FOLDER.bi", "inside.txt"), "kept\n")
    path = case.script(dialog("FOLDER", [control()]))

    def expect(code, out, err):
        check(sorted(os.listdir(case.work)) == ["FOLDER.bi", "dialogs.rc"], "a dry run wrote")
        check("would write" in out, "a dry run lists what it would write")

    return case.args("--multi", "--dry-run", path), {3}, ["FOLDER.bi: not"], BASE_MEMORY, 30, expect


def case_script_is_folder(case):
    """A script path that is a folder, and a folder named like a script."""
    os.makedirs(os.path.join(case.work, "folder.rc"))
    return (case.args(os.path.join(case.work, "folder.rc")), {2},
            ["cannot read the resource script"], BASE_MEMORY, 30)


def case_script_path_is_plain_folder(case):
    os.makedirs(os.path.join(case.work, "sub"))
    return case.args(case.work), {2}, ["cannot read the resource script"], BASE_MEMORY, 30


def case_script_is_a_device(case):
    """A script that is an endless device."""
    os.symlink("/dev/zero", os.path.join(case.work, "zero.rc"))
    return (case.args(os.path.join(case.work, "zero.rc")), {2},
            ["cannot read the resource script"], BASE_MEMORY, 20)


def case_special_files(case):
    """A project file that is a FIFO, and a template that is an endless device."""
    os.mkfifo(os.path.join(case.work, "dialogs.fbp"))
    case.own_set({})
    os.unlink(os.path.join(case.set_root, "hostile", "Button.tpl"))
    os.symlink("/dev/zero", os.path.join(case.set_root, "hostile", "Button.tpl"))
    path = case.script(dialog("SPECIAL", [control()]))
    return case.args(path), {0}, ["no template"], BASE_MEMORY, 20


def case_full_disk(case):
    """A script folder on a small file system that the outputs do not fit in."""
    work = case.work
    limits = None
    if os.geteuid() == 0 and mount_tmpfs(work, "size=256k"):
        case.mounts.append(work)
    else:
        print("  (no tmpfs mount: a 256 KiB file size limit instead)")
        limits = {resource.RLIMIT_FSIZE: 128 * 1024}
    case.script(dialog("FULL", [control(ident="IDC_%d" % i) for i in range(1600)]))
    put(os.path.join(work, "dialogs.bas"), "old main source\r\n" * 100)
    put(os.path.join(work, "dialogs.fbp"), "head\r\n[File]\r\n[FileInfo]\r\ntail\r\n")
    return (case.args(os.path.join(work, "dialogs.rc")), {3}, ["dialogs.bas: not"],
            BASE_MEMORY, 30, None, limits)


def case_file_size_limit(case):
    """A file size limit (ulimit -f) smaller than the main source: the write fails, is named,
    and leaves neither a changed file nor a temporary one (the program is not killed)."""
    case.script(dialog("LIMIT", [control(ident="IDC_%d" % i) for i in range(1600)]))
    put(os.path.join(case.work, "dialogs.bas"), "old main source\r\n")
    return (case.args(os.path.join(case.work, "dialogs.rc")), {3}, ["dialogs.bas: not"],
            BASE_MEMORY, 30, None, {resource.RLIMIT_FSIZE: 64 * 1024})


def case_help(case):
    """--help documents the exit codes."""

    def expect(code, out, err):
        for text in ("exit codes", "0  every output was written", "1  usage error",
                     "2  the script", "3  the run was made but an output"):
            check(text in out, "--help lacks %r" % text)

    return ["--help"], {0}, [], BASE_MEMORY, 10, expect


# ---- the whole language (--full-syntax) ------------------------------------------------
# Each of these must stop at the script's own limits with a diagnostic naming file and line.

CATALOG_CODE_PAGES = [437, 737, 775, 850, 852, 855, 857, 860, 861, 862, 863, 864, 865, 866, 869,
                      874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257,
                      1258, 65001]


def full(case, path, *extra):
    return case.args("--full-syntax", *extra) + [path]


def where(case, name, line):
    """How a diagnostic names a line of a file in the script's folder."""
    return "%s:%d:" % (os.path.join(case.work, name), line)


def case_full_macro_gigabyte(case):
    """Macros that double a 1 KB text 20 times (a gigabyte) in a control's text, and others
    that double a token 30 times (a billion tokens) in a style."""
    lines = ['#define S0 "%s"' % ("x" * 1000)]
    lines += ["#define S%d S%d S%d" % (i, i - 1, i - 1) for i in range(1, 21)]
    lines += ["#define T0 1+", "#define T1 T0 T0"]
    lines += ["#define T%d T%d T%d" % (i, i - 1, i - 1) for i in range(2, 31)]
    head = "\r\n".join(lines) + "\r\n"
    big = dialog("BIG", [control(text='" S20 "')])
    path = case.script(head + big)
    first = case.script(head + dialog("MANY", []).replace("STYLE 0x90C80000", "STYLE T30 1"),
                        "tokens.rc")
    line = head.count("\n") + 6  # the control's line
    expected = [where(case, "dialogs.rc", line), "macro expansion too large"]

    def expect(code, out, err):
        c2, _, e2, _, _ = run_limited(case, full(case, first), 120)
        check(where(case, "tokens.rc", head.count("\n") + 4) in e2 and "too large" in e2,
              "no diagnostic for a billion tokens: %s" % e2[-1500:])

    return full(case, path), {3}, expected, BASE_MEMORY + 512 * MIB, 120, expect


def case_full_include_cycle(case):
    """a.h includes b.h includes a.h; c.h includes itself and is 5 MB; the script includes
    itself."""
    put(os.path.join(case.work, "a.h"), '#define A 1\r\n#include "b.h"\r\n')
    put(os.path.join(case.work, "b.h"), '#define B 2\r\n#include "a.h"\r\n')
    put(os.path.join(case.work, "c.h"), '#include "c.h"\r\n/*' + "c" * (5 * MIB) + "*/\r\n")
    path = case.script('#include "a.h"\r\n' + dialog("CYCLE", [control()]))
    self_path = case.script('#include "c.h"\r\n', "self.rc")
    script_path = case.script('#include "itself.rc"\r\n' + dialog("ITSELF"), "itself.rc")
    expected = [where(case, "a.h", 2), "#include cycle"]

    def expect(code, out, err):
        for script, name, line in ((self_path, "c.h", 1), (script_path, "itself.rc", 1)):
            c2, _, e2, seconds, peak = run_limited(case, full(case, script), 60)
            check(where(case, name, line) in e2 and "#include" in e2,
                  "no diagnostic for %s including itself: %s" % (name, e2[-1500:]))
            check(peak <= BASE_MEMORY + 256 * MIB, "%s: peak memory %d MiB" % (name, peak >> 20))

    return full(case, path), {3}, expected, BASE_MEMORY + 64 * MIB, 60, expect


def case_full_nested_if(case):
    """10,000 nested #if."""
    body = "#if 1\r\n" * 10000 + dialog("DEEP", [control()]) + "#endif\r\n" * 10000
    path = case.script(body)
    return (full(case, path), {3}, [where(case, "dialogs.rc", 4097), "#if nested too deeply"],
            BASE_MEMORY, 60)


def case_full_string_100mb(case):
    """A 100 MB string in a control's text, and a 100 MB comment line."""
    size = 100 * MIB
    text = dialog("HUGE", [control(text="s" * size)])
    path = case.script("// " + "c" * size + "\r\n" + text)

    def expect(code, out, err):
        text = get(os.path.join(case.work, "dialogs.bas")).decode("latin-1")
        check("dim IDC_OK" in text, "the control with the long text is lost")

    return full(case, path), {0}, [], BASE_MEMORY + 8 * case.inputs, 300, expect


def case_full_line_100mb(case):
    """A 100 MB line of tokens: a style expression of 50 million terms."""
    terms = 50 * MIB
    extra = "STYLE " + "1|" * terms + "1"
    path = case.script(dialog("LONG", [control()], extra=extra) + dialog("NEXT", [control()]))
    return full(case, path), {0}, [], BASE_MEMORY + 8 * case.inputs, 300


def case_full_deep_parentheses(case):
    """100,000 parentheses deep, in a control's style and in an #if."""
    deep = "(" * 100000 + "1" + ")" * 100000
    body = "#if " + deep + "\r\n#endif\r\n" + dialog("PAREN", [control()], extra="EXSTYLE " + deep)
    path = case.script(body)
    expected = [where(case, "dialogs.rc", 1), where(case, "dialogs.rc", 7), "nested too deeply"]
    return full(case, path), {0}, expected, BASE_MEMORY, 60


def case_full_nested_begin(case):
    """BEGIN nested 100,000 deep, in a dialog's controls and in a menu, then a dialog after."""
    nest = "BEGIN\r\n" * 100000 + "END\r\n" * 100000
    body = (dialog("NEST", [nest, control(ident="KEPT")]) + "M MENU\r\n" + nest +
            dialog("AFTER", [control(ident="LAST")]))
    path = case.script(body)

    def expect(code, out, err):
        text = get(os.path.join(case.work, "dialogs.bas")).decode("latin-1")
        check("KEPT" in text and "LAST" in text, "controls after the nested blocks lost")

    return (full(case, path), {0}, [where(case, "dialogs.rc", 6), "found BEGIN"], BASE_MEMORY, 60,
            expect)


def case_full_utf16_odd(case):
    """A UTF-16LE script with an odd number of bytes, and a lone surrogate."""
    text = dialog("WIDE", [control(text="wide")]).encode("utf-16-le")
    path = case.script(b"\xff\xfe" + text + b"\x00\xd8A\x00\r\x00\n\x00Z")
    return (full(case, path), {0}, [where(case, "dialogs.rc", 9), "invalid UTF-16"], BASE_MEMORY,
            30)


def case_full_invalid_bytes(case):
    """Every byte from 0x80 in every code page of the catalog, switched by #pragma code_page,
    and 100,000 lines of bytes invalid in UTF-8."""
    high = bytes(range(0x80, 0x100))
    parts = []
    for page in CATALOG_CODE_PAGES:
        parts.append(b"#pragma code_page(%d)\r\n" % page)
        parts.append(dialog("P%d" % page, [control(text="t", ident="101")]).encode("latin-1")
                     .replace(b"Caption", high).replace(b'"t"', b'"' + high + b'"'))
    parts.append(b"#pragma code_page(65001)\r\n" + b"// \xff\xfe\xc0\r\n" * 100000)
    path = case.script(b"".join(parts))

    def expect(code, out, err):
        check(re.search(r"dialogs\.rc:\d+: .*not valid in code page", err),
              "no line named for invalid bytes")

    return full(case, path), {0}, ["more"], BASE_MEMORY + 64 * MIB, 60, expect


def run_limited(case, args, timeout):
    """Another run of the case's program; checks it ends in time, unharmed, with exit 0 or 3."""
    code, out, err, seconds, peak = run(case.program, args, timeout)
    check(code in (0, 3), "exit %d: %s" % (code, err[-1500:]))
    check(len(err) < 64 * 1024, "%d bytes of diagnostics" % len(err))
    return code, out, err, seconds, peak



CASES = [
    ("no_line_end_100mb", case_no_line_end),
    ("lines_of_10mb", case_long_lines),
    ("nul_and_high_bytes", case_binary_bytes),
    ("million_controls", case_million_controls),
    ("placeholder_waiting_for_the_dialog", case_waiting_placeholder),
    ("many_dialogs_multi_file", case_many_dialogs),
    ("numbers_at_the_limits", case_numbers),
    ("nested_begin", case_nested_begin),
    ("binary_template_set", case_binary_templates),
    ("runaway_placeholders", case_runaway_placeholders),
    ("streamed_past_the_text_limit", case_streamed_past_the_text_limit),
    ("held_text_is_the_plain_methods", case_held_text_is_the_plain_methods),
    ("placeholder_chain", case_deep_chain),
    ("style_map_100k_lines", case_style_map),
    ("names_escaping_the_folder", case_escaping_names),
    ("read_only_folder", case_read_only_folder),
    ("bak_is_a_file", case_bak_is_file),
    ("output_is_a_folder", case_output_is_folder),
    ("dry_run_exits_as_the_real_run", case_output_is_folder_dry_run),
    ("script_is_a_folder", case_script_is_folder),
    ("script_path_is_a_plain_folder", case_script_path_is_plain_folder),
    ("script_is_a_device", case_script_is_a_device),
    ("fifo_and_device_among_the_files", case_special_files),
    ("full_file_system", case_full_disk),
    ("file_size_limit", case_file_size_limit),
    ("help_lists_exit_codes", case_help),
    ("full_macro_gigabyte", case_full_macro_gigabyte),
    ("full_include_cycle", case_full_include_cycle),
    ("full_nested_if_10000", case_full_nested_if),
    ("full_string_100mb", case_full_string_100mb),
    ("full_line_100mb", case_full_line_100mb),
    ("full_deep_parentheses", case_full_deep_parentheses),
    ("full_nested_begin_100000", case_full_nested_begin),
    ("full_utf16_odd_bytes", case_full_utf16_odd),
    ("full_invalid_bytes_every_code_page", case_full_invalid_bytes),
]


# Cases that take minutes under the sanitizers; FW_HOSTILE_SKIP_HEAVY=1 (the sanitizer build)
# leaves them to the plain build.
HEAVY = {"no_line_end_100mb", "streamed_past_the_text_limit", "lines_of_10mb", "million_controls", "runaway_placeholders",
         "style_map_100k_lines", "many_dialogs_multi_file", "full_string_100mb",
         "full_line_100mb", "full_macro_gigabyte"}


def run_case(program, top, name, make):
    case = Case(top, name)
    case.mounts = []
    case.program = program
    try:
        made = make(case)
        if made is None:
            return None
        args, codes, texts, bound, timeout = made[:5]
        expect = made[5] if len(made) > 5 else None
        limits = made[6] if len(made) > 6 else None
        before = snapshot(case.dir)
        old = {n: get(os.path.join(case.work, n)) for n in os.listdir(case.work)
               if n.endswith(OUTPUT_SUFFIXES) and os.path.isfile(os.path.join(case.work, n))}
        code, out, err, seconds, peak = run(program, args, timeout, limits)
        check(code in codes, "exit %d, expected %s; stderr: %s" % (code, sorted(codes), err[-1500:]))
        for text in texts:
            check(text in err or text in out, "no %r in the diagnostics: %s" % (text, err[-1500:]))
        check(len(err) < 64 * 1024, "%d bytes of diagnostics" % len(err))
        # A sanitizer build keeps shadow memory and freed blocks: its bound is scaled.
        bound = int(bound * float(os.environ.get("FW_HOSTILE_MEMORY_SCALE", "1")))
        check(peak <= bound, "peak memory %d MiB over the bound %d MiB" % (peak >> 20, bound >> 20))
        verify(case, before, snapshot(case.dir), code, err)
        for n, content in old.items():
            if os.path.join(case.work, n) not in not_written(err):
                backed_up(case, n, content)
        if expect:
            expect(code, out, err)
        return code, seconds, peak, bound
    finally:
        for mount in case.mounts:
            subprocess.run(["umount", mount], capture_output=True)


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 1
    program = os.path.abspath(sys.argv[1])
    chosen = sys.argv[2:]
    failures = 0
    rows = []
    top = tempfile.mkdtemp(prefix="fw-hostile-")
    try:
        for name, make in CASES:
            if chosen and name not in chosen:
                continue
            if name in HEAVY and os.environ.get("FW_HOSTILE_SKIP_HEAVY") == "1" and not chosen:
                rows.append((name, "skip", "", "", ""))
                continue
            print("case %s" % name, flush=True)
            try:
                result = run_case(program, top, name, make)
            except Failure as e:
                failures += 1
                print("  FAIL %s: %s" % (name, e), flush=True)
                rows.append((name, "FAIL", "", "", ""))
                continue
            finally:
                shutil.rmtree(os.path.join(top, name), ignore_errors=True)
            if result is None:
                rows.append((name, "skip", "", "", ""))
                continue
            code, seconds, peak, bound = result
            rows.append((name, "exit %d" % code, "%.1f s" % seconds, "%d MiB" % (peak >> 20),
                         "%d MiB" % (bound >> 20)))
    finally:
        shutil.rmtree(top, ignore_errors=True)
    print("\n%-36s %-8s %9s %10s %10s" % ("case", "result", "time", "peak RSS", "bound"))
    for row in rows:
        print("%-36s %-8s %9s %10s %10s" % row)
    print("\nhostile_test: %s" % ("%d case(s) failed" % failures if failures else "all passed"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
