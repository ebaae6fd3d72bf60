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

export WINEPREFIX=$prefix WINEDEBUG=-all
xvfb_pid=""
cleanup() {
  timeout 30 wineserver -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

# A display of our own; Xvfb picks a free number and writes it to the pipe.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
[ -s "$display_file" ] || { echo "40-windows: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -1 "$display_file")
rm -f "$display_file"

# The first use creates the prefix. Then one Wine server, with its system processes started
# here, serves all the short test programs: system processes started by a test would keep its
# output pipe open, and the test runner would wait for them.
probe=$root/build/windows/bin/fw-probe.exe
timeout 900 "$wine_run" "$prefix" "$probe" metrics >/dev/null 2>&1
timeout 60 wineserver -w || true
wineserver -p 600
timeout 120 "$wine_run" "$prefix" "$probe" metrics >/dev/null 2>&1

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
