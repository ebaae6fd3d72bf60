#!/usr/bin/env python3
"""Random resource scripts for oracle_compare.py: many dialogs per script, each with random
statements and controls of every kind, mixed with other resources, written only in forms that
llvm-rc-14 reads (no * or /, no adjacent strings, no MENU in a dialog, no control data).

Usage: random_scripts.py [--start N] [--dialogs N] FILE
"""
import argparse
import random

STYLE_NAMES = ["WS_TABSTOP", "WS_GROUP", "WS_BORDER", "WS_VSCROLL", "WS_HSCROLL", "WS_DISABLED",
               "WS_VISIBLE", "WS_CHILD", "BS_AUTOCHECKBOX", "SS_CENTER", "ES_AUTOHSCROLL",
               "ES_MULTILINE", "CBS_DROPDOWNLIST", "LBS_SORT", "0x100", "0x8L", "1", "0x0004"]
DIALOG_STYLES = ["DS_MODALFRAME", "WS_POPUP", "WS_CAPTION", "WS_SYSMENU", "DS_SETFONT",
                 "DS_FIXEDSYS", "WS_THICKFRAME", "DS_CENTER", "WS_CHILD", "0x4L"]
EX_STYLES = ["WS_EX_CLIENTEDGE", "WS_EX_STATICEDGE", "WS_EX_TRANSPARENT", "WS_EX_TOOLWINDOW",
             "0x200", "0"]
KINDS = ["LTEXT", "RTEXT", "CTEXT", "PUSHBUTTON", "DEFPUSHBUTTON", "PUSHBOX", "EDITTEXT",
         "COMBOBOX", "LISTBOX", "GROUPBOX", "CHECKBOX", "AUTOCHECKBOX", "STATE3", "AUTO3STATE",
         "RADIOBUTTON", "AUTORADIOBUTTON", "SCROLLBAR", "ICON", "CONTROL"]
NO_TEXT = {"EDITTEXT", "COMBOBOX", "LISTBOX", "SCROLLBAR"}
CLASSES = ['"Button"', '"button"', '"Static"', '"EDIT"', '"SysListView32"',
           '"msctls_trackbar32"', '"ComboBox"', '"My Class"', '"RichEdit20W"']
TEXT_PIECES = ["OK", "&Cancel", "a\\tb", "line\\nnext", '""quoted""', "back\\\\slash", "\\x41\\101",
               "caf\u00e9", "\u65e5\u672c", "  spaced  ", "%d items", "\\q", ""]
FACES = ['"MS Shell Dlg"', '"Tahoma"', '"Segoe UI"', '"MS Sans Serif"', '"Courier New"']


def expression(rng, names, depth=0):
    """A style expression: names and numbers joined by | + - &, with NOT, ~, - and ( )."""
    parts = []
    for i in range(rng.randint(1, 4)):
        term = rng.choice(names)
        r = rng.random()
        if r < 0.1 and depth < 2:
            term = "(" + expression(rng, names, depth + 1) + ")"
        elif r < 0.2:
            term = "NOT " + term
        elif r < 0.25:
            term = "~" + term
        if i:
            op = rng.choice(["|", "|", "|", "+", "-", "&"])
            parts.append(" %s " % op if rng.random() < 0.8 else op)
        parts.append(term)
    return "".join(parts)


def small(rng, low=0, high=300):
    a = rng.randint(low, high)
    r = rng.random()
    if r < 0.1:
        return "%d + %d" % (a, rng.randint(0, 20))
    if r < 0.15:
        return "(%d - %d)" % (a + 20, rng.randint(0, 20))
    if r < 0.2 and a >= 0:
        return "0x%X" % a
    return str(a)


def text(rng):
    s = "".join(rng.choice(TEXT_PIECES) for _ in range(rng.randint(0, 3)))
    return ("L" if rng.random() < 0.1 else "") + '"' + s + '"'


def sep(rng):
    r = rng.random()
    return ",\n        " if r < 0.05 else ("," if r < 0.3 else ", ")


def control(rng, ids, extended):
    kind = rng.choice(KINDS)
    fields = []
    if kind == "CONTROL":
        fields.append(text(rng) if rng.random() < 0.9 else str(rng.randint(1, 200)))
    elif kind == "ICON":
        fields.append(rng.choice(['"app"', "IDI_APP", "5", '""']))
    elif kind not in NO_TEXT:
        fields.append(text(rng))
    fields.append(rng.choice(ids))
    if kind == "CONTROL":
        fields.append(rng.choice(CLASSES))
        fields.append(expression(rng, STYLE_NAMES))
    geometry = [small(rng), small(rng), small(rng, 0, 200), small(rng, 0, 100)]
    fields += geometry
    optional = []
    if kind != "CONTROL":
        optional.append(expression(rng, STYLE_NAMES))
    optional.append(expression(rng, EX_STYLES))
    if extended:
        optional.append(str(rng.randint(0, 1000)))
    take = rng.randint(0, len(optional))
    fields += optional[:take]
    out = "    %-16s" % kind
    for i, f in enumerate(fields):
        out += (sep(rng) if i else "") + f
    return out + "\n"


def dialog(rng, index, ids, header):
    extended = rng.random() < 0.7
    names = ["IDD_D%d" % index, str(100 + index), "dlg%d" % index]
    name = rng.choice(names)
    if name.startswith("IDD_"):
        header.append("#define %s %d" % (name, 1000 + index))
    out = []
    if rng.random() < 0.2:
        out.append("LANGUAGE %s" % rng.choice(["LANG_ENGLISH, SUBLANG_ENGLISH_US",
                                              "LANG_GERMAN, SUBLANG_GERMAN", "9, 2", "0, 0"]))
    options = " ".join(rng.sample(["DISCARDABLE", "MOVEABLE", "PURE", "PRELOAD", "LOADONCALL",
                                   "IMPURE", "FIXED"], rng.randint(0, 2)))
    coords = ", ".join([small(rng, -20 if extended else 0, 200), small(rng), small(rng, 20, 400),
                        small(rng, 20, 300)])
    help_id = ", %d" % rng.randint(0, 99) if extended and rng.random() < 0.2 else ""
    out.append("%s %s %s %s%s" % (name, "DIALOGEX" if extended else "DIALOG", options, coords,
                                  help_id))
    statements = []
    if rng.random() < 0.8:
        statements.append("STYLE " + " | ".join(rng.sample(DIALOG_STYLES, rng.randint(1, 4))))
    if rng.random() < 0.4:
        statements.append("EXSTYLE " + expression(rng, EX_STYLES))
    if rng.random() < 0.7:
        statements.append("CAPTION " + text(rng))
    if rng.random() < 0.7:
        font = "FONT %d, %s" % (rng.randint(6, 14), rng.choice(FACES))
        if extended and rng.random() < 0.6:
            font += ", %d" % rng.choice([0, 400, 700])
            if rng.random() < 0.6:
                font += ", %d" % rng.randint(0, 1)
                if rng.random() < 0.6:
                    font += ", 0x%X" % rng.choice([0, 1, 128, 204])
        statements.append(font)
    if rng.random() < 0.15:
        statements.append("CLASS " + rng.choice(['"MyDialogClass"', '"#32770"', "5"]))
    if rng.random() < 0.1:
        statements.append("LANGUAGE LANG_FRENCH, SUBLANG_FRENCH")
    if rng.random() < 0.1:
        statements.append("CHARACTERISTICS 7")
    if rng.random() < 0.1:
        statements.append("VERSION 2")
    rng.shuffle(statements)
    out += statements
    out.append(rng.choice(["BEGIN", "{"]))
    body = "".join(control(rng, ids, extended) for _ in range(rng.randint(0, 12)))
    out.append(body.rstrip("\n"))
    out.append(rng.choice(["END", "}"]))
    return "\n".join(out) + "\n"


OTHERS = [
    'IDR_MENU{n} MENU\nBEGIN\n  POPUP "&File"\n  BEGIN\n    MENUITEM "E&xit", 100\n'
    '    MENUITEM SEPARATOR\n  END\nEND\n',
    'STRINGTABLE\nBEGIN\n  {n}, "string {n}"\nEND\n',
    'IDR_ACC{n} ACCELERATORS\nBEGIN\n  "A", 100, VIRTKEY, CONTROL\n  VK_F5, 101, VIRTKEY\nEND\n',
    '{n} RCDATA\nBEGIN\n  1, 2, "three", 4L\nEND\n',
    'IDR_DATA{n} MYTYPE { "raw", 0x10 }\n',
    '1 VERSIONINFO\n FILEVERSION 1,0,0,{n}\n FILEFLAGSMASK 0x3fL\nBEGIN\n'
    '  BLOCK "StringFileInfo"\n  BEGIN\n    BLOCK "040904b0"\n    BEGIN\n'
    '      VALUE "FileDescription", "x"\n    END\n  END\nEND\n',
    '{n} TEXTINCLUDE\nBEGIN\n    "resource.h\\0"\nEND\n',
    'IDD_D{n} DLGINIT\nBEGIN\n    1000, 0x403, 5, 0\n0x6261, 0x0063,\n    0\nEND\n',
]


def write_script(path, rng, count):
    ids = ["IDC_STATIC", "-1", "IDOK", "IDCANCEL"]
    header = ["#include <winres.h>", "#include <commctrl.h>", "#define IDI_APP 7"]
    for i in range(1, 9):
        header.append("#define IDC_C%d %s" % (i, rng.choice([str(1000 + i), "0x%X" % (0x500 + i),
                                                             "(%d)" % (2000 + i)])))
        ids += ["IDC_C%d" % i, "IDC_C%d + 1" % i, str(3000 + i)]
    body = []
    for i in range(count):
        if rng.random() < 0.3:
            body.append(rng.choice(OTHERS).replace("{n}", str(500 + i)))
        body.append(dialog(rng, i, ids, header))
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(header) + "\n\n" + "\n".join(body))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--start", type=int, default=1)
    parser.add_argument("--dialogs", type=int, default=50)
    parser.add_argument("file")
    args = parser.parse_args()
    write_script(args.file, random.Random(args.start), args.dialogs)


if __name__ == "__main__":
    main()
