#!/usr/bin/env python3
"""Check over the shipped template sets and example scripts.

Without --formwright it checks the files of every set under --templates:
  - the main template NAME.tpl uses the eight main placeholders;
  - every line of a set template that starts with "[" is a section tag that this kind of
    template accepts (anything else silently drops the section that follows);
  - section bodies are indented with tabs (runs of spaces are shortened to one);
  - every style map entry reads as a number ("&h" hexadecimal, never "0x"), and every style
    made of map entries comes back as flag names whose values add up to the style again.

With --formwright it also converts every example script with every set, in single-file and
in multi-file mode (--base-units 6,13), each in a fresh temporary folder, and checks that
  - the run exits 0 and says nothing on stderr (no missing control template, no warning);
  - no "~NAME~" placeholder is left in the .bas and .bi files;
  - every sub, function, select case, block if ... then, do, for, while, with and #if is
    closed, in order, within its own file, and procedures are not nested;
  - every generated procedure is declared exactly once in the main source, and no procedure
    name, no shared variable and no #define outside an #if is defined twice;
  - in multi-file mode every dialog has its .bi file, holding procedures, included by the
    main source.

Exit status 0 when every check passes, 1 otherwise; each failure is printed.
"""

import argparse
import itertools
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile

MAIN_PLACEHOLDERS = ["~OPTION~", "~INCLUDE~", "~CONSTANT~", "~GLOBAL~", "~DECLARE~",
                     "~INITIAL~", "~DLGMAIN~", "~DIALOG~"]
CONTROL_TAGS = {"[OPTION]", "[INCLUDE]", "[GLOBAL]", "[INITIAL]", "[SAMPLE]", "[EVENT]", "[DIM]",
                "[WM_INITDIALOG]", "[WM_COMMAND]", "[WM_CLOSE]", "[WM_NOTIFY]", "[WM_TIMER]",
                "[WM_DESTROY]", "[STYLE]", "[EXSTYLE]"}
DIALOG_TAGS = {"[OPTION]", "[INCLUDE]", "[CONSTANT]", "[GLOBAL]", "[EVENT]", "[DLGPROC]",
               "[STYLE]", "[EXSTYLE]"}
PLACEHOLDER = re.compile(r"~[A-Za-z0-9_]+~")

failures = []


def fail(where, message):
    failures.append(f"{where}: {message}")


def read_lines(path):
    with open(path, "rb") as f:
        data = f.read().decode("latin-1")
    lines = data.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    return [line[:-1] if line.endswith("\r") else line for line in lines]


# ---------------------------------------------------------------- template files

def parse_sections(lines):
    """(tag, [(line number, body line)]) for every line that starts with "[" and its body."""
    sections = []
    for number, line in enumerate(lines, 1):
        if line.startswith("["):
            sections.append((line, number, []))
        elif sections:
            sections[-1][2].append((number, line))
    return sections


def style_names(value, entries):
    """The flag names the generator writes for a style value, from map entries (v, name)."""
    result = ""
    for v, name in entries:
        if v & value == v and not (name and name in result):
            result += name + " or "
    while result.endswith(" or "):
        result = result[:-4]
    return result or "0"


def check_style_map(where, body):
    entries = []
    for number, line in body:
        if not line.strip():
            continue
        m = re.fullmatch(r"&[hH]([0-9A-Fa-f]{1,8}),([A-Za-z_][A-Za-z0-9_]*)", line)
        if not m:
            fail(f"{where}:{number}", f"style map line is not \"&hVALUE,NAME\": {line!r}")
            continue
        value = int(m.group(1), 16)
        if value == 0:
            fail(f"{where}:{number}", f"{m.group(2)} has the value 0 and would be named for every style")
            continue
        entries.append((value, m.group(2)))
    values = {}
    for value, name in entries:
        if values.setdefault(name, value) != value:
            fail(where, f"{name} is listed with two values")
    if not entries:
        return
    # Styles made of map entries: each entry, each pair, all of them, and a fixed random sample.
    styles = {v for v, _ in entries}
    styles |= {a[0] | b[0] for a, b in itertools.combinations(entries, 2)}
    everything = 0
    for v, _ in entries:
        everything |= v
    styles.add(everything)
    rng = random.Random(5)
    for _ in range(300):
        style = 0
        for v, _ in rng.sample(entries, rng.randint(1, len(entries))):
            style |= v
        styles.add(style)
    for style in sorted(styles):
        names = style_names(style, entries)
        back = 0
        for name in names.split(" or "):
            back |= values.get(name, 0)
        if back != style:
            fail(where, f"style &h{style:08X} is written as \"{names}\", which is &h{back:08X}")
            return


def check_template_file(path, tags):
    lines = read_lines(path)
    for tag, number, body in parse_sections(lines):
        if tag not in tags:
            fail(f"{path}:{number}", f"{tag!r} is not a section tag of this kind of template")
            continue
        if tag in ("[STYLE]", "[EXSTYLE]"):
            check_style_map(f"{path} {tag}", body)
            continue
        for line_number, line in body:
            if line.startswith(" ") and line.strip():
                fail(f"{path}:{line_number}", "indented with spaces (runs of spaces shrink to one)")


def template_sets(root):
    sets = []
    for entry in sorted(os.listdir(root), key=str.lower):
        full = os.path.join(root, entry)
        if entry.lower().endswith(".tpl") and os.path.isfile(full):
            sets.append(entry.split(".")[0])
    return sets


def check_set(root, name):
    main = os.path.join(root, name + ".tpl")
    text = "\n".join(read_lines(main))
    for placeholder in MAIN_PLACEHOLDERS:
        if placeholder not in text:
            fail(main, f"{placeholder} is missing")
    folder = os.path.join(root, name)
    if not os.path.isdir(folder):
        fail(folder, "the set's folder is missing")
        return
    files = sorted(os.listdir(folder))
    if "dialogex.tpl" not in [f.lower() for f in files]:
        fail(folder, "dialogex.tpl is missing")
    for entry in files:
        if entry.lower().endswith(".tpl"):
            tags = DIALOG_TAGS if entry.lower() == "dialogex.tpl" else CONTROL_TAGS
            check_template_file(os.path.join(folder, entry), tags)


# ---------------------------------------------------------------- generated code

def code_part(line):
    """The line without string literals and without its comment, trimmed, in lower case."""
    out = []
    in_string = False
    for ch in line:
        if in_string:
            if ch == '"':
                in_string = False
            continue
        if ch == '"':
            in_string = True
            out.append('""')
            continue
        if ch == "'":
            break
        out.append(ch)
    code = "".join(out).strip().lower()
    if re.match(r"rem\b", code):
        return ""
    return code


PROC_HEADER = re.compile(r"(?:(?:public|private)\s+)?(?:static\s+)?(sub|function)\s+([a-z_][a-z0-9_]*)")


def check_blocks(path, lines):
    """Block structure of one generated file; returns its procedure headers (line, name)."""
    stack = []
    headers = []

    def opened(kind, number):
        stack.append((kind, number))

    def close(kind, number, what):
        if not stack:
            fail(f"{path}:{number}", f"{what} without an open {kind}")
            return
        top, top_line = stack[-1]
        if top != kind:
            fail(f"{path}:{number}", f"{what} closes the {top} opened on line {top_line}")
        stack.pop()

    for number, line in enumerate(lines, 1):
        code = code_part(line)
        if not code or code.startswith("declare "):
            continue
        m = PROC_HEADER.match(code)
        if m and not code.startswith(("sub =", "function =")):
            if stack:
                fail(f"{path}:{number}", f"{m.group(1)} {m.group(2)} inside the {stack[-1][0]} "
                                         f"opened on line {stack[-1][1]}")
            headers.append((number, line.rstrip(), m.group(2)))
            opened(m.group(1), number)
        elif m := re.match(r"end\s+(sub|function|select|if|with|scope|type)\b", code):
            close(m.group(1), number, f"end {m.group(1)}")
        elif code == "endif":
            close("if", number, "endif")
        elif re.match(r"select\s+case\b", code):
            opened("select", number)
        elif re.match(r"case\b", code):
            if not stack or stack[-1][0] != "select":
                fail(f"{path}:{number}", "case outside a select case")
        elif re.match(r"if\b", code):
            if re.search(r"\bthen$", code):
                opened("if", number)
            elif not re.search(r"\bthen\b", code):
                fail(f"{path}:{number}", "if without then")
        elif re.match(r"(elseif\b|else$)", code):
            if not stack or stack[-1][0] != "if":
                fail(f"{path}:{number}", "else outside a block if")
        elif re.match(r"do\b", code):
            opened("do", number)
        elif re.match(r"loop\b", code):
            close("do", number, "loop")
        elif re.match(r"for\b", code):
            opened("for", number)
        elif re.match(r"next\b", code):
            close("for", number, "next")
        elif re.match(r"while\b", code):
            opened("while", number)
        elif re.match(r"wend\b", code):
            close("while", number, "wend")
        elif re.match(r"with\b", code):
            opened("with", number)
        elif re.match(r"#if(n?def)?\b", code):
            opened("#if", number)
        elif re.match(r"#endif\b", code):
            close("#if", number, "#endif")
        elif re.match(r"#(else|elseif)\b", code):
            if not stack or stack[-1][0] != "#if":
                fail(f"{path}:{number}", "#else outside #if")
    for kind, number in stack:
        fail(f"{path}:{number}", f"{kind} is never closed")
    return headers


def check_module_names(path, lines):
    """Module-level "dim shared" variables and "#define" names outside any #if: each once."""
    depth = 0
    seen = {}
    for number, line in enumerate(lines, 1):
        code = code_part(line)
        if re.match(r"#if(n?def)?\b", code):
            depth += 1
        elif re.match(r"#endif\b", code):
            depth -= 1
        elif depth == 0:
            m = (re.match(r"dim\s+shared\s+(?:as\s+\S+\s+)?([a-z_][a-z0-9_]*)", code)
                 or re.match(r"#define\s+([a-z_][a-z0-9_]*)", code))
            if m:
                if m.group(1) in seen:
                    fail(f"{path}:{number}", f"{m.group(1)} is also defined on line {seen[m.group(1)]}")
                seen[m.group(1)] = number


def check_output(folder, base, dialogs, multi):
    where = os.path.join(folder, base)
    main = os.path.join(folder, base + ".bas")
    if not os.path.isfile(main):
        fail(where, "no main source written")
        return
    files = [main] + sorted(os.path.join(folder, f) for f in os.listdir(folder)
                            if f.lower().endswith(".bi"))
    headers = []
    main_lines = read_lines(main)
    for path in files:
        lines = read_lines(path)
        for number, line in enumerate(lines, 1):
            for placeholder in PLACEHOLDER.findall(line):
                fail(f"{path}:{number}", f"{placeholder} left unfilled")
        file_headers = check_blocks(path, lines)
        check_module_names(path, lines)
        headers += [(path, *h) for h in file_headers]
        if multi and path != main and not file_headers:
            fail(path, "the include file holds no procedure")
    declared = [line[len("declare "):] for line in main_lines if line.startswith("declare ")]
    seen = {}
    for path, number, header, name in headers:
        if name in seen:
            fail(f"{path}:{number}", f"procedure {name} is also defined at {seen[name]}")
        seen[name] = f"{path}:{number}"
        count = declared.count(header)
        if count != 1:
            fail(f"{path}:{number}", f"declared {count} times in {main}: {header}")
    defined = {h[2] for h in headers}
    for line in declared:
        if line not in defined:
            fail(main, f"declared but not defined: {line}")
    if multi:
        includes = {line for line in main_lines if line.startswith("#include once ")}
        for dialog in dialogs:
            if not os.path.isfile(os.path.join(folder, dialog + ".bi")):
                fail(where, f"no include file {dialog}.bi")
            if f'#include once "{dialog}.bi"' not in includes:
                fail(main, f"{dialog}.bi is not included")


def script_facts(path):
    dialogs, classes = [], set()
    for line in read_lines(path):
        line = line.strip(" ")
        if "DIALOGEX" in line and not line.lower().startswith("#define"):
            dialogs.append(line.split(" ")[0])
        elif line.startswith("CONTROL"):
            fields = line.split(",")
            if len(fields) > 2:
                classes.add(fields[2].strip('"'))
    return dialogs, classes


def convert_examples(formwright, root, examples):
    scripts = sorted(f for f in os.listdir(examples) if f.lower().endswith(".rc"))
    if len(scripts) < 2:
        fail(examples, "fewer than two example scripts")
    for name in template_sets(root):
        folder = os.path.join(root, name)
        present = {f.lower() for f in os.listdir(folder)} if os.path.isdir(folder) else set()
        for script in scripts:
            dialogs, classes = script_facts(os.path.join(examples, script))
            for cls in sorted(classes):
                if cls.lower() + ".tpl" not in present:
                    fail(f"{name}/{cls}.tpl", f"missing, needed by {script}")
            for multi in (False, True):
                mode = "multi" if multi else "single"
                tmp = tempfile.mkdtemp(prefix=f"fw-{name}-{mode}-")
                before = len(failures)
                shutil.copy(os.path.join(examples, script), tmp)
                command = [formwright, "--template", name, "--template-root", root,
                           "--base-units", "6,13"] + (["--multi"] if multi else [])
                command.append(os.path.join(tmp, script))
                run = subprocess.run(command, capture_output=True, text=True)
                label = f"{script} with {name}, {mode}-file mode"
                if run.returncode != 0:
                    fail(label, f"exit {run.returncode}: {run.stderr.strip()}")
                else:
                    if run.stderr.strip():
                        fail(label, f"said on stderr: {run.stderr.strip()}")
                    check_output(tmp, script.split(".")[0], dialogs, multi)
                if len(failures) == before:
                    shutil.rmtree(tmp)
                    print(f"converted {label}")
                else:
                    print(f"converted {label}: failed, output kept in {tmp}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--templates", required=True, help="the template root (NAME.tpl, NAME/)")
    parser.add_argument("--examples", required=True, help="the folder of example scripts")
    parser.add_argument("--formwright", help="the command line; without it only the set files")
    args = parser.parse_args()
    root = os.path.abspath(args.templates)
    sets = template_sets(root)
    if not sets:
        fail(root, "no template set")
    for name in sets:
        check_set(root, name)
        print(f"checked the files of the set {name}")
    if args.formwright and not os.access(args.formwright, os.X_OK):
        fail(args.formwright, "the command line is missing or cannot be run")
    elif args.formwright:
        convert_examples(os.path.abspath(args.formwright), root, os.path.abspath(args.examples))
    for message in failures:
        print("FAIL " + message)
    print(f"{len(failures)} failure(s)" if failures else "all checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
