#!/usr/bin/env bash
# dlgsample.rc, converted by formwright with a 6 x 13 character cell and a template set that
# prints each dialog's and control's pixel geometry, gives the frame's and the controls'
# positions and sizes that dlgsample builds its window with.
# Usage: rc_geometry_test.sh FORMWRIGHT DLGSAMPLE_RC TEMPLATE_ROOT EXPECTED
set -euo pipefail
formwright=$1 rc=$2 root=$3 expected=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$rc" "$work/dlgsample.rc"
"$formwright" --template geometry --template-root "$root" --base-units 6,13 --metrics 4,4,19 \
  "$work/dlgsample.rc" >/dev/null
# The generated lines end in CR LF; the template leaves empty lines between its parts.
tr -d '\r' <"$work/dlgsample.bas" | grep . >"$work/geometry.txt"
if ! diff -u "$expected" "$work/geometry.txt"; then
  echo "FAIL: converted geometry differs from $expected (- expected, + converted)" >&2
  exit 1
fi
echo "PASS: dialog and $(($(wc -l <"$expected") - 1)) controls convert to the window's pixels"
