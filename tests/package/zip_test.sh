#!/usr/bin/env bash
# The Windows zip as a user gets it, unzipped into a temporary folder and run from there under
# Wine on the X display in $DISPLAY: its files, the version in both programs, the command line
# converting an example with the sets beside it (the same files as the Linux command line),
# the dialog program listing those sets, and the dialog program's end-to-end test.
#
# Usage: zip_test.sh ZIP VERSION LINUX_FORMWRIGHT WINE_RUN WINEPREFIX PROBE ARTEFACT_FOLDER
# PROBE is fw-probe.exe of the Windows build, which reads the dialog's state (not shipped).
set -euo pipefail

zip=$(realpath "$1")
version=$2
linux_cli=$(realpath "$3")
wine_run=$(realpath "$4")
prefix=$(realpath -m "$5")
probe_exe=$(realpath "$6")
artefacts=$(realpath -m "$7")
here=$(cd "$(dirname "$0")" && pwd)
: "${DISPLAY:?zip_test.sh needs an X display (Xvfb)}"

tmp=$(mktemp -d /tmp/fw-zip-XXXXXX)
gui_pid=""
cleanup() {
  if [ -n "$gui_pid" ] && kill -0 "$gui_pid" 2>/dev/null; then kill "$gui_pid" || true; fi
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
  echo "zip_test: FAILED: $*" >&2
  exit 1
}
step() { echo "zip_test: $*"; }
wine_in() { (cd "$app" && "$wine_run" "$prefix" "$@" 2>/dev/null | tr -d '\r'); }
windows_path() { echo "Z:${1//\//\\}"; }

# One folder, named after the package, holding everything.
unzip -q "$zip" -d "$tmp/unzipped"
app=$tmp/unzipped/formwright-$version-win64
[ "$(ls "$tmp/unzipped")" = "formwright-$version-win64" ] || fail "top level: $(ls "$tmp/unzipped")"
for f in formwright.exe formwright-cli.exe template/winapi.tpl template/winapi/Button.tpl \
  examples/desktop.rc examples/gallery.rc README.txt LICENSE.txt; do
  [ -f "$app/$f" ] || fail "no $f"
done
for f in README.txt LICENSE.txt; do
  grep -q $'\r$' "$app/$f" && ! grep -q $'[^\r]$' "$app/$f" || fail "$f has not CR LF line ends"
done
python3 "$here/check_versioninfo.py" "$version" "$app/formwright.exe" "$app/formwright-cli.exe" ||
  fail "version resources"
step "files as shipped: $(cd "$app" && ls | paste -sd' ')"

# The command line from the unzipped folder, with no --template-root.
[ "$(wine_in ./formwright-cli.exe --version)" = "formwright $version" ] || fail "--version"
listed=$(wine_in ./formwright-cli.exe --list-templates)
[ "$listed" = winapi ] || fail "--list-templates gives \"$listed\""
mkdir -p "$tmp/wine" "$tmp/linux"
cp "$app/examples/gallery.rc" "$tmp/wine/"
cp "$app/examples/gallery.rc" "$tmp/linux/"
units=(--base-units 6,13 --metrics 4,4,19)
(cd "$app" && "$wine_run" "$prefix" ./formwright-cli.exe --multi "${units[@]}" \
  "$(windows_path "$tmp/wine/gallery.rc")" >"$tmp/wine.log" 2>&1) ||
  fail "formwright-cli.exe exits $?: $(cat "$tmp/wine.log")"
"$linux_cli" --template-root "$app/template" --multi "${units[@]}" "$tmp/linux/gallery.rc" \
  >/dev/null 2>&1 || fail "the Linux command line exits $?"
python3 "$here/../wine/compare_folders.py" "$tmp/linux" "$tmp/linux/gallery" \
  "$tmp/wine" "$(windows_path "$tmp/wine/gallery")" || fail "the outputs differ from Linux"
step "formwright-cli.exe: --version, --list-templates, gallery.rc as on Linux"

# The dialog program lists the sets beside it, the default selected; its close box ends it.
probe() { "$wine_run" "$prefix" "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }
(cd "$app" && exec "$wine_run" "$prefix" formwright.exe) >/dev/null 2>&1 &
gui_pid=$!
for _ in $(seq 200); do
  listed=$(probe list) && break
  sleep 0.3
done
[ "$listed" = $'winapi\nselected=0' ] || fail "the dialog lists \"$listed\""
# shellcheck disable=SC2046
xdotool mousemove $(probe close-box) click 1
for _ in $(seq 100); do
  kill -0 "$gui_pid" 2>/dev/null || break
  sleep 0.3
done
code=0
wait "$gui_pid" || code=$?
gui_pid=""
[ "$code" -eq 0 ] || fail "the dialog program exits $code"
step "formwright.exe lists the sets beside it (winapi, selected) and closes with exit code 0"

FW_PROBE=$probe_exe "$here/../wine/gui_test.sh" "$app" "$linux_cli" "$wine_run" "$prefix" \
  "$artefacts" || fail "the dialog program's end-to-end test"
echo "zip_test: passed"
