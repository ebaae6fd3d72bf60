#!/usr/bin/env bash
# The windowed program end to end, under Wine on the X display in $DISPLAY (Xvfb), driven with
# xdotool as a user would: mouse clicks and typed keys. fw-probe reads back what the dialog
# shows. The outputs of each run are compared with what the Linux command line makes of the
# same script and set, measuring with its own display and Wine's frame and caption metrics.
#
# Usage: gui_test.sh WINDOWS_BIN LINUX_FORMWRIGHT WINE_RUN WINEPREFIX ARTEFACT_FOLDER
# fw-probe.exe is the one in FW_PROBE when set (an unzipped package has none), else the one in
# WINDOWS_BIN.
# Without a window manager, `xdotool --sync` and `windowactivate` would wait forever: windows
# are focused by clicking, and every wait here is bounded.
set -euo pipefail

bin=$(realpath "$1")
linux_cli=$(realpath "$2")
wine_run=$(realpath "$3")
prefix=$(realpath -m "$4")
artefacts=$(realpath -m "$5")
probe_exe=$(realpath "${FW_PROBE:-$bin/fw-probe.exe}")
here=$(cd "$(dirname "$0")" && pwd)
source_root=$(cd "$here/../.." && pwd)
: "${DISPLAY:?gui_test.sh needs an X display (Xvfb)}"

tmp=$(mktemp -d /tmp/fw-gui-XXXXXX)
app=$tmp/app
work=$tmp/work
linux_work=$tmp/linux
mkdir -p "$artefacts" "$app/template" "$work/bak" "$linux_work/bak"
gui_pid=""
cleanup() {
  if [ -n "$gui_pid" ] && kill -0 "$gui_pid" 2>/dev/null; then kill "$gui_pid" || true; fi
  rm -rf "$tmp"
}
trap cleanup EXIT

fail() {
  echo "gui_test: FAILED: $*" >&2
  import -window root "$artefacts/failure.png" 2>/dev/null || true
  exit 1
}
step() { echo "gui_test: $*"; }

# Two sets: the shipped one, and a test set whose name is longer than 19 characters.
long_set=alpha_set_with_a_long_name
cp "$bin/formwright.exe" "$app/"
cp -r "$source_root/templates/winapi" "$source_root/templates/winapi.tpl" "$app/template/"
cp -r "$source_root/tests/cli/fixtures/root/alpha" "$app/template/$long_set"
cp "$source_root/tests/cli/fixtures/root/alpha.tpl" "$app/template/$long_set.tpl"
cp "$source_root/examples/gallery.rc" "$work/"
cp "$source_root/examples/gallery.rc" "$linux_work/"
script_wine="Z:${work//\//\\}\\gallery.rc"

# A Wine process now and then ends before the program starts (no output, a failure): such a
# probe is asked once more, so only one that fails twice counts.
probe() {
  local out
  if ! out=$("$wine_run" "$prefix" "$probe_exe" "$@" 2>/dev/null) || [ -z "$out" ]; then
    out=$("$wine_run" "$prefix" "$probe_exe" "$@" 2>/dev/null) || return 1
  fi
  printf '%s\n' "$out" | tr -d '\r'
}

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
  local seconds=$1
  shift
  local end=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.3
  done
}
chooser_open() { probe chooser-edit; }
chooser_closed() { ! probe chooser-edit; }
click_at() { xdotool mousemove "$1" "$2" click 1; }
click_control() {
  local pos
  pos=$(probe center "$1") || fail "control $1 not found"
  # shellcheck disable=SC2086
  click_at $pos
}

start_gui() {
  (cd "$app" && exec "$wine_run" "$prefix" formwright.exe) >"$artefacts/formwright.log" 2>&1 &
  gui_pid=$!
  wait_for 60 xdotool search --name '^Formwright$' || fail "no window titled Formwright"
  wait_for 20 probe status || fail "the dialog does not answer"
}

# Waits for the program to end; its exit code must be 0.
expect_exit_0() {
  local end=$((SECONDS + 30))
  while kill -0 "$gui_pid" 2>/dev/null; do
    [ $SECONDS -lt $end ] || fail "the program did not end"
    sleep 0.3
  done
  local code=0
  wait "$gui_pid" || code=$?
  gui_pid=""
  [ "$code" -eq 0 ] || fail "exit code $code, expected 0"
}

# Waits until the run started after the marker was touched has written the project file (its
# last output), then until the dialog answers again, which it does only when the run is over.
await_run() {
  wait_for 60 test "$work/gallery.fbp" -nt "$tmp/marker" || fail "$1: no run"
  wait_for 20 probe status || fail "$1: the dialog does not answer after the run"
}

# Clicks "rc file", types the script's path into the chooser and confirms with Return.
choose_script() {
  touch "$tmp/marker"
  sleep 0.05
  click_control 1001
  wait_for 20 chooser_open || fail "the file chooser did not open"
  local pos
  pos=$(probe chooser-edit)
  # shellcheck disable=SC2086
  click_at $pos
  # The field starts with the chooser's initial name: replace it.
  xdotool key End shift+Home
  xdotool type --delay 15 "$script_wine"
  xdotool key Return
  wait_for 20 chooser_closed || fail "the file chooser did not close"
  await_run "choosing $script_wine"
}

# Clicks "rc file" and cancels the chooser with Escape.
cancel_chooser() {
  touch "$tmp/marker"
  sleep 0.05
  click_control 1001
  wait_for 20 chooser_open || fail "the file chooser did not open"
  xdotool key Escape
  wait_for 20 chooser_closed || fail "the file chooser did not close on Escape"
}

# Selects list entry $1 with the mouse and the keyboard, as a user would.
select_set() {
  click_control 1002
  sleep 0.5
  xdotool key Home
  local i
  for ((i = 0; i < $1; i++)); do xdotool key Down; done
  xdotool key Return
  sleep 0.5
}

# The Linux command line on the same script and set; its diagnostics count for the status.
linux_run() {
  "$linux_cli" --template-root "$app/template" --metrics "$metrics" "$@" \
    "$linux_work/gallery.rc" 2>"$tmp/linux.err" >/dev/null || true
}

compare_with_linux() {
  python3 "$here/compare_folders.py" "$linux_work" "$linux_work/gallery" \
    "$work" "Z:${work//\//\\}\\gallery" || fail "$1: outputs differ from the Linux command line"
}

# The status line must read "Ready" exactly when the Linux run had nothing to say.
check_status() {
  local status
  status=$(probe status)
  if [ -s "$tmp/linux.err" ]; then
    [[ "$status" =~ ^[0-9]+\ (warning|file) ]] || fail "$1: status \"$status\" after warnings"
  else
    [ "$status" = "Ready" ] || fail "$1: status \"$status\", expected Ready"
  fi
  step "$1: status line \"$status\""
}

metrics=$(probe metrics) || fail "fw-probe does not run"
step "Wine's frame and caption metrics: $metrics"

# Session 1: a first click that is cancelled runs nothing; the close box ends the program.
start_gui
cancel_chooser
sleep 1
[ "$(probe status)" = "Ready" ] || fail "status changed without a run"
[ ! -e "$work/gallery.bas" ] || fail "a cancelled first choice ran the conversion"
pos=$(probe close-box) || fail "no close box"
# shellcheck disable=SC2086
click_at $pos
expect_exit_0
step "cancelled first choice: no run; close box: exit code 0"

# Session 2.
start_gui
mapfile -t listed < <(probe list)
selected=${listed[-1]}
unset 'listed[-1]'
[ "${#listed[@]}" -eq 2 ] || fail "list holds ${listed[*]}, expected two sets"
printf '%s\n' "${listed[@]}" | sort | paste -sd' ' | grep -qx "$long_set winapi" ||
  fail "list holds ${listed[*]}"
[ "$selected" = "selected=0" ] || fail "first entry not selected ($selected)"
[ "$(probe status)" = "Ready" ] || fail "status at start is not Ready"
[ "$(probe checked)" = 0 ] || fail "checkbox ticked at start"
step "list: ${listed[*]}; first selected; status Ready"

index_of() {
  local i
  for i in "${!listed[@]}"; do [ "${listed[$i]}" = "$1" ] && echo "$i"; done
}

# Run 1: the long-named set, one file.
select_set "$(index_of "$long_set")"
[ "$(probe list | grep -c "selected=$(index_of "$long_set")")" = 1 ] || fail "set not selected"
choose_script
[ -s "$work/gallery.bas" ] && [ -s "$work/gallery.fbp" ] || fail "run 1 wrote no outputs"
linux_run --template "$long_set"
compare_with_linux "run 1 (set $long_set, one file)"
check_status "run 1"

# Run 2: the shipped set, multiple dialog files.
select_set "$(index_of winapi)"
click_control 1003
[ "$(probe checked)" = 1 ] || fail "checkbox not ticked"
choose_script
[ -s "$work/IDD_GALLERY.bi" ] || fail "run 2 wrote no include files"
linux_run --template winapi --multi
compare_with_linux "run 2 (set winapi, multiple files)"
check_status "run 2"
xid=$(xdotool search --name '^Formwright$' | head -1)
import -window "$xid" "$artefacts/formwright.png" || fail "no screenshot"

# Run 3: a cancelled chooser repeats the run on the same script.
rm -f "$work"/*.bas "$work"/*.bi "$linux_work"/*.bas "$linux_work"/*.bi
cancel_chooser
await_run "cancelled chooser"
[ -s "$work/gallery.bas" ] || fail "a cancelled chooser did not repeat the run"
linux_run --template winapi --multi
compare_with_linux "run 3 (cancelled chooser, repeated)"
step "cancelled chooser: the run was repeated on the same script"

# Escape does not close the dialog.
click_control 1004
xdotool key Escape
sleep 1
kill -0 "$gui_pid" 2>/dev/null && xdotool search --name '^Formwright$' >/dev/null ||
  fail "Escape closed the dialog"
step "Escape: the dialog stays"

# Alt+F4 closes it, with exit code 0.
click_control 1004
xdotool key alt+F4
expect_exit_0
step "Alt+F4: exit code 0"
echo "gui_test: passed; screenshot in $artefacts/formwright.png"
