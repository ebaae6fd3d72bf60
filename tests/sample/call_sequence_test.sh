#!/usr/bin/env bash
# Runs dlgsample over the recording twin of wx-c and compares every call it makes, in order and
# with its arguments, with call_sequence.expected: start-up, the window with its thirteen
# controls, then the answers to a click on each button, the combo box's third item, list rows
# and "no selection", a size event, and events at controls that must have no handler.
# Also checks that the dialog script travels inside the executable, unchanged.
# Usage: call_sequence_test.sh DLGSAMPLE RECORD_LIB_DIR EXPECTED_LOG DLGSAMPLE_RC
set -euo pipefail
dlgsample=$1 record_dir=$2 expected=$3 rc=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

events="click button1; click button2; click button3; click button4"
events+="; select combobox1 2; select listview1 0; select listview2 1; select listview2 -1"
events+="; size panel1; click statictext1; click statictext4; click textctrl1; click textctrl2"

status=0
LD_LIBRARY_PATH="$record_dir" WXC_RECORD="$work/calls.log" WXC_EVENTS="$events" \
  timeout 30 "$dlgsample" || status=$?
if [ "$status" -ne 0 ]; then
  echo "FAIL: dlgsample exited with $status, expected 0" >&2
  exit 1
fi
if ! diff -u "$expected" "$work/calls.log"; then
  echo "FAIL: the calls differ from $expected (- expected, + made)" >&2
  exit 1
fi

objcopy -O binary --only-section=dlgsample_rc "$dlgsample" "$work/embedded.rc"
if ! cmp "$rc" "$work/embedded.rc"; then
  echo "FAIL: the executable does not carry $rc unchanged" >&2
  exit 1
fi
echo "PASS: $(grep -vc '^#' "$work/calls.log") calls as expected; dialog script embedded"
