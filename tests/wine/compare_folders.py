#!/usr/bin/env python3
"""Compares what two conversion runs left in their folders, byte for byte.

Each run's own script path without extension (its script path without extension, which "~PROJNAME~" brings into the
outputs) is replaced by one token first, so a run in Z:\\tmp\\x and one in /tmp/y compare equal
when they made the same files.

Usage as a program: compare_folders.py FOLDER_A RCPATH_A FOLDER_B RCPATH_B
"""
import difflib
import os
import sys

TOKEN = b"@RCPATH@"


def snapshot(folder, rcpath):
    """Every file below `folder` (relative name with '/') and its bytes, the script path replaced."""
    files = {}
    for base, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(base, name)
            with open(path, "rb") as f:
                data = f.read()
            rel = os.path.relpath(path, folder).replace(os.sep, "/")
            files[rel] = data.replace(rcpath.encode("latin-1"), TOKEN)
    return files


def differences(a, b, label_a="a", label_b="b"):
    """A list of human-readable differences between two snapshots; empty when equal."""
    found = []
    for name in sorted(set(a) | set(b)):
        if name not in a:
            found.append(f"{name}: only in {label_b}")
        elif name not in b:
            found.append(f"{name}: only in {label_a}")
        elif a[name] != b[name]:
            diff = difflib.unified_diff(
                a[name].decode("latin-1").splitlines(), b[name].decode("latin-1").splitlines(),
                f"{label_a}/{name}", f"{label_b}/{name}", lineterm="", n=1)
            found.append(f"{name}: contents differ\n" + "\n".join(list(diff)[:20]))
    return found


def main(argv):
    if len(argv) != 5:
        print(__doc__, file=sys.stderr)
        return 1
    found = differences(snapshot(argv[1], argv[2]), snapshot(argv[3], argv[4]),
                        argv[1], argv[3])
    for d in found:
        print(d)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
