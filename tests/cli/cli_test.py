#!/usr/bin/env python3
"""End-to-end tests of the formwright command line: the real executable on real files.

Usage: cli_test.py FORMWRIGHT [--regenerate]
Whole output files are compared with the expected files under expected/, where @RCPATH@ stands
for the run's own script path without extension.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cli_files import read, write  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
FIXTURES = os.path.join(HERE, "fixtures")
EXPECTED = os.path.join(HERE, "expected")
ROOT = os.path.join(FIXTURES, "root")
EXE = None
REGENERATE = False




def snapshot(folder):
    """Every file below `folder` with its bytes."""
    files = {}
    for base, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(base, name)
            files[os.path.relpath(path, folder)] = read(path)
    return files


class Cli(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="fw-cli-")
        self.work = os.path.join(self.dir, "work")
        os.makedirs(self.work)
        shutil.copy(os.path.join(FIXTURES, "basic", "dialogs.rc"), self.work)

    def tearDown(self):
        shutil.rmtree(self.dir, ignore_errors=True)

    def run_cli(self, *args, root=ROOT, units=True):
        cmd = [EXE]
        if root:
            cmd += ["--template-root", root]
        if units:
            cmd += ["--base-units", "6,13"]
        cmd += list(args)
        p = subprocess.run(cmd, capture_output=True, timeout=120)
        return p.returncode, p.stdout.decode("latin-1"), p.stderr.decode("latin-1")

    def check_expected(self, case, name, rcpath):
        actual = read(os.path.join(self.work, name)).replace(rcpath.encode(), b"@RCPATH@")
        path = os.path.join(EXPECTED, case, name)
        if REGENERATE:
            write(path, actual)
        self.assertEqual(actual, read(path), f"{case}/{name}")

    def script(self, name="dialogs.rc"):
        return os.path.join(self.work, name)

    def test_single_file_first_and_second_run(self):
        os.makedirs(os.path.join(self.work, "bak"))
        code, out, err = self.run_cli(self.script())
        self.assertEqual(code, 0, err)
        self.assertIn('no template for control class "Static"', err)
        self.assertIn("formwright: warning: ", err)
        rcpath = os.path.join(self.work, "dialogs")
        self.check_expected("single", "dialogs.bas", rcpath)
        self.check_expected("single", "dialogs.fbp", rcpath)
        self.assertEqual(os.listdir(os.path.join(self.work, "bak")), [])
        first = read(self.script("dialogs.bas"))
        code, _, _ = self.run_cli(self.script())
        self.assertEqual(code, 0)
        self.assertEqual(read(os.path.join(self.work, "bak", "dialogs.bak")), first)
        self.assertEqual(read(self.script("dialogs.bas")), first)

    def test_multi_file_mode(self):
        os.makedirs(os.path.join(self.work, "bak"))
        code, _, err = self.run_cli("--multi", self.script())
        self.assertEqual(code, 0, err)
        rcpath = os.path.join(self.work, "dialogs")
        for name in ["dialogs.bas", "dialogs.fbp", "IDD_LOGIN.bi", "IDD_ABOUT.bi"]:
            self.check_expected("multi", name, rcpath)
        first = read(self.script("IDD_LOGIN.bi"))
        self.run_cli("--multi", self.script())
        self.assertEqual(read(os.path.join(self.work, "bak", "IDD_LOGIN.bak")), first)

    def test_project_file_head_and_tail_survive(self):
        write(self.script("dialogs.fbp"), b"[Project]\r\nName=x\r\n[File]\r\n1=old.bas\r\n"
              b"[FileInfo]\r\n1=10,20\r\n")
        self.assertEqual(self.run_cli(self.script())[0], 0)
        self.assertEqual(read(self.script("dialogs.fbp")),
                         b"[Project]\r\nName=x\r\n[File]\r\n1=dialogs.bas\r\n2=dialogs.rc\r\n"
                         b"[FileInfo]\r\n1=10,20\r\n")
        write(self.script("dialogs.fbp"), b"[Project]\r\n[File]\r\ngone")
        self.run_cli(self.script())
        self.assertEqual(read(self.script("dialogs.fbp")),
                         b"[Project]\r\n[File]\r\n1=dialogs.bas\r\n2=dialogs.rc\r\n[FileInfo]")

    def test_dry_run_writes_nothing_and_exits_as_the_run_would(self):
        before = snapshot(self.dir)
        code, out, err = self.run_cli("--dry-run", "--multi", self.script())
        self.assertEqual(code, 0, err)
        self.assertIn("would write " + self.script("IDD_LOGIN.bi"), out)
        self.assertEqual(snapshot(self.dir), before)
        write(self.script("bad.rc"), b"../x DIALOGEX 0,0,1,1\r\nBEGIN\r\nEND\r\n")
        self.assertEqual(self.run_cli("--dry-run", "--multi", self.script("bad.rc"))[0], 3)
        self.assertEqual(self.run_cli("--dry-run", self.script("none.rc"))[0], 2)

    def test_usage_help_and_version(self):
        code, out, err = self.run_cli(root=None, units=False)
        self.assertEqual(code, 1)
        self.assertIn("usage: formwright", err)
        for bad in (["--bogus", "x.rc"], ["--base-units", "6", "x.rc"], ["a.rc", "b.rc"]):
            self.assertEqual(self.run_cli(*bad)[0], 1, bad)
        code, out, _ = self.run_cli("--help", root=None, units=False)
        self.assertEqual(code, 0)
        for option in ("--template ", "--template-root", "--multi", "--base-units", "--metrics",
                       "--dry-run", "--version", "--list-templates", "exit codes"):
            self.assertIn(option, out)
        code, out, _ = self.run_cli("--version", root=None, units=False)
        self.assertEqual((code, out.split()[0]), (0, "formwright"))

    def test_list_templates_default_first(self):
        # The order is the one the default comes from: the first line converts like no --template.
        code, out, err = self.run_cli("--list-templates", units=False)
        self.assertEqual((code, out, err), (0, "alpha\nZeta\n", ""))
        self.assertEqual(self.run_cli(self.script())[0], 0)
        self.assertTrue(read(self.script("dialogs.bas")).startswith(b"main of "))
        code, out, err = self.run_cli("--list-templates", root=self.work, units=False)
        self.assertEqual((code, out), (0, ""))
        self.assertIn("no template set", err)

    def test_installed_layout_finds_its_sets(self):
        # /usr/bin/formwright finds /usr/share/formwright/template with no option.
        prefix = os.path.join(self.dir, "usr")
        os.makedirs(os.path.join(prefix, "bin"))
        shutil.copy(EXE, os.path.join(prefix, "bin"))
        shutil.copytree(ROOT, os.path.join(prefix, "share", "formwright", "template"))
        installed = os.path.join(prefix, "bin", os.path.basename(EXE))
        p = subprocess.run([installed, "--list-templates"], capture_output=True, timeout=60)
        self.assertEqual((p.returncode, p.stdout), (0, b"alpha\nZeta\n"), p.stderr)
        p = subprocess.run([installed, "--base-units", "6,13", self.script()],
                           capture_output=True, timeout=60)
        self.assertEqual(p.returncode, 0, p.stderr)
        self.assertTrue(read(self.script("dialogs.bas")).startswith(b"main of "))

    def test_nothing_is_written_without_script_or_main_template(self):
        write(self.script("dialogs.bas"), b"keep")
        code, _, err = self.run_cli("--template", "missing", self.script())
        self.assertEqual(code, 2)
        self.assertIn("missing.tpl", err)
        self.assertEqual(read(self.script("dialogs.bas")), b"keep")
        self.assertFalse(os.path.exists(self.script("dialogs.fbp")))
        code, _, err = self.run_cli(self.script("absent.rc"))
        self.assertEqual(code, 2)
        self.assertIn("absent.rc", err)
        code, _, _ = self.run_cli(self.work)  # a folder, not a script
        self.assertEqual(code, 2)

    def test_unwritten_outputs_exit_3_and_are_named(self):
        write(self.script("bad.rc"), b"A DIALOGEX 0,0,1,1\r\nBEGIN\r\nEND\r\n"
              b"NUL DIALOGEX 0,0,1,1\r\nBEGIN\r\nEND\r\n")
        os.makedirs(self.script("bad.fbp"))  # an output that is a folder
        code, _, err = self.run_cli("--multi", self.script("bad.rc"))
        self.assertEqual(code, 3)
        self.assertIn("NUL.bi", err)
        self.assertIn("bad.fbp", err)
        self.assertIn("2 outputs not written", err)
        self.assertTrue(os.path.exists(self.script("A.bi")))
        self.assertFalse(os.path.exists(self.script("NUL.bi")))

    def test_failed_backup_keeps_the_main_source(self):
        os.makedirs(os.path.join(self.work, "bak", "dialogs.bak"))
        write(self.script("dialogs.bas"), b"hand edited")
        code, _, err = self.run_cli(self.script())
        self.assertEqual(code, 3)
        self.assertIn("dialogs.bas", err)
        self.assertEqual(read(self.script("dialogs.bas")), b"hand edited")
        write(os.path.join(self.work, "bak2"), b"")
        shutil.rmtree(os.path.join(self.work, "bak"))
        write(os.path.join(self.work, "bak"), b"a file, not a folder")
        code, _, err = self.run_cli(self.script())
        self.assertEqual(code, 0, err)

    def test_default_set_and_script_names(self):
        folder = os.path.join(self.dir, "my.projects")
        os.makedirs(folder)
        shutil.copy(self.script(), os.path.join(folder, "Dialogs.RC"))
        # The name is cut at its first ".", in the file name only: "Dialogs.v2.RC" names the
        # project "Dialogs" too, and the folder's "." is kept.
        code, out, err = self.run_cli(os.path.join(folder, "Dialogs.v2.RC"))
        self.assertEqual(code, 0, err)
        self.assertIn(os.path.join(folder, "Dialogs.bas"), out)
        code, out, err = self.run_cli(os.path.join(folder, "Dialogs.RC"))
        self.assertEqual(code, 0, err)
        bas = read(os.path.join(folder, "Dialogs.bas"))
        self.assertTrue(bas.startswith(b"main of " + os.path.join(folder, "Dialogs").encode()))
        code, _, _ = self.run_cli("--template", "Zeta", os.path.join(folder, "Dialogs.RC"))
        self.assertEqual(code, 0)
        self.assertTrue(read(os.path.join(folder, "Dialogs.bas")).startswith(b"zeta set "))
        relative = subprocess.run([EXE, "--template-root", ROOT, "--base-units", "6,13",
                                   "./sub/../Dialogs.RC"], cwd=folder, capture_output=True)
        self.assertEqual(relative.returncode, 0, relative.stderr)


if __name__ == "__main__":
    EXE = os.path.abspath(sys.argv[1])
    REGENERATE = "--regenerate" in sys.argv
    unittest.main(argv=[sys.argv[0], "-v"])
