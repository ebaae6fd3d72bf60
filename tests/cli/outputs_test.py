#!/usr/bin/env python3
"""What formwright leaves on disk beyond the generated code, end to end: backups of dialogs
whose names differ only in letter case, earlier project files in other shapes, and the
permissions of replaced and new files.

Usage: outputs_test.py FORMWRIGHT
"""
import os
import shutil
import stat
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cli_files import read, write  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "fixtures", "root")
EXE = None




def mode(path):
    return stat.S_IMODE(os.stat(path).st_mode)


class Outputs(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="fw-outputs-")

    def tearDown(self):
        shutil.rmtree(self.work, ignore_errors=True)

    def path(self, name):
        return os.path.join(self.work, name)

    def run_cli(self, *args, umask=0o022):
        p = subprocess.run([EXE, "--template-root", ROOT, "--template", "alpha", "--base-units",
                            "6,13", *args], capture_output=True, timeout=60,
                           preexec_fn=lambda: os.umask(umask))
        return p.returncode, p.stdout.decode(), p.stderr.decode()

    def test_an_older_backup_outlives_dialogs_named_alike_ignoring_case(self):
        # "a" writes the include file that "A" wrote a moment before: that file is this run's
        # own, so it is no old content to back up over the backup from before the run.
        write(self.path("dialogs.rc"), b"A DIALOGEX 0,0,1,1\r\nBEGIN\r\n"
              b"CONTROL \"x\",IDC_X,\"Button\",0x1,0,0,1,1\r\nEND\r\n"
              b"a DIALOGEX 0,0,1,1\r\nBEGIN\r\nEND\r\n")
        write(self.path("bak/A.bak"), b"older")
        code, _, err = self.run_cli("--multi", self.path("dialogs.rc"))
        self.assertEqual(code, 0, err)
        self.assertEqual(os.listdir(self.path("bak")), ["A.bak"])
        self.assertEqual(read(self.path("bak/A.bak")), b"older")
        self.assertEqual(sorted(n for n in os.listdir(self.work) if n.endswith(".bi")), ["A.bi"])
        first = read(self.path("A.bi"))
        # The next run finds the file from before it, and backs it up.
        self.assertEqual(self.run_cli("--multi", self.path("dialogs.rc"))[0], 0)
        self.assertEqual(read(self.path("bak/A.bak")), first)

    def test_a_backup_is_the_old_file_linked_unless_it_has_another_name(self):
        write(self.path("dialogs.rc"), b"D DIALOGEX 0,0,1,1\r\nBEGIN\r\nEND\r\n")
        os.makedirs(self.path("bak"))
        write(self.path("dialogs.bas"), b"hand made")
        old = os.stat(self.path("dialogs.bas"))
        self.assertEqual(self.run_cli(self.path("dialogs.rc"))[0], 0)
        backup = os.stat(self.path("bak/dialogs.bak"))
        self.assertEqual((backup.st_ino, backup.st_nlink), (old.st_ino, 1))
        self.assertEqual(os.stat(self.path("dialogs.bas")).st_nlink, 1)
        self.assertEqual(read(self.path("bak/dialogs.bak")), b"hand made")
        first = read(self.path("dialogs.bas"))
        # The second run backs up the first one's output, over the older backup.
        self.assertEqual(self.run_cli(self.path("dialogs.rc"))[0], 0)
        self.assertEqual(read(self.path("bak/dialogs.bak")), first)
        self.assertEqual(os.listdir(self.path("bak")), ["dialogs.bak"])
        # A file with a second name is copied: the other name keeps the old content, and the
        # backup is a new file that follows the umask.
        write(self.path("dialogs.bas"), b"shared")
        os.chmod(self.path("dialogs.bas"), 0o600)
        os.link(self.path("dialogs.bas"), self.path("elsewhere.bas"))
        self.assertEqual(self.run_cli(self.path("dialogs.rc"))[0], 0)
        self.assertEqual(read(self.path("elsewhere.bas")), b"shared")
        self.assertEqual(read(self.path("bak/dialogs.bak")), b"shared")
        self.assertNotEqual(os.stat(self.path("bak/dialogs.bak")).st_ino,
                            os.stat(self.path("elsewhere.bas")).st_ino)
        self.assertEqual(os.stat(self.path("elsewhere.bas")).st_nlink, 1)
        self.assertEqual(mode(self.path("bak/dialogs.bak")), 0o644)
        self.assertEqual(sorted(os.listdir(self.path("bak"))), ["dialogs.bak"])

    def test_earlier_project_files_with_lf_or_ending_at_their_file_list(self):
        write(self.path("dialogs.rc"), b"D DIALOGEX 0,0,1,1\r\nBEGIN\r\nEND\r\n")
        fresh = b"1=dialogs.bas\r\n2=dialogs.rc\r\n"
        # What comes before "[File]" and after "[FileInfo]" is kept as it is; the list between
        # them is written anew with CR LF.
        for before, after in [
            (b"[Project]\nName=x\n[File]\n1=old.bas\n[FileInfo]\n1=10,20\n",
             b"[Project]\nName=x\n[File]\r\n" + fresh + b"[FileInfo]\n1=10,20\n"),
            (b"[Project]\r\nName=x\r\n[File]", b"[Project]\r\nName=x\r\n[File]\r\n" + fresh
             + b"[FileInfo]"),
            (b"[Project]\n[File]", b"[Project]\n[File]\r\n" + fresh + b"[FileInfo]"),
        ]:
            write(self.path("dialogs.fbp"), before)
            self.assertEqual(self.run_cli(self.path("dialogs.rc"))[0], 0)
            self.assertEqual(read(self.path("dialogs.fbp")), after, before)

    def test_replaced_files_keep_their_permissions_and_new_ones_follow_the_umask(self):
        write(self.path("dialogs.rc"), b"D DIALOGEX 0,0,1,1\r\nBEGIN\r\nEND\r\n")
        os.makedirs(self.path("bak"))
        write(self.path("dialogs.bas"), b"hand made")
        os.chmod(self.path("dialogs.bas"), 0o640)
        write(self.path("dialogs.fbp"), b"[File]\r\n[FileInfo]")
        os.chmod(self.path("dialogs.fbp"), 0o604)
        self.assertEqual(self.run_cli(self.path("dialogs.rc"), umask=0o022)[0], 0)
        self.assertNotEqual(read(self.path("dialogs.bas")), b"hand made")
        self.assertEqual(mode(self.path("dialogs.bas")), 0o640)
        self.assertEqual(mode(self.path("dialogs.fbp")), 0o604)
        # The backup is the old file itself, linked: its permissions are the old file's.
        self.assertEqual(mode(self.path("bak/dialogs.bak")), 0o640)
        self.assertEqual(read(self.path("bak/dialogs.bak")), b"hand made")
        for umask, expected in ((0o022, 0o644), (0o077, 0o600), (0o002, 0o664)):
            for name in ("dialogs.fbp", "dialogs.bas"):
                os.remove(self.path(name))
            self.assertEqual(self.run_cli(self.path("dialogs.rc"), umask=umask)[0], 0)
            self.assertEqual(mode(self.path("dialogs.bas")), expected, oct(umask))
            self.assertEqual(mode(self.path("dialogs.fbp")), expected, oct(umask))


if __name__ == "__main__":
    EXE = os.path.abspath(sys.argv[1])
    unittest.main(argv=[sys.argv[0], "-v"])
