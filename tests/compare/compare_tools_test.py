#!/usr/bin/env python3
"""The tools of scripts/compare-builds: the project writer gives the same files for the same
starting value, the multi-run driver keeps one state across its jobs and reports each one,
and the comparison finds every kind of difference and lets expected ones pass.

Usage: compare_tools_test.py FW_WRITE_PROJECTS FW_MULTI_RUN
"""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "scripts", "compare_builds"))
import differences  # noqa: E402

WRITER = None
MULTI_RUN = None


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data.encode() if isinstance(data, str) else data)


def files_below(folder):
    found = {}
    for base, _, names in os.walk(folder):
        for name in names:
            with open(os.path.join(base, name), "rb") as f:
                found[os.path.relpath(os.path.join(base, name), folder)] = f.read()
    return found


class Tools(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="fw-compare-")

    def tearDown(self):
        shutil.rmtree(self.dir, ignore_errors=True)

    def path(self, name):
        return os.path.join(self.dir, name)

    def test_the_writer_gives_the_same_projects_for_the_same_start(self):
        for name, start in (("a", 7), ("b", 7), ("c", 8)):
            subprocess.run([WRITER, self.path(name), "25", str(start)], check=True)
        a, b, c = (files_below(self.path(n)) for n in "abc")
        self.assertEqual(a, b)
        self.assertNotEqual(a, c)
        for p in range(25):
            for name in ("set.tpl", "set/dialogex.tpl", "work/dialogs.rc"):
                self.assertIn(os.path.join(f"p{p:05d}", name), a)

    def multi_run(self, jobs):
        return subprocess.run([MULTI_RUN], input="".join(j + "\n" for j in jobs).encode(),
                              capture_output=True, timeout=60)

    def test_the_driver_keeps_one_state_and_reports_every_job(self):
        root = self.path("root")
        write(os.path.join(root, "s.tpl"), "~INITIAL~")
        write(os.path.join(root, "s/Button.tpl"), "[INITIAL]\nx ~CTLPX~\n")
        control = 'CONTROL "t",IDC_T,"Button",0x0,4,0,1,1\r\n'
        write(self.path("w/font.rc"), 'A DIALOGEX 0,0,1,1\r\nFONT 8,"x"\r\nBEGIN\r\nEND\r\n')
        write(self.path("w/none.rc"), "B DIALOGEX 0,0,1,1\r\nBEGIN\r\n" + control + "END\r\n")
        p = self.multi_run([f"{self.path('w/none.rc')}\t{root}\ts\t0\t6,13",
                            f"{self.path('w/font.rc')} {root} s 1 8,16",
                            f"{self.path('w/none.rc')}\t{root}\ts\t0\t6,13",
                            f"{self.path('w/absent.rc')}\t{root}\ts\t0\t-"])
        self.assertEqual(p.returncode, 0, p.stderr)
        reports = differences.job_reports(p.stdout.decode())
        self.assertEqual(sorted(reports), ["job 1", "job 2", "job 3", "job 4"])
        bas = self.path("w/none.bas")
        # A dialog without FONT keeps the base units of the font before it: none at first,
        # then those the other script's font gave in the same state.
        self.assertIn(f"  wrote {bas} 7 ", reports["job 1"])  # "x 0\r\n\r\n"
        with open(bas, "rb") as f:
            self.assertEqual(f.read(), b"x 8\r\n\r\n")
        self.assertIn(" multi units 8,16\n", reports["job 2"])
        self.assertTrue(reports["job 3"].endswith("  made\n"))
        self.assertIn("cannot read the resource script", reports["job 4"])
        self.assertTrue(reports["job 4"].endswith("  not made\n"))

    def test_the_driver_refuses_a_wrong_job_before_running_any(self):
        p = self.multi_run([f"{self.path('x.rc')}\troot\ts\t0\t-", "# a comment", "x.rc root s 2 -"])
        self.assertEqual(p.returncode, 1)
        self.assertIn(b"line 3", p.stderr)
        self.assertEqual(p.stdout, b"")

    def test_every_kind_of_difference_is_found_and_expected_ones_pass(self):
        old, new = self.path("old"), self.path("new")
        for side in (old, new):
            write(os.path.join(side, "same"), "x")
            write(os.path.join(side, "content"), "a\r\nb\r\n" if side == old else "a\r\nc\r\n")
            write(os.path.join(side, "mode"), "m")
        os.chmod(os.path.join(new, "mode"), 0o600)
        write(os.path.join(old, "bak/gone"), "g")
        os.makedirs(os.path.join(new, "bak"))
        found, files = differences.compare_trees(old, new)
        self.assertEqual(files, 3)
        self.assertEqual([key for key, _ in found], ["file bak/gone", "file content", "file mode"])
        log = {"t": [[0, "out", ""], [3, "", "err"]]}
        changed = {"t": [[0, "out2", ""], [2, "", "err"]]}
        found += differences.compare_logs(log, changed)
        unexpected, expected, unused = differences.split_expected(
            found, ["file bak/*", "stdout t#1", "exit t#9"])
        self.assertEqual([key for key, _ in unexpected], ["file content", "file mode", "exit t#2"])
        self.assertEqual([key for key, _ in expected], ["file bak/gone", "stdout t#1"])
        self.assertEqual(unused, ["exit t#9"])


if __name__ == "__main__":
    WRITER, MULTI_RUN = (os.path.abspath(a) for a in sys.argv[1:3])
    unittest.main(argv=[sys.argv[0], "-v"])
