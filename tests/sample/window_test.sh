#!/usr/bin/env bash
# dlgsample's real window on a virtual display of its own (Xvfb, no window manager): the window
# "Main dialog" is 380 x 331 and centred; every control is where the dialog puts it; list view
# 1013 shows its headings and cells (read back from wxWidgets through the binding's WXC_DUMP);
# clicks on the buttons, the combo box's "r 2" and list rows each bring up the message box
# that names the event (read from WXC_TRACE), which is dismissed with the keyboard; clicks on a
# static text and a text field bring none; closing the window ends the program with exit code
# 0; and no wxWidgets assertion is ever raised. Screenshots are kept in OUT_DIR.
# Usage: window_test.sh DLGSAMPLE XCLOSE OUT_DIR
set -euo pipefail
dlgsample=$1 xclose=$2 out=$3

mkdir -p "$out"
rm -f "$out"/*.png "$out"/trace.txt "$out"/dump.txt "$out"/stderr.txt
work=$(mktemp -d)
xvfb_pid="" app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -n "${DISPLAY:-}" ] && import -window root "$out/failure.png" 2>/dev/null || true
  exit 1
}

# Polls COMMAND every 0.1 s for at most SECONDS; true as soon as it succeeds.
wait_for() {
  local seconds=$1
  shift
  for ((i = 0; i < seconds * 10; i++)); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# A virtual display on a free number, which Xvfb picks and writes to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for 10 grep -q . "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -1 "$work/display")"
screen_w=1024 screen_h=768

export WXC_TRACE="$out/trace.txt" WXC_DUMP="$out/dump.txt"
# GTK keeps its settings, caches and sockets in the test's own folder.
export NO_AT_BRIDGE=1 GDK_BACKEND=x11 GSETTINGS_BACKEND=memory XDG_RUNTIME_DIR="$work"
export XDG_CONFIG_HOME="$work" XDG_CACHE_HOME="$work" XDG_DATA_HOME="$work"
: >"$WXC_TRACE"
timeout 90 "$dlgsample" 2>"$out/stderr.txt" &
app_pid=$!

wait_for 20 test -s "$WXC_DUMP" || fail "dlgsample wrote no window dump"
wait_for 10 xdotool search --name '^Main dialog$' || fail "no window \"Main dialog\""
frame=$(xdotool search --name '^Main dialog$' | head -1)

# The window: size and centring. Without a window manager its outer size is the frame's size.
geometry=$(xwininfo -id "$frame")
get() { awk -F: -v key="$1" '$1 ~ key {gsub(/ /, "", $2); print $2}' <<<"$geometry"; }
width=$(get 'Width') height=$(get 'Height')
x=$(get 'Absolute upper-left X') y=$(get 'Absolute upper-left Y')
[ "$width" = 380 ] && [ "$height" = 331 ] || fail "window is ${width}x$height, not 380x331"
dx=$((2 * x + width - screen_w)) dy=$((2 * y + height - screen_h))
[ "${dx#-}" -le 1 ] && [ "${dy#-}" -le 1 ] || fail "window at $x,$y is not centred"

# Every control where the dialog puts it, in pixels of the panel.
dump="$WXC_DUMP"
expect_window() {  # class id-or-any x,y,w,h text
  local line
  line=$(grep "^window $1 " "$dump" | grep " pos=$3 " | grep -F "\"$4\"") ||
    fail "no $1 \"$4\" at $3 in the dump"
  [ "$2" = any ] || grep -q " id=$2 " <<<"$line" || fail "$1 \"$4\" has not id $2: $line"
}
expect_window wxStaticText any 6,5,72,18 "NO BORDER"
expect_window wxStaticText any 3,29,78,24 "BORDER"
expect_window wxStaticText any 3,59,78,24 "RAISED"
expect_window wxStaticText any 3,89,78,24 "SUNKEN"
expect_window wxButton 1005 84,2,102,24 "BT FLAT"
expect_window wxButton 1006 84,29,102,24 "BT 3D"
expect_window wxButton 1007 84,59,102,24 "BT BORDER"
expect_window wxButton 1008 84,89,102,24 "BT SUNKEN"
expect_window wxComboBox 1009 3,117,183,24 ""
expect_window wxTextCtrl 1010 189,2,177,24 "Left - Single"
expect_window wxListView 1012 3,143,183,153 ""
expect_window wxListView 1013 189,143,177,153 ""
expect_window wxTextCtrl 1011 189,29,177,109 "Center-Multiline"

# List view 1013 in report view: three headed columns of width 60 and nine cells.
grep -q '^list id=1013 report=1 columns=3 rows=3$' "$dump" || fail "list 1013 is not 3 x 3 in report view"
for c in 0 1 2; do
  grep -q "^column id=1013 index=$c width=60 heading=\"Col$c\"$" "$dump" || fail "list 1013 column $c"
done
for r in 0 1 2; do
  grep -q "^row id=1013 index=$r .* cells=\"R${r}C0|R${r}C1|R${r}C2\"$" "$dump" || fail "list 1013 row $r"
  grep -q "^row id=1012 index=$r .* cells=\"R${r}C0\"$" "$dump" || fail "list 1012 row $r"
done
import -window root -crop 380x331+"$x"+"$y" +repage "$out/dlgsample.png"

# Centre of a rectangle "x,y,w,h" taken from a dump line: "X Y".
centre() { awk -F, '{printf "%d %d", $1 + $3 / 2, $2 + $4 / 2}' <<<"$1"; }
screen_of() { grep "$1" "$dump" | head -1 | sed 's/.* screen=\([-0-9,]*\) .*/\1/'; }

# Waits for message box number N, checks its text and dismisses it with the keyboard.
seen=0
expect_message() {
  seen=$((seen + 1))
  wait_for 10 test "$(wc -l <"$WXC_TRACE")" -ge "$seen" || fail "no message box for \"$1\""
  local line
  line=$(sed -n "${seen}p" "$WXC_TRACE")
  [ "$line" = "Event	$1" ] || fail "message box $seen reads \"$line\", not \"$1\""
  wait_for 10 xdotool search --onlyvisible --name '^Event$' ||
    fail "message box \"$1\" not on screen"
  [ -n "${2:-}" ] && import -window root -crop 380x331+"$x"+"$y" +repage "$out/$2"
  xdotool windowfocus "$(xdotool search --onlyvisible --name '^Event$' | head -1)" key Return
  wait_for 10 bash -c '! xdotool search --name "^Event\$"' || fail "message box \"$1\" stays open"
}

click_at() { xdotool mousemove $1 click 1; }

for label in "BT FLAT:1" "BT 3D:2" "BT BORDER:3" "BT SUNKEN:4"; do
  click_at "$(centre "$(screen_of "^window wxButton .*\"${label%:*}\"")")"
  expect_message "IDC_BTN${label#*:}_Clicked"
done

# The combo box's drop-down, opened with its arrow at the right end, is a window as wide as the
# combo box; "r 2" is its third item.
IFS=, read -r cx cy cw ch <<<"$(screen_of '^window wxComboBox ')"
click_at "$((cx + cw - 10)) $((cy + ch / 2))"
wait_for 10 bash -c "xwininfo -root -children | grep -q ' ${cw}x[0-9]*+$cx+'" ||
  fail "the combo box's drop-down did not open"
xdotool key Home Down Down Return
expect_message "IDC_CBO1_Selected 2"

click_at "$(centre "$(screen_of '^row id=1013 index=1 ')")"
expect_message "IDC_LSV2_Selected 1" dlgsample-message.png
click_at "$(centre "$(screen_of '^row id=1013 index=2 ')")"
expect_message "IDC_LSV2_Selected 2"
click_at "$(centre "$(screen_of '^row id=1012 index=0 ')")"
expect_message "IDC_LSV1_Selected 0"

# Static texts and text fields answer nothing.
click_at "$(centre "$(screen_of '^window wxStaticText .*"SUNKEN"')")"
click_at "$(centre "$(screen_of '^window wxTextCtrl .*"Left - Single"')")"
sleep 1
[ "$(wc -l <"$WXC_TRACE")" -eq "$seen" ] || fail "a static text or text field answered: $(tail -1 "$WXC_TRACE")"
import -window root -crop 380x331+"$x"+"$y" +repage "$out/dlgsample-selected.png"

# Closing the window, as a window manager's close button would, ends the program.
"$xclose" "$frame"
wait_for 10 bash -c "! kill -0 $app_pid" || fail "dlgsample still runs after its window was closed"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "dlgsample exited with $status"

if grep -q 'assertion' "$out/stderr.txt"; then
  fail "wxWidgets raised assertions: $(grep assertion "$out/stderr.txt")"
fi
grep -q '^wx-c: list 1012 has no report view' "$out/stderr.txt" ||
  fail "the columns refused for list 1012 are not reported on stderr"
echo "PASS: window, controls, list 1013, $seen messages, exit code 0; screenshots in $out"
