#!/usr/bin/env python3
"""Compiles a resource script with an oracle and prints the dialogs it made as the JSON model of
res_dialogs.py.

Usage: oracle.py [--oracle llvm-rc|windres|auto] [--include DIR ...] [--define X[=V] ...]
                 [--standin] [--transcode] [--fix-includes] [--stub-files] [--real-world]
                 [--codepage N] [--force-include HEADER] [--keep DIR] [--dialogs-only]
                 SCRIPT

Oracles:
  llvm-rc  llvm-rc-14 /fo OUT.res [/I DIR ...] [/D X ...] SCRIPT (it preprocesses with clang)
  windres  x86_64-w64-mingw32-windres -J rc -O res -i SCRIPT -o OUT.res [-I DIR ...] [-D X ...]
  auto     llvm-rc first, then windres when llvm-rc fails (the default)
Both run in the script's folder. The output of a failed run is never read (llvm-rc leaves a
partial .res behind when it stops on an error).

What makes them fail on real scripts, each an option (--real-world turns on all four):
  --standin       put tests/oracle/standin/ last on the include path: minimal stand-ins for the
                  system and class library headers (windows.h, winres.h, afxres.h, commctrl.h,
                  atlres.h, ...); neither oracle has the system headers here (windres would find
                  the cross compiler's own, the stand-ins shadow them so both oracles read the
                  same values)
  --transcode     rewrite every text file of the copy as UTF-8: UTF-16 files (windres and the
                  preprocessors cannot read them), and 8-bit files decoded section by section
                  with the code page of their #pragma code_page (llvm-rc-14 ignores the pragma
                  and reads only ASCII unless told /C 65001); the pragmas become
                  code_page(65001) and both oracles are told 65001. A section without a pragma
                  is UTF-8 if it decodes as such, else --codepage (1252)
  --fix-includes  an #include that names no file (folders flattened, names in another case,
                  generated files) is pointed at the file of that base name found without regard
                  to case in the script's folder, the --include folders or the stand-ins, or at
                  an empty stand-in file made in the copy when there is none
  --stub-files    icons, cursors, bitmaps and other files that resources name but that are
                  missing get minimal valid stand-ins (a 1x1 icon, cursor or bitmap; an empty
                  file otherwise), made in the copy under the name the oracle asked for
(Both oracles already read only the directives of included .h and .c files, as the resource
compiler's documentation says it does, so C declarations in headers need no fix.)
Every option works on a temporary copy of the script's folder, never on the original.

Output: {"oracle": the one that answered or null, "script": SCRIPT, "dialogs": [...],
         "attempts": [{"oracle", "ok", "error"}], "notes": [what was changed in the copy]}
(--dialogs-only prints the list of dialogs alone). Exit status 0 when an oracle answered,
1 when none did, 2 on bad usage.
"""
import argparse
import codecs
import json
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import res_dialogs  # noqa: E402

STANDIN = os.path.join(HERE, "standin")
LLVM_RC = "llvm-rc-14"
WINDRES = "x86_64-w64-mingw32-windres"
ORACLES = ("llvm-rc", "windres")
TEXT_SUFFIXES = (".rc", ".rc2", ".rc3", ".h", ".hh", ".hpp", ".hxx", ".inc", ".dlg", ".ver",
                 ".rh", ".rcv", ".txt")
TIMEOUT = 120
MAX_STUB_ROUNDS = 40
STUB_INCLUDES = "stub-includes"  # folder of the copy where missing includes get empty files

PRAGMA_CODE_PAGE = re.compile(rb"^([ \t]*#[ \t]*pragma[ \t]+code_page[ \t]*\()[ \t]*([^)\s]*)"
                              rb"[ \t]*(\).*)$", re.M)
INCLUDE_LINE = re.compile(r'^([ \t]*#[ \t]*include[ \t]*)(["<])([^">\r\n]*)([">])', re.M)
MISSING_FILE = [re.compile(r"file not found : (.+?)\s*$", re.M),
                re.compile(r"can't open [^`\n]*`(.+?)': No such file", re.M)]
# Resource statements naming a file: NAME TYPE [memory flags] "file" (or an unquoted file.ext).
FILE_RESOURCE = re.compile(
    r'^[ \t]*([A-Za-z_0-9]+)[ \t]+([A-Za-z_0-9]+)[ \t]+'
    r'((?:(?:DISCARDABLE|PRELOAD|LOADONCALL|MOVEABLE|FIXED|PURE|IMPURE)[ \t]+)*)'
    r'("(?:[^"\r\n]|"")*"|[^\s"]+\.[A-Za-z0-9]+)[ \t]*\r?$', re.M)
NOT_FILE_TYPES = {"DIALOG", "DIALOGEX", "MENU", "MENUEX", "STRINGTABLE", "ACCELERATORS",
                  "VERSIONINFO", "TEXTINCLUDE", "DESIGNINFO", "TOOLBAR", "LANGUAGE", "CAPTION",
                  "CLASS", "FONT", "STYLE", "EXSTYLE", "CHARACTERISTICS", "VERSION", "DLGINIT",
                  "MENUITEM", "POPUP", "AFX_DIALOG_LAYOUT"}


class OracleError(Exception):
    """Bad usage or a tool that is not installed."""


# ---------------------------------------------------------------------------------------------
# Stand-in files for resources

def _dib(width=1, height=1, bits=32, icon=False):
    rows = height * 2 if icon else height
    header = struct.pack("<IiiHHIIiiII", 40, width, rows, 1, bits, 0, 0, 0, 0, 0, 0)
    stride = (width * bits + 31) // 32 * 4
    pixels = b"\0" * stride * height
    if icon:
        pixels += b"\0" * ((width + 31) // 32 * 4) * height  # the AND mask
    return header + pixels


def stub_icon(cursor=False):
    """A one-image .ico (or .cur, whose directory holds the hot spot) of a 1x1 32-bit image."""
    image = _dib(icon=True)
    kind, a, b = (2, 0, 0) if cursor else (1, 1, 32)
    return (struct.pack("<HHH", 0, kind, 1)
            + struct.pack("<BBBBHHII", 1, 1, 0, 0, a, b, len(image), 22) + image)


def stub_bitmap():
    """A .bmp file of one 24-bit pixel."""
    dib = _dib(bits=24)
    return b"BM" + struct.pack("<IHHI", 14 + len(dib), 0, 0, 54) + dib


def stub_bytes(name, kind=None):
    ext = os.path.splitext(name.replace("\\", "/"))[1].lower()
    kind = (kind or "").upper()
    if ext == ".ico" or (kind == "ICON" and ext not in (".cur", ".bmp")):
        return stub_icon()
    if ext == ".cur" or kind == "CURSOR":
        return stub_icon(cursor=True)
    if ext in (".bmp", ".dib") or kind == "BITMAP":
        return stub_bitmap()
    return b""


# ---------------------------------------------------------------------------------------------
# Transcoding

def _decode_section(data, codepage, default):
    if codepage is None:
        try:
            return data.decode("utf-8"), "utf-8"
        except UnicodeDecodeError:
            codepage = default
    if codepage in (65001, "65001"):
        return data.decode("utf-8", "replace"), "utf-8"
    name = "cp%s" % codepage
    try:
        codecs.lookup(name)
    except LookupError:
        name = "cp%s" % default
    return data.decode(name, "replace"), name


def transcode_bytes(data, default_codepage=1252):
    """(UTF-8 bytes, what was done) for one file's bytes; None when nothing needs doing."""
    if data.startswith(codecs.BOM_UTF16_LE) or data.startswith(codecs.BOM_UTF16_BE):
        text = data.decode("utf-16")
        text = re.sub(r"(?m)^([ \t]*#[ \t]*pragma[ \t]+code_page[ \t]*\()[^)]*\)",
                      r"\g<1>65001)", text)
        return text.encode("utf-8"), "UTF-16 to UTF-8"
    original = data
    if data.startswith(codecs.BOM_UTF8):
        data = data[len(codecs.BOM_UTF8):]
    pragmas = list(PRAGMA_CODE_PAGE.finditer(data))
    if not pragmas and all(b < 0x80 for b in original):
        return None
    pieces, used = [], []
    start, codepage = 0, None
    for match in pragmas:
        text, name = _decode_section(data[start:match.start()], codepage, default_codepage)
        pieces.append(text)
        used.append(name)
        pieces.append(match.group(1).decode("ascii") + "65001" + match.group(3).decode("latin-1"))
        value = match.group(2).decode("latin-1")
        codepage = int(value) if value.isdigit() else (None if value.upper() == "DEFAULT"
                                                       else default_codepage)
        start = match.end()
    text, name = _decode_section(data[start:], codepage, default_codepage)
    pieces.append(text)
    used.append(name)
    out = "".join(pieces).encode("utf-8")
    if out == original:
        return None
    names = sorted(set(n for n in used))
    return out, "8-bit (%s) to UTF-8" % ", ".join(names)


# ---------------------------------------------------------------------------------------------
# Preparing the copy

class Prepared:
    def __init__(self, root, folder, script, include_dirs, codepage):
        self.root = root
        self.folder = folder
        self.script = script
        self.include_dirs = include_dirs
        self.codepage = codepage  # the code page both oracles are told, or None
        self.notes = []
        self.stubbed = set()

    def note(self, text):
        if text not in self.notes:
            self.notes.append(text)


def _text_files(folder, script):
    for base, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(base, name)
            if path == script or name.lower().endswith(TEXT_SUFFIXES):
                yield path


def _find_ci(folder, name):
    """The entry of `folder` whose name equals `name` without regard to case."""
    try:
        entries = os.listdir(folder)
    except OSError:
        return None
    if name in entries and os.path.isfile(os.path.join(folder, name)):
        return name
    lowered = name.lower()
    for entry in sorted(entries):
        if entry.lower() == lowered and os.path.isfile(os.path.join(folder, entry)):
            return entry
    return None


def _fix_includes(prep):
    made = set()
    for path in list(_text_files(prep.folder, prep.script)):
        with open(path, "rb") as f:
            raw = f.read()
        if raw.startswith(codecs.BOM_UTF16_LE) or raw.startswith(codecs.BOM_UTF16_BE):
            continue  # read only after --transcode
        text = raw.decode("latin-1")
        here = os.path.dirname(path)
        rel_file = os.path.relpath(path, prep.folder)

        def replace(match):
            name = match.group(3).strip()
            unix = name.replace("\\", "/")
            places = ([here] if match.group(2) == '"' else []) + prep.include_dirs
            if any(os.path.isfile(os.path.join(d, unix)) for d in places):
                return match.group(0)
            if match.group(2) == "<" and not prep.standin:
                return match.group(0)  # left to the oracle's own system headers
            base = unix.rsplit("/", 1)[-1]
            for folder, quote in [(here, '"'), (prep.folder, '"')] + [
                    (d, "<") for d in prep.include_dirs]:
                found = _find_ci(folder, base)
                if found and os.path.join(folder, found) == path:
                    found = None  # the including file itself: <x/resource.h> in resource.h
                if found:
                    if folder == prep.folder and here != prep.folder:
                        found = os.path.relpath(os.path.join(folder, found), here)
                    target = '"%s"' % found if quote == '"' else "<%s>" % found
                    prep.note("include %s%s%s in %s read as %s" % (
                        match.group(2), name, match.group(4), rel_file, target))
                    return match.group(1) + target
            stub = os.path.join(prep.folder, STUB_INCLUDES, base or "unnamed")
            if not os.path.exists(stub):
                os.makedirs(os.path.dirname(stub), exist_ok=True)
                with open(stub, "wb"):
                    pass
                made.add(base)
            prep.note("include %s%s%s in %s: missing, an empty stand-in made" % (
                match.group(2), name, match.group(4), rel_file))
            return match.group(1) + '"%s"' % os.path.relpath(stub, here)

        fixed = INCLUDE_LINE.sub(replace, text)
        if fixed != text:
            with open(path, "wb") as f:
                f.write(fixed.encode("latin-1"))
    return made


def _unescape_name(literal):
    if literal.startswith('"'):
        inner = literal[1:-1].replace('""', '"')
        return [inner, inner.replace("\\\\", "\\")]
    return [literal]


def _prescan_files(prep):
    """Stand-ins for the files that resource statements name, under the names both oracles
    look for: llvm-rc takes a quoted name as written, windres after its escapes."""
    with open(prep.script, "rb") as f:
        text = f.read().decode("utf-8", "replace")
    for match in FILE_RESOURCE.finditer(text):
        kind = match.group(2).upper()
        if kind in NOT_FILE_TYPES or match.group(1).upper() in NOT_FILE_TYPES:
            continue
        if match.group(4).upper() in ("BEGIN", "{"):
            continue
        made = [n for n in _unescape_name(match.group(4)) if _make_stub(prep, n, kind, False)]
        if made:
            prep.note("stand-in file %s" % made[-1])


def _make_stub(prep, name, kind=None, note=True):
    if not name or os.path.isabs(name):
        return False
    if os.path.exists(os.path.join(prep.folder, name)) or name in prep.stubbed:
        return False
    target = os.path.normpath(os.path.join(prep.folder, name))
    if not target.startswith(prep.root + os.sep):
        return False  # climbs out of the work folder
    os.makedirs(os.path.dirname(target), exist_ok=True)
    with open(target, "wb") as f:
        f.write(stub_bytes(name, kind))
    prep.stubbed.add(name)
    if note:
        prep.note("stand-in file %s" % name)
    return True


def prepare(script, work, options):
    """A copy of the script's folder in `work`, changed as the options say."""
    source = os.path.dirname(os.path.abspath(script))
    # The copy sits two folders deep so that names climbing one or two levels (..\x.ico) can
    # still get stand-ins inside `work`.
    folder = os.path.join(work, "a", "b", "src")
    shutil.copytree(source, folder, symlinks=False,
                    ignore=shutil.ignore_patterns(".git", "*.res", "*.obj", "*.exe"))
    copy = os.path.join(folder, os.path.basename(script))
    include_dirs = [os.path.abspath(d) for d in options.include]
    if options.standin:
        include_dirs.append(STANDIN)
    prep = Prepared(work, folder, copy, include_dirs, 65001 if options.transcode else None)
    prep.standin = options.standin
    if options.transcode:
        for path in _text_files(folder, copy):
            with open(path, "rb") as f:
                data = f.read()
            done = transcode_bytes(data, options.codepage)
            if done:
                with open(path, "wb") as f:
                    f.write(done[0])
                prep.note("%s: %s" % (os.path.relpath(path, folder), done[1]))
    for header in options.force_include:
        with open(copy, "rb") as f:
            data = f.read()
        line = ('#include "%s"\n' % header).encode("ascii")
        if data.startswith(codecs.BOM_UTF16_LE):
            line = codecs.BOM_UTF16_LE + line.decode("ascii").encode("utf-16-le")
            data = data[2:]
        with open(copy, "wb") as f:
            f.write(line + data)
        prep.note("%s included first (line numbers shift by one)" % header)
    if options.fix_includes:
        _fix_includes(prep)
    if options.stub_files:
        _prescan_files(prep)
    return prep


# ---------------------------------------------------------------------------------------------
# Running the oracles

def _command(oracle, prep, out, defines):
    script = os.path.basename(prep.script)
    if oracle == "llvm-rc":
        cmd = [LLVM_RC, "/fo", out]
        for d in prep.include_dirs:
            cmd += ["/I", d]
        for d in defines:
            cmd += ["/D", d]
        if prep.codepage:
            cmd += ["/C", str(prep.codepage)]
        return cmd + [script]
    cmd = [WINDRES, "-J", "rc", "-O", "res", "-i", script, "-o", out]
    for d in prep.include_dirs:
        cmd += ["-I", d]
    for d in defines:
        cmd += ["-D", d]
    if prep.codepage:
        cmd += ["-c", str(prep.codepage)]
    return cmd


def _missing_files(stderr):
    names = []
    for pattern in MISSING_FILE:
        names += [m.group(1) for m in pattern.finditer(stderr)]
    return names


def first_error(stderr):
    """The lines that say what went wrong, short."""
    lines = [l.strip() for l in stderr.splitlines() if l.strip()]
    keep = [l for l in lines if not l.startswith(("In file included", "^", "~"))]
    warning = re.compile(r"\bwarning\b|\bnote:", re.I)
    start = next((i for i, l in enumerate(keep) if not warning.search(l)), 0)
    keep = [l for l in keep[start:] if not warning.search(l)] or keep
    return " | ".join(keep[:3])[:400]


def run_oracle(oracle, prep, defines, stub_files):
    """(dialogs or None, error text) of one oracle on a prepared copy."""
    out = os.path.join(os.path.dirname(prep.folder), "%s.res" % oracle)
    for _ in range(MAX_STUB_ROUNDS):
        if os.path.exists(out):
            os.remove(out)
        cmd = _command(oracle, prep, out, defines)
        try:
            run = subprocess.run(cmd, cwd=prep.folder, capture_output=True, timeout=TIMEOUT)
        except FileNotFoundError:
            raise OracleError("%s is not installed" % cmd[0]) from None
        except subprocess.TimeoutExpired:
            return None, "timed out after %d s" % TIMEOUT
        stderr = run.stdout.decode("utf-8", "replace") + run.stderr.decode("utf-8", "replace")
        if run.returncode == 0 and os.path.exists(out):
            with open(out, "rb") as f:
                data = f.read()
            try:
                return res_dialogs.dialogs(data), ""
            except res_dialogs.ResFormatError as error:
                return None, "unreadable output: %s" % error
        if stub_files:
            made = [n for n in _missing_files(stderr) if _make_stub(prep, n)]
            if made:
                continue
        return None, first_error(stderr) or "exit status %d" % run.returncode
    return None, "still missing files after %d rounds of stand-ins" % MAX_STUB_ROUNDS


def compile_script(script, oracle="auto", include=(), define=(), standin=False,
                   transcode=False, fix_includes=False, stub_files=False, codepage=1252,
                   keep=None, try_all=False, force_include=()):
    """The result object that oracle.py prints (see the module's text). With `try_all` every
    oracle of the order runs, and result["byOracle"] holds the dialogs of each that answered
    (the first of them still gives "oracle" and "dialogs")."""
    options = argparse.Namespace(include=list(include), standin=standin, transcode=transcode,
                                 fix_includes=fix_includes, stub_files=stub_files,
                                 codepage=codepage,
                                 force_include=list(force_include))
    order = ORACLES if oracle == "auto" else (oracle,)
    if any(o not in ORACLES for o in order):
        raise OracleError("unknown oracle %r" % oracle)
    result = {"oracle": None, "script": script, "dialogs": [], "attempts": [], "notes": []}
    if try_all:
        result["byOracle"] = {}
    with tempfile.TemporaryDirectory(prefix="oracle-") as work:
        prep = prepare(script, work, options)
        for name in order:
            dialogs, error = run_oracle(name, prep, list(define), stub_files)
            result["attempts"].append({"oracle": name, "ok": dialogs is not None,
                                       "error": error})
            if dialogs is None:
                continue
            if result["oracle"] is None:
                result["oracle"] = name
                result["dialogs"] = dialogs
            if not try_all:
                break
            result["byOracle"][name] = dialogs
        result["notes"] = prep.notes
        if keep:
            if os.path.exists(keep):
                shutil.rmtree(keep)
            shutil.copytree(os.path.join(work, "a"), keep)
    return result


def main(argv):
    parser = argparse.ArgumentParser(description="Compile a resource script with an oracle "
                                     "and print its dialogs as JSON.")
    parser.add_argument("script")
    parser.add_argument("--oracle", default="auto", choices=("auto",) + ORACLES)
    parser.add_argument("--include", "-I", action="append", default=[], metavar="DIR")
    parser.add_argument("--define", "-D", action="append", default=[], metavar="X[=V]")
    parser.add_argument("--standin", action="store_true")
    parser.add_argument("--transcode", action="store_true")
    parser.add_argument("--fix-includes", action="store_true")
    parser.add_argument("--stub-files", action="store_true")
    parser.add_argument("--real-world", action="store_true",
                        help="all of --standin --transcode --fix-includes --stub-files")
    parser.add_argument("--codepage", type=int, default=1252)
    parser.add_argument("--force-include", action="append", default=[], metavar="HEADER",
                        help="include HEADER at the top of the script (for a fragment that "
                        "its parent script includes after the system headers)")
    parser.add_argument("--keep", metavar="DIR", help="keep the prepared copy in DIR")
    parser.add_argument("--dialogs-only", action="store_true")
    args = parser.parse_args(argv)
    if args.real_world:
        args.standin = args.transcode = args.fix_includes = args.stub_files = True
    if not os.path.isfile(args.script):
        parser.error("no such file: %s" % args.script)
    try:
        result = compile_script(args.script, args.oracle, args.include, args.define,
                                args.standin, args.transcode, args.fix_includes,
                                args.stub_files, args.codepage, args.keep,
                                force_include=args.force_include)
    except OracleError as error:
        sys.stderr.write("oracle.py: %s\n" % error)
        return 2
    for attempt in result["attempts"]:
        sys.stderr.write("oracle.py: %s %s%s\n" % (
            attempt["oracle"], "answered" if attempt["ok"] else "failed",
            "" if attempt["ok"] else ": " + attempt["error"]))
    json.dump(result["dialogs"] if args.dialogs_only else result, sys.stdout, indent=1)
    sys.stdout.write("\n")
    return 0 if result["oracle"] else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
