#!/usr/bin/env python3
"""Checks that each Windows program carries the project version in its version resource.

Usage: check_versioninfo.py VERSION EXE...
The fixed part (VS_FIXEDFILEINFO) must hold VERSION as file and product version, and the
strings FileVersion and ProductVersion must read VERSION.
"""
import re
import struct
import sys

FIXED_SIGNATURE = struct.pack("<I", 0xFEEF04BD)


def string_value(data, key):
    """The value of a version string: the key, its end and padding, the value (UTF-16LE)."""
    pattern = re.escape(key.encode("utf-16le")) + rb"\x00\x00(?:\x00\x00)*((?:[^\x00]\x00)+)\x00\x00"
    found = re.search(pattern, data)
    return found.group(1).decode("utf-16le") if found else None


def check(path, version):
    with open(path, "rb") as f:
        data = f.read()
    major, minor, patch = (int(part) for part in version.split("."))
    wanted = ((major << 16) | minor, patch << 16)
    errors = []
    at = data.find(FIXED_SIGNATURE)
    if at < 0 or "VS_VERSION_INFO".encode("utf-16le") not in data:
        return [f"{path}: no version resource"]
    file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<4I", data, at + 8)
    for what, got in (("file", (file_ms, file_ls)), ("product", (product_ms, product_ls))):
        if got != wanted:
            shown = f"{got[0] >> 16}.{got[0] & 0xFFFF}.{got[1] >> 16}.{got[1] & 0xFFFF}"
            errors.append(f"{path}: fixed {what} version {shown}, expected {version}.0")
    for key in ("FileVersion", "ProductVersion"):
        value = string_value(data, key)
        if value != version:
            errors.append(f"{path}: {key} is {value!r}, expected {version!r}")
    return errors


def main():
    version, exes = sys.argv[1], sys.argv[2:]
    errors = [e for exe in exes for e in check(exe, version)]
    for e in errors:
        print("check_versioninfo: " + e, file=sys.stderr)
    if not errors:
        print(f"check_versioninfo: {len(exes)} programs carry version {version}")
    return 1 if errors or not exes else 0


if __name__ == "__main__":
    sys.exit(main())
