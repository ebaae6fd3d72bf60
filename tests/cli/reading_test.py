#!/usr/bin/env python3
"""How formwright reads the statements of a resource script, end to end: the narrow rules a
new reader must keep, seen through a template set that prints every property of every dialog
and control, with styles as one name per bit.

Usage: reading_test.py FORMWRIGHT
"""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

EXE = None


def bit_map(tag):
    return tag + "\n" + "".join(f"&h{1 << bit:x},B{bit:02d}\n" for bit in range(32))


SET = {
    "show.tpl": "~INITIAL~~DIALOG~",
    "show/dialogex.tpl": "[DLGPROC]\ndlg ~DLGNAME~|~DLGTEXT~|~DLGX~,~DLGY~,~DLGW~,~DLGH~|"
                         "~DLGPX~,~DLGPY~,~DLGPW~,~DLGPH~|~DLGSTYLE~|~DLGEXSTYLE~\n"
                         + bit_map("[STYLE]") + bit_map("[EXSTYLE]"),
    "show/Button.tpl": "[INITIAL]\nctl ~CTLID~|~CTLTEXT~|~CTLX~,~CTLY~,~CTLW~,~CTLH~|"
                       "~CTLPX~,~CTLPY~,~CTLPW~,~CTLPH~|~CTLSTYLE~|~CTLEXSTYLE~\n"
                       + bit_map("[STYLE]") + bit_map("[EXSTYLE]"),
}


class Reading(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="fw-reading-")
        for name, text in SET.items():
            path = os.path.join(self.dir, "root", name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w") as f:
                f.write(text)

    def tearDown(self):
        shutil.rmtree(self.dir, ignore_errors=True)

    def convert(self, *lines):
        """The "dlg" and "ctl" lines that the script made of `lines` (CR LF ends), with base
        units 6 x 13 and a frame of 4 x 4 and a caption of 19 pixels."""
        script = os.path.join(self.dir, "dialogs.rc")
        with open(script, "wb") as f:
            f.write("".join(line + "\r\n" for line in lines).encode())
        p = subprocess.run([EXE, "--template-root", os.path.join(self.dir, "root"), "--template",
                            "show", "--base-units", "6,13", "--metrics", "4,4,19", script],
                           capture_output=True, timeout=60)
        self.assertEqual(p.returncode, 0, p.stderr)
        with open(os.path.join(self.dir, "dialogs.bas"), "rb") as f:
            return [line for line in f.read().decode().split("\r\n") if line[:4] in ("dlg ", "ctl ")]

    def test_a_style_number_after_a_tab_reads_as_0(self):
        # Blanks before a number are skipped, and a tab before a decimal one; a tab before a
        # "0x" or "&h" number leaves no number to read.
        lines = self.convert(
            "D DIALOGEX 0,0,10,10",
            "FONT 8,\"MS Shell Dlg\"",
            "STYLE \t0x10C00000",
            "EXSTYLE \t&h8",
            "BEGIN",
            "CONTROL \"a\",IDC_A,\"Button\",\t0x50010000,1,2,3,4",
            "CONTROL \"b\",IDC_B,\"Button\",\t&h10,1,2,3,4,\t0x200",
            "CONTROL \"c\",IDC_C,\"Button\", 0x50010000,\t8,2,3,4, &h200",
            "END")
        self.assertEqual(lines, [
            "ctl IDC_A|a|1,2,3,4|2,3,5,7|0|0",
            "ctl IDC_B|b|1,2,3,4|2,3,5,7|0|0",
            "ctl IDC_C|c|8,2,3,4|12,3,5,7|B16 or B28 or B30|B09",
            "dlg D||0,0,10,10|0,0,23,24|0|0",
        ])

    def test_statements_indented_and_followed_by_blanks_are_read(self):
        lines = self.convert(
            "  D DIALOGEX 1,2,100,50  ",
            "  CAPTION \"Hello\"   ",
            "    FONT 8,\"MS Shell Dlg\"  ",
            "  STYLE 0x10C00000  ",
            " EXSTYLE 0x8 ",
            "  CLASS \"k\"  ",
            "  BEGIN  ",
            "      CONTROL \"OK\",IDC_OK,\"Button\",0x50010000,10,20,30,40   ",
            "  END   ",
            "E DIALOGEX 0,0,10,10",
            "BEGIN",
            "CONTROL \"x\",IDC_X,\"Button\",0x1,0,0,1,1",
            "END")
        self.assertEqual(lines, [
            "ctl IDC_OK|OK|10,20,30,40|15,33,45,65|B16 or B28 or B30|0",
            "ctl IDC_X|x|0,0,1,1|0,0,2,2|B00|0",
            # The end of D was found: E is a dialog of its own.
            "dlg D|Hello|1,2,100,50|2,3,158,108|B22 or B23 or B28|B03",
            "dlg E||0,0,10,10|0,0,0,0|0|0",
        ])

    def test_only_both_caption_bits_add_the_caption_height(self):
        # WS_BORDER (0x00800000) and WS_DLGFRAME (0x00400000) together are WS_CAPTION.
        script = []
        for name, style in (("BORDER", "0x00800000"), ("DLGFRAME", "0x00400000"),
                            ("CAPTION", "0x00C00000"), ("ALL", "0x10CC0840")):
            script += [f"{name} DIALOGEX 0,0,100,80", "FONT 8,\"MS Shell Dlg\"",
                       f"STYLE {style}", "BEGIN", "END"]
        heights = [line.split("|")[3].split(",")[3] for line in self.convert(*script)]
        # 80 dialog units are 130 pixels, the frame 2 x 4, the caption 19.
        self.assertEqual(heights, ["138", "138", "157", "157"])


if __name__ == "__main__":
    EXE = os.path.abspath(sys.argv[1])
    unittest.main(argv=[sys.argv[0], "-v"])
