#!/usr/bin/env python3
"""The Linux display must measure the dialog faces as GDI does under Wine.

Runs fw-measure of both builds (same faces, same resolution) and prints, per face, the text
extent and base units each display measured. Every face that fonts-wine provides must agree;
the face that exists nowhere is only reported, since each display falls back in its own way.

Usage: measure_check.py --linux FW-MEASURE --windows FW-MEASURE.EXE --wine-run WINE-RUN.SH
                        --prefix WINEPREFIX
"""
import argparse
import subprocess
import sys

MISSING_FACE = "No Such Face"


def measure(cmd):
    out = subprocess.run(cmd, capture_output=True, timeout=120, check=True).stdout
    rows = {}
    for line in out.decode("latin-1").splitlines():
        face, points, width, height, cx, cy = line.strip().split("|")
        rows[(face, int(points))] = (int(width), int(height), int(cx), int(cy))
    return rows


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--linux", required=True)
    parser.add_argument("--windows", required=True)
    parser.add_argument("--wine-run", required=True)
    parser.add_argument("--prefix", required=True)
    args = parser.parse_args()

    gdi = measure([args.wine_run, args.prefix, args.windows])
    linux = measure([args.linux])
    if set(gdi) != set(linux) or not gdi:
        print(f"measure: the two programs measured different faces: {sorted(gdi)} {sorted(linux)}")
        return 1
    failures = 0
    print(f"{'face':<16}{'pt':>4}  {'GDI under Wine':<22}{'Linux display':<22}")
    for key in sorted(gdi):
        g, l = gdi[key], linux[key]
        verdict = "same" if g == l else "DIFFERENT"
        if key[0] == MISSING_FACE:
            verdict += " (missing face: reported only)"
        elif g != l:
            failures += 1
        print(f"{key[0]:<16}{key[1]:>4}  {'%d x %d, units %d,%d' % g:<22}"
              f"{'%d x %d, units %d,%d' % l:<22}{verdict}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
