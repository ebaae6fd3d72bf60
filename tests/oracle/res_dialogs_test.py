#!/usr/bin/env python3
"""Tests of the oracle tools: res_dialogs.py on .res bytes built here, both oracles on small
scripts (every short control statement, DIALOG and DIALOGEX, fonts), the places where the two
oracles differ (each as measured; decisions.md is the table of them), and oracle.py's fixes for
real scripts.

Run: python3 -m unittest tests/oracle/res_dialogs_test.py   (from the repository root)
     python3 tests/oracle/res_dialogs_test.py [-v]
     python3 tests/oracle/res_dialogs_test.py --print-decisions   (the measured table)
Tests that need an oracle are skipped when it is not installed (llvm-rc-14 from Debian's
llvm-14, x86_64-w64-mingw32-windres from binutils-mingw-w64-x86-64).
"""
import codecs
import json
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import oracle  # noqa: E402
import res_dialogs  # noqa: E402

HAVE = {"llvm-rc": shutil.which(oracle.LLVM_RC) is not None,
        "windres": shutil.which(oracle.WINDRES) is not None}
FAILS = "fails"  # what a construct gives when the oracle rejects the script


# ---------------------------------------------------------------------------------------------
# .res bytes written here from the documented layouts

def _sz_or_ord(value):
    if value is None:
        return b"\0\0"
    if isinstance(value, int):
        return struct.pack("<HH", 0xFFFF, value)
    return value.encode("utf-16-le") + b"\0\0"


def _pad(data, unit):
    return data + b"\0" * (-len(data) % unit)


def res_entry(rtype, name, data, language=1033, flags=0x1030):
    names = _pad(_sz_or_ord(rtype) + _sz_or_ord(name), 4)
    header_size = 8 + len(names) + 16
    header = (struct.pack("<II", len(data), header_size) + names
              + struct.pack("<IHHII", 0, flags, language, 0, 0))
    return _pad(header + data, 4)


def res_file(*entries):
    return res_entry(0, 0, b"", language=0, flags=0) + b"".join(entries)


def item_bytes(extended, style, x, y, cx, cy, item_id, wclass, text, extra=b"",
               ex_style=0, help_id=0):
    if extended:
        head = struct.pack("<IIIhhhhi", help_id, ex_style, style, x, y, cx, cy, item_id)
    else:
        head = struct.pack("<IIhhhhH", style, ex_style, x, y, cx, cy, item_id & 0xFFFF)
    return head + _sz_or_ord(wclass) + _sz_or_ord(text) + struct.pack("<H", len(extra)) + extra


def dialog_bytes(extended, style, items, x=1, y=2, cx=300, cy=200, menu=None, wclass=None,
                 title="", font=None, ex_style=0, help_id=0):
    """font: (point size, typeface) or, for EX, (point size, weight, italic, charset, face)."""
    if extended:
        data = struct.pack("<HHIIIHhhhh", 1, 0xFFFF, help_id, ex_style, style, len(items),
                           x, y, cx, cy)
    else:
        data = struct.pack("<IIHhhhh", style, ex_style, len(items), x, y, cx, cy)
    data += _sz_or_ord(menu) + _sz_or_ord(wclass) + _sz_or_ord(title)
    if font:
        if extended:
            data += struct.pack("<HHBB", *font[:4]) + _sz_or_ord(font[4])
        else:
            data += struct.pack("<H", font[0]) + _sz_or_ord(font[1])
    for item in items:
        data = _pad(data, 4) + item
    return data


class ReaderLayoutTest(unittest.TestCase):
    """res_dialogs on templates whose bytes are written here from the documented layouts; odd
    string lengths, odd extra data and ordinals make every alignment rule count."""

    def test_classic_template_with_font_ordinals_and_extra_data(self):
        items = [
            item_bytes(False, 0x50010001, 10, 20, 50, 14, 1, 0x80, "OK"),
            item_bytes(False, 0x50000003, -5, 7, 0, 0, 0xFFFF, "SysListView32", 42,
                       extra=b"\x01\x02\x03"),
            item_bytes(False, 0x50810080, 1, 2, 3, 4, 65534, 0x81, "", ex_style=0x200),
            item_bytes(False, 0x5000000B, 0, 0, 1, 1, 7, 0x99, "odd"),
        ]
        data = res_file(res_entry(5, 100, dialog_bytes(
            False, 0x80C800C0, items, menu=7, wclass="Cls", title="Title",
            font=(8, "MS Shell Dlg"))))
        (dlg,) = res_dialogs.dialogs(data)
        self.assertEqual((dlg["name"], dlg["language"], dlg["memoryFlags"]), (100, 1033, 0x1030))
        self.assertFalse(dlg["extended"])
        self.assertIsNone(dlg["helpId"])
        self.assertEqual((dlg["style"], dlg["exStyle"], dlg["itemCount"]), (0x80C800C0, 0, 4))
        self.assertEqual((dlg["x"], dlg["y"], dlg["cx"], dlg["cy"]), (1, 2, 300, 200))
        self.assertEqual((dlg["menu"], dlg["class"], dlg["title"]), (7, "Cls", "Title"))
        self.assertEqual(dlg["font"], {"pointSize": 8, "weight": None, "italic": None,
                                       "charset": None, "typeface": "MS Shell Dlg"})
        first, second, third, fourth = dlg["items"]
        self.assertEqual((first["class"], first["classOrdinal"], first["text"], first["id"]),
                         ("Button", 0x80, "OK", 1))
        self.assertEqual((first["x"], first["y"], first["cx"], first["cy"]), (10, 20, 50, 14))
        self.assertIsNone(first["helpId"])
        self.assertEqual((second["class"], second["classOrdinal"], second["text"]),
                         ("SysListView32", None, 42))
        self.assertEqual((second["id"], second["x"], second["extra"]), (-1, -5, "010203"))
        self.assertEqual((third["class"], third["text"], third["exStyle"], third["id"]),
                         ("Edit", "", 0x200, -2))
        self.assertEqual((fourth["class"], fourth["classOrdinal"], fourth["text"]),
                         (0x99, 0x99, "odd"))

    def test_extended_template_with_full_font_and_help_ids(self):
        items = [
            item_bytes(True, 0x50010000, 1, 2, 3, 4, -2, 0x80, "B", help_id=77,
                       ex_style=0x20000),
            item_bytes(True, 0x50000000, 5, 6, 7, 8, 70000, 0x85, "", extra=b"xyz!"),
            item_bytes(True, 0x50000000, 5, 6, 7, 8, 3, 0x84, "tail"),
        ]
        data = res_file(res_entry(5, "ABOUT", dialog_bytes(
            True, 0x80000048, items, title="T", help_id=555, ex_style=0x8,
            font=(9, 700, 1, 204, "Arial")), language=0x0411))
        (dlg,) = res_dialogs.dialogs(data)
        self.assertTrue(dlg["extended"])
        self.assertEqual((dlg["name"], dlg["language"]), ("ABOUT", 0x0411))
        self.assertEqual((dlg["helpId"], dlg["exStyle"], dlg["style"]), (555, 8, 0x80000048))
        self.assertEqual(dlg["font"], {"pointSize": 9, "weight": 700, "italic": 1,
                                       "charset": 204, "typeface": "Arial"})
        a, b, c = dlg["items"]
        self.assertEqual((a["id"], a["helpId"], a["exStyle"], a["class"]), (-2, 77, 0x20000,
                                                                              "Button"))
        self.assertEqual((b["id"], b["class"], b["extra"]), (70000, "ComboBox", "78797a21"))
        self.assertEqual((c["class"], c["text"]), ("ScrollBar", "tail"))

    def test_no_font_fields_without_ds_setfont(self):
        for extended in (False, True):
            items = [item_bytes(extended, 0x50000000, 1, 1, 1, 1, 9, 0x82, "x")]
            data = res_file(res_entry(5, 1, dialog_bytes(extended, 0x80000000, items, title="ab")))
            (dlg,) = res_dialogs.dialogs(data)
            self.assertIsNone(dlg["font"])
            self.assertEqual((dlg["items"][0]["id"], dlg["items"][0]["text"]), (9, "x"))

    def test_only_dialogs_in_file_order_with_padding_between_entries(self):
        dlg = dialog_bytes(False, 0x80000000, [], title="abc")
        data = res_file(res_entry(6, 1, b"\x01\x02\x03"),  # a string table of 3 bytes
                        res_entry(5, "Z", dlg, language=7),
                        res_entry("CUSTOM", "NAME", b"12345"),
                        res_entry(5, 3, dlg))
        found = res_dialogs.dialogs(data)
        self.assertEqual([(d["name"], d["language"]) for d in found], [("Z", 7), (3, 1033)])
        types = [e["type"] for e in res_dialogs.read_resources(data)]
        self.assertEqual(types, [6, 5, "CUSTOM", 5])

    def test_malformed_files_are_refused(self):
        good = dialog_bytes(False, 0x80000000,
                            [item_bytes(False, 0, 0, 0, 1, 1, 1, 0x80, "a")] * 2)
        cases = {
            "16-bit or other file": b"\xff\x05\x00" + good,
            "too short": b"\0" * 10,
            "item count beyond the data": res_file(res_entry(5, 1, good[:-20])),
            "string without NUL": res_file(res_entry(5, 1, good[:30] + b"a\0b\0")),
            "data size past the end": res_file(res_entry(5, 1, good))[:-40],
        }
        for what, data in cases.items():
            with self.subTest(what):
                with self.assertRaises(res_dialogs.ResFormatError):
                    res_dialogs.dialogs(data)

    def test_command_line(self):
        with tempfile.TemporaryDirectory() as work:
            path = os.path.join(work, "x.res")
            with open(path, "wb") as f:
                f.write(res_file(res_entry(5, 4, dialog_bytes(True, 0x40, [], font=(
                    8, 400, 0, 1, "\u65e5\u672c")))))
            run = subprocess.run([sys.executable, os.path.join(HERE, "res_dialogs.py"), path],
                                 capture_output=True, text=True)
            self.assertEqual(run.returncode, 0, run.stderr)
            self.assertEqual(json.loads(run.stdout)[0]["font"]["typeface"], "\u65e5\u672c")
            with open(path, "wb") as f:
                f.write(b"not a resource file at all, clearly")
            run = subprocess.run([sys.executable, os.path.join(HERE, "res_dialogs.py"), path],
                                 capture_output=True, text=True)
            self.assertEqual(run.returncode, 1)
            self.assertIn("not a 32-bit resource file", run.stderr)


# ---------------------------------------------------------------------------------------------
# Both oracles on small scripts

def compile_text(text, oracle_name, standin=True, files=None, **options):
    """The oracle.py result of `text` as script.rc in a fresh folder with `files` beside it."""
    with tempfile.TemporaryDirectory() as work:
        for name, data in dict(files or {}, **{"script.rc": text}).items():
            with open(os.path.join(work, name), "wb") as f:
                f.write(data if isinstance(data, bytes) else data.encode("utf-8"))
        return oracle.compile_script(os.path.join(work, "script.rc"), oracle_name,
                                     standin=standin, **options)


def dialogs_of(text, oracle_name, **options):
    result = compile_text(text, oracle_name, **options)
    return result["dialogs"] if result["oracle"] else None


def one_dialog(body, oracle_name, kind="DIALOGEX", header="", prefix='#include "winres.h"\n'):
    text = "%s1 %s 0, 0, 100, 100\n%sBEGIN\n%s\nEND\n" % (prefix, kind, header, body)
    found = dialogs_of(text, oracle_name)
    return found[0] if found else None


def needs(name):
    return unittest.skipUnless(HAVE[name], "%s is not installed" % name)


SHORT_FORMS = [
    # statement, class, default style per oracle (llvm-rc, windres) when they differ
    ('LTEXT "lt", 101, 1, 2, 30, 8', "Static", 0x50020000),
    ('RTEXT "rt", 102, 1, 2, 30, 8', "Static", 0x50020002),
    ('CTEXT "ct", 103, 1, 2, 30, 8', "Static", 0x50020001),
    ('PUSHBUTTON "pb", 104, 1, 2, 30, 8', "Button", 0x50010000),
    ('DEFPUSHBUTTON "dp", IDOK, 1, 2, 30, 8', "Button", 0x50010001),
    ('PUSHBOX "px", 106, 1, 2, 30, 8', "Button", (0x5001000A, 0x5001000C)),
    ("EDITTEXT 107, 1, 2, 30, 8", "Edit", 0x50810000),
    ("COMBOBOX 108, 1, 2, 30, 80", "ComboBox", (0x50000000, 0x50010001)),
    ("LISTBOX 109, 1, 2, 30, 80", "ListBox", 0x50800001),
    ('GROUPBOX "gb", 110, 1, 2, 30, 8', "Button", 0x50000007),
    ('CHECKBOX "cb", 111, 1, 2, 30, 8', "Button", 0x50010002),
    ('AUTOCHECKBOX "ac", 112, 1, 2, 30, 8', "Button", 0x50010003),
    ('STATE3 "s3", 113, 1, 2, 30, 8', "Button", 0x50010005),
    ('AUTO3STATE "a3", 114, 1, 2, 30, 8', "Button", 0x50010006),
    ('RADIOBUTTON "rb", 115, 1, 2, 30, 8', "Button", (0x50000004, 0x50010004)),
    ('AUTORADIOBUTTON "ar", 116, 1, 2, 30, 8', "Button", (0x50000009, 0x50010009)),
    ("SCROLLBAR 117, 1, 2, 30, 8", "ScrollBar", 0x50000000),
    ("ICON 5, 118, 1, 2, 0, 0", "Static", 0x50000003),
    ('CONTROL "ct", IDC_STATIC, "Static", SS_ETCHEDHORZ, 1, 2, 30, 1', ("Static", "STATIC"),
     0x50000010),
]
TEXTS = {"EDITTEXT": "", "COMBOBOX": "", "LISTBOX": "", "SCROLLBAR": "", "ICON": 5}


class ShortFormsTest(unittest.TestCase):
    """Every short control statement in DIALOG and DIALOGEX: class, id, text, geometry and the
    default style each oracle gives it."""

    def check(self, oracle_name, kind):
        body = "\n".join("    " + s for s, _, _ in SHORT_FORMS)
        dlg = one_dialog(body, oracle_name, kind)
        self.assertIsNotNone(dlg, "%s refused the short forms" % oracle_name)
        self.assertEqual(len(dlg["items"]), len(SHORT_FORMS))
        column = 0 if oracle_name == "llvm-rc" else 1
        for (statement, wclass, style), item in zip(SHORT_FORMS, dlg["items"]):
            keyword = statement.split()[0]
            with self.subTest(statement=keyword, oracle=oracle_name, kind=kind):
                expected_style = style[column] if isinstance(style, tuple) else style
                self.assertEqual(item["class"], wclass[column] if isinstance(wclass, tuple)
                                 else wclass)
                self.assertEqual(item["style"], expected_style, "%08x" % item["style"])
                self.assertEqual(item["exStyle"], 0)
                numbers = [int(n) for n in re.findall(r"(?<![\w\"])-?\d+", statement)]
                if keyword == "DEFPUSHBUTTON":
                    self.assertEqual(item["id"], 1)
                elif keyword == "CONTROL":
                    self.assertEqual(item["id"], -1)
                else:
                    self.assertEqual(item["id"], numbers[-5] if keyword != "ICON" else 118)
                self.assertEqual((item["x"], item["y"]), (1, 2))
                if keyword in TEXTS:
                    self.assertEqual(item["text"], TEXTS[keyword])
                elif not (keyword == "PUSHBOX" and oracle_name == "windres"):
                    self.assertEqual(item["text"], re.search(r'"([^"]*)"', statement).group(1))
                self.assertEqual(item["helpId"], 0 if kind == "DIALOGEX" else None)

    @needs("llvm-rc")
    def test_llvm_rc(self):
        for kind in ("DIALOG", "DIALOGEX"):
            self.check("llvm-rc", kind)

    @needs("windres")
    def test_windres(self):
        for kind in ("DIALOG", "DIALOGEX"):
            self.check("windres", kind)


class DialogHeaderTest(unittest.TestCase):
    """DIALOG against DIALOGEX: default and explicit styles, CAPTION, FONT with weight, italic
    and charset, EXSTYLE, CLASS, LANGUAGE, help ids, memory flags; both oracles agree here."""

    SCRIPT = """#include "winres.h"
1 DIALOG 1, 2, 30, 40
BEGIN
END
2 DIALOGEX 1, 2, 30, 40
BEGIN
END
3 DIALOG DISCARDABLE 0, 0, 10, 10
CAPTION "cap"
FONT 9, "Arial"
BEGIN
    PUSHBUTTON "b", 7, 1, 1, 1, 1, NOT WS_TABSTOP | BS_MULTILINE, WS_EX_CLIENTEDGE
END
4 DIALOGEX 0, 0, 10, 10, 555
CAPTION "x"
STYLE DS_SETFONT | DS_FIXEDSYS | WS_POPUP
EXSTYLE WS_EX_TOPMOST
CLASS 33
FONT 8, "MS Shell Dlg", FW_BOLD_STANDIN, TRUE_STANDIN, 204
LANGUAGE LANG_GERMAN, SUBLANG_GERMAN
BEGIN
    CONTROL "c", 8, "Edit", ES_NUMBER, 1, 2, 3, 4, WS_EX_STATICEDGE, 99
END
named DIALOGEX 0, 0, 10, 10
STYLE WS_CHILD
FONT 10, "Tahoma"
BEGIN
END
"""

    def check(self, oracle_name):
        text = self.SCRIPT.replace("FW_BOLD_STANDIN", "700").replace("TRUE_STANDIN", "1")
        found = {d["name"]: d for d in dialogs_of(text, oracle_name)}
        self.assertEqual(sorted(found, key=str), [1, 2, 3, 4, "NAMED"])
        plain, plain_ex, classic, ex, named = (found[k] for k in (1, 2, 3, 4, "NAMED"))
        for dlg in (plain, plain_ex):  # WS_POPUP | WS_BORDER | WS_SYSMENU without STYLE
            self.assertEqual((dlg["style"], dlg["font"], dlg["title"]), (0x80880000, None, ""))
            self.assertEqual((dlg["x"], dlg["y"], dlg["cx"], dlg["cy"]), (1, 2, 30, 40))
        self.assertEqual((plain["extended"], plain_ex["extended"]), (False, True))
        self.assertEqual(classic["style"], 0x80C80040)  # CAPTION adds WS_CAPTION, FONT DS_SETFONT
        self.assertEqual(classic["font"], {"pointSize": 9, "weight": None, "italic": None,
                                           "charset": None, "typeface": "Arial"})
        button = classic["items"][0]
        self.assertEqual((button["style"], button["exStyle"]), (0x50002000, 0x200))
        self.assertEqual(ex["style"], 0x80C00048)  # STYLE after CAPTION keeps WS_CAPTION
        self.assertEqual((ex["exStyle"], ex["helpId"], ex["class"], ex["language"]),
                         (0x8, 555, 33, 0x0407))
        self.assertEqual(ex["font"], {"pointSize": 8, "weight": 700, "italic": 1,
                                      "charset": 204, "typeface": "MS Shell Dlg"})
        edit = ex["items"][0]
        self.assertEqual((edit["class"].upper(), edit["style"], edit["exStyle"], edit["helpId"]),
                         ("EDIT", 0x50002000, 0x20000, 99))
        self.assertEqual(named["style"], 0x40000040)
        self.assertEqual(named["font"]["weight"], 0)
        self.assertEqual(named["font"]["charset"], 1)  # DEFAULT_CHARSET when not given
        self.assertEqual({d["memoryFlags"] for d in found.values()}, {0x1030})

    @needs("llvm-rc")
    def test_llvm_rc(self):
        self.check("llvm-rc")

    @needs("windres")
    def test_windres(self):
        self.check("windres")


# ---------------------------------------------------------------------------------------------
# Where the two oracles differ (and a few places where they agree although one might expect
# otherwise). Each row: construct, script (a dialog body, or a whole script when it starts with
# "SCRIPT:"), what to read from the first dialog, the value per oracle, and what the
# documentation says. decisions.md holds this table.

def _item(field, index=0):
    return lambda d: d["items"][index][field]


def _hex_item(field, index=0):
    return lambda d: "0x%08X" % d["items"][index][field]


def _geometry(index=0):
    return lambda d: "%d,%d,%d,%d" % tuple(d["items"][index][k] for k in ("x", "y", "cx", "cy"))


DECISIONS = [
    ("COMBOBOX default style", "COMBOBOX 1, 1, 2, 3, 4", _hex_item("style"),
     "0x50000000", "0x50010001",
     "CBS_SIMPLE | WS_TABSTOP (COMBOBOX control page)"),
    ("RADIOBUTTON default style", 'RADIOBUTTON "r", 1, 1, 2, 3, 4', _hex_item("style"),
     "0x50000004", "0x50010004", "BS_RADIOBUTTON | WS_TABSTOP"),
    ("AUTORADIOBUTTON default style", 'AUTORADIOBUTTON "r", 1, 1, 2, 3, 4', _hex_item("style"),
     "0x50000009", "0x50010009", "BS_AUTORADIOBUTTON | WS_TABSTOP"),
    ("LTEXT with a style given (0x200): the WS_GROUP default", 'LTEXT "t", 1, 1, 2, 3, 4, 0x200',
     _hex_item("style"), "0x50020200", "0x50000200",
     "default SS_LEFT | WS_GROUP; silent on defaults once a style is given"),
    ("PUSHBOX style", 'PUSHBOX "p", 1, 1, 2, 3, 4', _hex_item("style"),
     "0x5001000A", "0x5001000C", "BS_PUSHBOX | WS_TABSTOP"),
    ("PUSHBOX text", 'PUSHBOX "p", 1, 1, 2, 3, 4', _item("text"), "p", 0,
     "the text is displayed in the control"),
    ("ICON without width and height", "ICON 5, 1, 10, 20", _geometry(), FAILS, "10,20,0,0",
     "ICON text, id, x, y [, width, height, style [, extended-style]]"),
    ("ICON width and height", "ICON 5, 1, 10, 20, 30, 40", _geometry(), "10,20,30,40",
     "10,20,0,0", "width and height are ignored and should be 0"),
    ("ICON text given as a name", 'ICON "app", 1, 10, 20, 0, 0', _item("text"), "app", "APP",
     "the name of an icon defined elsewhere in the script"),
    ("CONTROL class \"button\" (predefined, any case)", 'CONTROL "c", 1, "button", 0, 1, 2, 3, 4',
     lambda d: "%r ord %r" % (d["items"][0]["class"], d["items"][0]["classOrdinal"]),
     "'button' ord None", "'BUTTON' ord None",
     "BUTTON, COMBOBOX, EDIT, LISTBOX, SCROLLBAR, STATIC are the predefined classes "
     "(written as the ordinals 0x80-0x85 by the format)"),
    ("CONTROL class of a common control", 'CONTROL "c", 1, "SysListView32", 0, 1, 2, 3, 4',
     _item("class"), "SysListView32", "SYSLISTVIEW32", "a class name string"),
    ("CONTROL class as a bare word (BUTTON)", 'CONTROL "c", 1, BUTTON, 0, 1, 2, 3, 4',
     _item("class"), FAILS, FAILS, "class: name, string or 16-bit number"),
    ("CONTROL text as a number", 'CONTROL 5, 1, "Static", SS_BITMAP, 1, 2, 3, 4',
     _item("text"), 5, 5, "text: string or resource id (ordinal)"),
    ("x = 1 | 2 + 3 (precedence)", 'LTEXT "t", 1, 1 | 2 + 3, 0, 1, 1', _item("x"), 6, 5,
     "not stated in the pages found"),
    ("x = 8 | 6 & 3 (precedence)", 'LTEXT "t", 1, 8 | 6 & 3, 0, 1, 1', _item("x"), 2, 10,
     "not stated in the pages found"),
    ("x = 2 - 3 * 1 (multiplication)", 'LTEXT "t", 1, 2 - 3 * 1, 0, 1, 1', _item("x"), FAILS,
     -1, "not stated in the pages found"),
    ("style 0x10 - 1 (arithmetic in a style)",
     'CONTROL "c", 1, "button", 0x10 - 1, 1, 2, 3, 4', _hex_item("style"), "0x5000000F", FAILS,
     "style: name or integer value"),
    ("style 3 & 1 in a short form", 'PUSHBUTTON "p", 1, 1, 2, 3, 4, 3 & 1', _hex_item("style"),
     "0x50010001", FAILS, "style: combination of styles"),
    ("style -1 / ~1", 'CONTROL "c", 1, "button", ~1, 1, 2, 3, 4', _hex_item("style"),
     "0xFFFFFFFE", FAILS, "not stated in the pages found"),
    ("NOT x | y (NOT clears from what is left of it)",
     'CONTROL "c", 1, "button", NOT 1 | 3, 1, 2, 3, 4', _hex_item("style"), "0x50000003",
     "0x50000003", "NOT removes the style from the default"),
    ("y | NOT x", 'CONTROL "c", 1, "button", 3 | NOT 1, 1, 2, 3, 4', _hex_item("style"),
     "0x50000002", "0x50000002", "NOT removes the style from the default"),
    ("NOT WS_TABSTOP on a default", 'PUSHBUTTON "p", 1, 1, 2, 3, 4, NOT WS_TABSTOP',
     _hex_item("style"), "0x50000000", "0x50000000", "NOT removes a default style"),
    ("L suffix (5L)", 'CONTROL "c", 1L, "button", 5L, 1L, 2, 3, 4', _hex_item("style"),
     "0x50000005", "0x50000005", "long integers (L) are accepted"),
    ("leading 0 (010)", 'CONTROL "c", 1, "button", 010, 1, 2, 3, 4', _hex_item("style"),
     "0x50000008", "0x50000008", "not stated in the pages found"),
    ("adjacent strings \"ab\" \"cd\"", 'LTEXT "ab" "cd", 1, 1, 2, 3, 4', _item("text"), FAILS,
     "abcd", "not stated in the pages found"),
    ("escapes \\t \\n \\x41 \\101 and \"\"", r'LTEXT "a""b\tc\nd\x41\101", 1, 1, 2, 3, 4',
     _item("text"), 'a"b\tc\ndAA', 'a"b\tc\ndAA', "\"\" inside a string is a quote"),
    ("id 65536 in DIALOGEX", 'CONTROL "c", 65536, "button", 0, 1, 2, 3, 4', _item("id"),
     65536, 65536, "DLGITEMTEMPLATEEX id is a DWORD"),
    ("comma missing after the text", 'CONTROL "c" 1, "button", 0, 1, 2, 3, 4', _item("id"),
     FAILS, FAILS, "commas separate the parameters"),
    ("trailing comma after the last parameter", 'LTEXT "t", 1, 1, 2, 3, 4,', _item("id"),
     FAILS, FAILS, "not stated in the pages found"),
    ("control data BEGIN ... END after a control",
     'CONTROL "c", 1, "button", 0, 1, 2, 3, 4 BEGIN 1, 2, "ab" END', _item("extra"), FAILS,
     "010002006162", "DLGITEMTEMPLATEEX extraCount: creation data"),
    ("MENU statement in a dialog", "SCRIPT:1 DIALOGEX 0, 0, 9, 9\nMENU 77\nBEGIN\nEND\n",
     lambda d: d["menu"], FAILS, 77, "MENU menuname: the dialog's menu"),
    ("CLASS \"MyClass\" of a dialog",
     "SCRIPT:1 DIALOGEX 0, 0, 9, 9\nCLASS \"MyClass\"\nBEGIN\nEND\n", lambda d: d["class"],
     "MyClass", "MYCLASS", "CLASS class: the dialog's window class"),
    ("quoted resource name \"Quoted\"", 'SCRIPT:"Quoted" DIALOGEX 0, 0, 9, 9\nBEGIN\nEND\n',
     lambda d: d["name"], FAILS, "QUOTED", "nameID: a unique name or integer"),
    ("CAPTION \"a\" \"b\"", 'SCRIPT:1 DIALOGEX 0, 0, 9, 9\nCAPTION "a" "b"\nBEGIN\nEND\n',
     lambda d: d["title"], FAILS, "ab", "CAPTION \"captiontext\""),
    ("negative dialog x, y", "SCRIPT:1 DIALOGEX -10, -10, 9, 9\nBEGIN\nEND\n",
     lambda d: d["x"], -10, FAILS, "x, y: signed dialog units"),
    ("STYLE with + (0x80000000 | 0x100 + 1)",
     "SCRIPT:1 DIALOGEX 0, 0, 9, 9\nSTYLE 0x80000000 | 0x100 + 1\nBEGIN\nEND\n",
     lambda d: "0x%08X" % d["style"], "0x80000101", FAILS, "not stated in the pages found"),
    ("FONT without weight, italic, charset (DIALOGEX)",
     'SCRIPT:1 DIALOGEX 0, 0, 9, 9\nFONT 8, "A"\nBEGIN\nEND\n',
     lambda d: "%d,%d,%d" % (d["font"]["weight"], d["font"]["italic"], d["font"]["charset"]),
     "0,0,1", "0,0,1", "FONT pointsize, typeface, weight, italic, charset"),
    ("#pragma code_page(1252) and a non-ASCII text",
     'SCRIPT:#pragma code_page(1252)\n1 DIALOGEX 0, 0, 9, 9\nBEGIN\nLTEXT "caf\xe9", 1, 1, 2, 3, 4\n'
     'END\n', _item("text"), FAILS, "caf\u00e9", "#pragma code_page sets the code page"),
    ("C declarations in an included .h",
     'SCRIPT:#include "decl.h"\n1 DIALOGEX 0, 0, 9, 9\nBEGIN\nLTEXT "t", ID_T, 1, 2, 3, 4\n'
     "END\n", _item("id"), 5, 5,
     "RC ignores all lines of a .h or .c file except the preprocessor directives"),
    ("ASCII accelerator with ALT",
     'SCRIPT:1 ACCELERATORS\nBEGIN\n"a", 100, ALT\nEND\n1 DIALOGEX 0, 0, 9, 9\nBEGIN\nEND\n',
     lambda d: d["name"], FAILS, 1, "ALT applies to VIRTKEY accelerators only"),
    ("resources in .res order", "SCRIPT:2 DIALOGEX 0, 0, 9, 9\nBEGIN\nEND\n"
     "b DIALOGEX 0, 0, 9, 9\nBEGIN\nEND\n1 DIALOGEX 0, 0, 9, 9\nBEGIN\nEND\n",
     lambda d: None, "2, B, 1", "B, 1, 2", "no order given"),
]
DECL_H = "#define ID_T 5\nint f(void);\ntypedef struct { int a; } S;\n"


def measure(row, oracle_name):
    construct, body, read = row[0], row[1], row[2]
    if body.startswith("SCRIPT:"):
        text = body[len("SCRIPT:"):]
    else:
        text = '#include "winres.h"\n1 DIALOGEX 0, 0, 100, 100\nBEGIN\n    %s\nEND\n' % body
    data = text.encode("latin-1") if "\xe9" in text else text.encode("utf-8")
    found = dialogs_of(data, oracle_name, files={"decl.h": DECL_H})
    if found is None:
        return FAILS
    if construct == "resources in .res order":
        return ", ".join(str(d["name"]) for d in found)
    return read(found[0])


class DifferencesTest(unittest.TestCase):
    """Each row of decisions.md, measured again: a new oracle version that changes one shows
    here first."""

    def check(self, oracle_name):
        column = 3 if oracle_name == "llvm-rc" else 4
        for row in DECISIONS:
            with self.subTest(construct=row[0], oracle=oracle_name):
                self.assertEqual(measure(row, oracle_name), row[column])

    @needs("llvm-rc")
    def test_llvm_rc(self):
        self.check("llvm-rc")

    @needs("windres")
    def test_windres(self):
        self.check("windres")


def print_decisions():
    print("| construct | windres | llvm-rc | documentation | ours |")
    print("|---|---|---|---|---|")
    for row in DECISIONS:
        values = {}
        for name in ("windres", "llvm-rc"):
            values[name] = measure(row, name) if HAVE[name] else "not installed"
        def cell(value):
            if value == FAILS or not isinstance(value, str):
                text = str(value)
            else:
                text = '"%s"' % value.replace("\n", "\\n").replace("\t", "\\t")
            return text.replace("|", "\\|")
        print("| %s | %s | %s | %s | llvm-rc |" % (
            row[0].replace("|", "\\|"), cell(values["windres"]), cell(values["llvm-rc"]),
            row[5].replace("|", "\\|")))


# ---------------------------------------------------------------------------------------------
# oracle.py's fixes for real scripts

class TranscodeTest(unittest.TestCase):
    def test_sections_follow_their_code_page_pragmas(self):
        data = (b"// caf\xe9\n#pragma code_page(932)\nLTEXT \"\x93\xfa\x96\x7b\"\n"
                b"#pragma code_page(1251)\n\"\xcf\xf0\xe8\"\n#pragma code_page(65001)\n"
                b"\"\xc3\xa9\"\n")
        out, what = oracle.transcode_bytes(data)
        text = out.decode("utf-8")
        self.assertIn("// caf\u00e9", text)  # no pragma yet, not UTF-8: the default 1252
        self.assertIn("\u65e5\u672c", text)
        self.assertIn("\u041f\u0440\u0438", text)
        self.assertIn('"\u00e9"', text)
        self.assertEqual(text.count("#pragma code_page(65001)"), 3)
        self.assertIn("cp932", what)

    def test_utf8_without_pragma_utf16_and_ascii(self):
        self.assertIsNone(oracle.transcode_bytes("\u00e9\u65e5".encode("utf-8")))
        out, _ = oracle.transcode_bytes(codecs.BOM_UTF8 + "\u00e9".encode("utf-8"))
        self.assertEqual(out.decode("utf-8"), "\u00e9")
        utf16 = codecs.BOM_UTF16_LE + '#pragma code_page(1252)\n"\u00e9"\n'.encode("utf-16-le")
        out, what = oracle.transcode_bytes(utf16)
        self.assertEqual(out.decode("utf-8"), '#pragma code_page(65001)\n"\u00e9"\n')
        self.assertEqual(what, "UTF-16 to UTF-8")
        self.assertIsNone(oracle.transcode_bytes(b"plain ASCII\n"))

    def test_utf16_script_and_header_read_by_both_oracles(self):
        header = codecs.BOM_UTF16_LE + "#define IDC_T 42\n".encode("utf-16-le")
        script = codecs.BOM_UTF16_LE + (
            '#include "winres.h"\n#include "resource.h"\n1 DIALOGEX 0, 0, 9, 9\nBEGIN\n'
            '    LTEXT "\u00e9t\u00e9 \u65e5", IDC_T, 1, 2, 3, 4\nEND\n').encode("utf-16-le")
        for name in ("llvm-rc", "windres"):
            if not HAVE[name]:
                continue
            with self.subTest(oracle=name):
                plain = compile_text(script, name, files={"resource.h": header})
                self.assertIsNone(plain["oracle"])
                fixed = compile_text(script, name, files={"resource.h": header},
                                     transcode=True)
                item = fixed["dialogs"][0]["items"][0]
                self.assertEqual((item["text"], item["id"]), ("\u00e9t\u00e9 \u65e5", 42))

    def test_shift_jis_section_read_by_llvm_rc(self):
        if not HAVE["llvm-rc"]:
            self.skipTest("llvm-rc-14 is not installed")
        script = (b'#pragma code_page(932)\n1 DIALOGEX 0, 0, 9, 9\nBEGIN\n'
                  b'    LTEXT "\x93\xfa\x96\x7b", 1, 1, 2, 3, 4\nEND\n')
        self.assertIsNone(compile_text(script, "llvm-rc")["oracle"])
        fixed = compile_text(script, "llvm-rc", transcode=True)
        self.assertEqual(fixed["dialogs"][0]["items"][0]["text"], "\u65e5\u672c")


class IncludesAndStubsTest(unittest.TestCase):
    SCRIPT = ('#include "WinRes.h"\n#include "..\\inc\\Resource.H"\n#include <sub/self.h>\n'
              '#include "res\\extra.rc2"\n#include "generated_version.h"\n'
              '1 ICON "res\\\\app.ico"\n2 BITMAP res/logo.bmp\n3 CURSOR "hand.cur"\n'
              '4 RCDATA "blob.bin"\nIDR_MANIFEST RT_MANIFEST "x.manifest"\n'
              '10 DIALOGEX 0, 0, 9, 9\nBEGIN\n    ICON 1, IDC_A, 1, 2, 0, 0\n'
              '    CONTROL 2, IDC_B, "Static", SS_BITMAP, 1, 2, 3, 4\nEND\n')
    FILES = {"resource.h": "#define IDC_A 11\n#define IDR_MANIFEST 1\n",
             "self.h": '#include <sub/self.h>\n#define IDC_B 12\n',
             "extra.rc2": "11 DIALOG 0, 0, 1, 1\nBEGIN\nEND\n"}

    def test_real_world_layout_compiles_with_both_oracles(self):
        for name in ("llvm-rc", "windres"):
            if not HAVE[name]:
                continue
            with self.subTest(oracle=name):
                bare = compile_text(self.SCRIPT, name, files=self.FILES)
                self.assertIsNone(bare["oracle"])
                result = compile_text(self.SCRIPT, name, files=self.FILES,
                                      fix_includes=True, stub_files=True)
                self.assertEqual(result["oracle"], name, result["attempts"])
                found = {d["name"]: d for d in result["dialogs"]}
                self.assertEqual(sorted(found), [10, 11])
                ids = [i["id"] for i in found[10]["items"]]
                self.assertEqual(ids, [11, 12])
                notes = "\n".join(result["notes"])
                self.assertIn('read as "winres.h"', notes.replace("<winres.h>", '"winres.h"'))
                self.assertIn('read as "resource.h"', notes)
                self.assertIn("generated_version.h", notes)
                self.assertIn("stand-in file", notes)

    def test_stub_images_are_valid(self):
        # Both oracles parse icon, cursor and bitmap files: a broken stand-in fails here.
        with tempfile.TemporaryDirectory() as work:
            for name, data in (("a.ico", oracle.stub_icon()),
                               ("a.cur", oracle.stub_icon(cursor=True)),
                               ("a.bmp", oracle.stub_bitmap())):
                with open(os.path.join(work, name), "wb") as f:
                    f.write(data)
            text = '1 ICON "a.ico"\n2 CURSOR "a.cur"\n3 BITMAP "a.bmp"\n'
            for name in ("llvm-rc", "windres"):
                if not HAVE[name]:
                    continue
                with self.subTest(oracle=name):
                    path = os.path.join(work, "s.rc")
                    with open(path, "w") as f:
                        f.write(text)
                    result = oracle.compile_script(path, name)
                    self.assertEqual(result["oracle"], name, result["attempts"])


class FallbackTest(unittest.TestCase):
    @unittest.skipUnless(HAVE["llvm-rc"] and HAVE["windres"], "needs both oracles")
    def test_windres_answers_where_llvm_rc_fails_and_partial_output_is_not_read(self):
        text = ('1 DIALOGEX 0, 0, 9, 9\nBEGIN\n    LTEXT "a", 1, 1, 2, 3, 4\nEND\n'
                "2 DIALOGEX 0, 0, 9, 9\nMENU 77\nBEGIN\nEND\n")
        result = compile_text(text, "auto")
        self.assertEqual(result["oracle"], "windres")
        self.assertEqual([a["ok"] for a in result["attempts"]], [False, True])
        self.assertIn("MENU", result["attempts"][0]["error"])
        self.assertEqual(len(result["dialogs"]), 2)
        only_llvm = compile_text(text, "llvm-rc")
        self.assertEqual((only_llvm["oracle"], only_llvm["dialogs"]), (None, []))

    @needs("llvm-rc")
    def test_command_line(self):
        with tempfile.TemporaryDirectory() as work:
            path = os.path.join(work, "s.rc")
            with open(path, "w") as f:
                f.write('#include <windows.h>\n7 DIALOGEX 0, 0, 9, 9\nBEGIN\n'
                        '    DEFPUSHBUTTON "OK", IDOK, 1, 2, 3, 4\nEND\n')
            tool = os.path.join(HERE, "oracle.py")
            run = subprocess.run([sys.executable, tool, "--oracle", "llvm-rc", "--standin",
                                  path], capture_output=True, text=True)
            self.assertEqual(run.returncode, 0, run.stderr)
            result = json.loads(run.stdout)
            self.assertEqual(result["oracle"], "llvm-rc")
            self.assertEqual(result["dialogs"][0]["items"][0]["id"], 1)
            self.assertIn("llvm-rc answered", run.stderr)
            run = subprocess.run([sys.executable, tool, "--oracle", "llvm-rc", path],
                                 capture_output=True, text=True)
            self.assertEqual(run.returncode, 1)  # no windows.h without the stand-ins


class StandinValuesTest(unittest.TestCase):
    """The stand-in headers against the cross compiler's own system headers, where those have
    the name: a wrong value in a stand-in shows here."""

    @unittest.skipUnless(shutil.which("x86_64-w64-mingw32-gcc") and shutil.which("gcc"),
                         "needs x86_64-w64-mingw32-gcc and gcc")
    def test_values_agree(self):
        names = []
        for entry in sorted(os.listdir(oracle.STANDIN)):
            with open(os.path.join(oracle.STANDIN, entry)) as f:
                names += re.findall(r"^#define\s+([A-Za-z]\w*)\s+\S", f.read(), re.M)
        names = [n for n in names if n not in ("RC_INVOKED", "WINVER", "_WIN32_WINNT",
                                               "_WIN32_IE")]
        probe = "".join('"@@%s" %s "@@END"\n' % (n, n) for n in names)

        def values(cmd, prelude):
            run = subprocess.run(cmd + ["-E", "-xc", "-DRC_INVOKED", "-"], input=prelude + probe,
                                 capture_output=True, text=True)
            self.assertEqual(run.returncode, 0, run.stderr[:2000])
            out = re.sub(r"(?m)^#.*$", "", run.stdout)
            return {m.group(1): " ".join(m.group(2).split())
                    for m in re.finditer(r'"@@(\w+)"\s*(.*?)\s*"@@END"', out, re.S)}

        def number(text):
            if re.fullmatch(r'L?"[^"]*"', text):
                return text.lstrip("L")
            text = re.sub(r"\b(0[xX][0-9a-fA-F]+|\d+)[lLuU]*\b", r"\1", text)
            if not re.fullmatch(r"[0-9a-fA-FxX()|&~+\- ]*", text):
                return text
            return eval(text, {}, {}) & 0xFFFFFFFF  # only numbers and operators, checked above

        ours = values(["gcc", "-nostdinc", "-I", oracle.STANDIN],
                      "#include <afxres.h>\n#include <atlres.h>\n")
        theirs = values(["x86_64-w64-mingw32-gcc"],
                        "#include <windows.h>\n#include <commctrl.h>\n#include <dlgs.h>\n"
                        "#include <winver.h>\n")
        compared = 0
        for name in names:
            if theirs.get(name, name) in (name, ""):
                continue  # not in the cross compiler's headers (class library ids and others)
            compared += 1
            with self.subTest(name=name):
                self.assertEqual(number(ours[name]), number(theirs[name]))
        self.assertGreater(compared, 500)


if __name__ == "__main__":
    if "--print-decisions" in sys.argv:
        print_decisions()
        sys.exit(0)
    unittest.main()
