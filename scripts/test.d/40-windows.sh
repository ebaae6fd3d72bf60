#!/usr/bin/env bash
# The Windows build: cross-compiles formwright.exe, formwright-cli.exe and the tests with
# MinGW-w64, then under Wine, on a virtual X display of its own: the unit tests, the
# measurement check (GDI against the Linux display), the differential test (Windows against
# Linux command line) and the windowed end-to-end test. The Linux programs compared with come
# from build/linux, or from the build folder in FW_LINUX_BUILD.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
linux_build=${FW_LINUX_BUILD:-build/linux}
prefix=$root/build/windows/wineprefix
wine_run=$root/cmake/wine-run.sh
artefacts=$root/build/windows/gui-test

cmake --preset windows >/dev/null
cmake --build --preset windows

if [ ! -f "$linux_build/CMakeCache.txt" ]; then
  if [ "$linux_build" = build/linux ]; then
    cmake --preset linux >/dev/null
  else
    cmake -S . -B "$linux_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  fi
fi
cmake --build "$linux_build" --target formwright fw-measure -j2

source scripts/lib/wine_display.sh
fw_wine_display_start "$prefix" "$wine_run" "$root/build/windows/bin/fw-probe.exe"

# The preset runs a failed test once more: a Wine process now and then ends before the
# program starts (a test failing in hundredths of a second with no output), while a real
# failure fails twice.
ctest --preset windows

echo "== measurement: GDI under Wine against the Linux display"
timeout 300 python3 tests/wine/measure_check.py --linux "$linux_build/bin/fw-measure" \
  --windows build/windows/bin/fw-measure.exe --wine-run "$wine_run" --prefix "$prefix"

echo "== differential: Windows against Linux command line"
timeout 1800 python3 tests/wine/differential_test.py --linux "$linux_build/bin/formwright" \
  --windows build/windows/bin/formwright-cli.exe --wine-run "$wine_run" --prefix "$prefix"

echo "== windowed program end to end"
timeout 900 tests/wine/gui_test.sh build/windows/bin "$linux_build/bin/formwright" \
  "$wine_run" "$prefix" "$artefacts"
