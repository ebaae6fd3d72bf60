#!/usr/bin/env bash
# The packages: makes the Debian package and the Windows zip from build/linux and build/windows
# (scripts/package), then checks each as a user gets it (tests/package/): the .deb extracted
# into a temporary root and run from there, its manual page, completion and lintian; the zip
# unzipped into a temporary folder and run from there under Wine on a virtual X display.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
prefix=$root/build/windows/wineprefix
wine_run=$root/cmake/wine-run.sh
out=$root/build/packages

scripts/package deb zip
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/linux/CMakeCache.txt)

echo "== Debian package"
tests/package/deb_test.sh "$out/formwright_${version}_amd64.deb" "$version" build/linux/bin/formwright

echo "== Windows zip"
source scripts/lib/wine_display.sh
fw_wine_display_start "$prefix" "$wine_run" "$root/build/windows/bin/fw-probe.exe"
timeout 900 tests/package/zip_test.sh "$out/formwright-$version-win64.zip" "$version" \
  build/linux/bin/formwright "$wine_run" "$prefix" build/windows/bin/fw-probe.exe \
  build/packages/gui-test
