#!/usr/bin/env bash
# The Debian package as a user gets it: its fields, its files extracted into a temporary root,
# the extracted program run with no option pointing it at its template sets, the manual page,
# the bash completion, and lintian.
#
# Usage: deb_test.sh DEB VERSION BUILD_FORMWRIGHT
# BUILD_FORMWRIGHT (with its bin/template) must convert an example to the same bytes.
set -euo pipefail

deb=$(realpath "$1")
version=$2
built=$(realpath "$3")
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d /tmp/fw-deb-XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() {
  echo "deb_test: FAILED: $*" >&2
  exit 1
}
step() { echo "deb_test: $*"; }

# The control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = formwright ] || fail "Package is $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version is $(field Version), expected $version"
[ "$(field Architecture)" = amd64 ] || fail "Architecture is $(field Architecture)"
[ "$(field Recommends)" = fonts-wine ] || fail "Recommends is \"$(field Recommends)\""
depends=$(field Depends)
for lib in libc6 libstdc++6 libfreetype6 libfontconfig1; do
  [[ ", $depends," == *", $lib "* ]] || fail "Depends \"$depends\" lacks $lib"
done
step "fields: version $version, Depends: $depends"

usr=$tmp/root/usr
dpkg-deb -x "$deb" "$tmp/root"
doc=$usr/share/doc/formwright
for f in bin/formwright share/formwright/template/winapi.tpl share/man/man1/formwright.1.gz \
  share/bash-completion/completions/formwright share/doc/formwright/copyright \
  share/doc/formwright/changelog.gz share/doc/formwright/README.md \
  share/doc/formwright/examples/desktop.rc; do
  [ -f "$usr/$f" ] || fail "no /usr/$f"
done
file "$usr/bin/formwright" | grep -q ', stripped' || fail "/usr/bin/formwright is not stripped"
zcat "$doc/changelog.gz" >"$tmp/changelog"
changed=$(dpkg-parsechangelog -l "$tmp/changelog" -S Version)
[ "$changed" = "$version" ] || fail "the changelog's newest version is $changed"

# The extracted program finds its sets in ../share/formwright/template by itself.
exe=$usr/bin/formwright
[ "$("$exe" --version)" = "formwright $version" ] || fail "--version prints $("$exe" --version)"
listed=$("$exe" --list-templates)
shipped=$(cd "$usr/share/formwright/template" && ls -- *.tpl | sed 's/\.tpl$//' | sort -f)
[ "$listed" = "$shipped" ] || fail "--list-templates gives \"$listed\", the package holds \"$shipped\""
step "--version and --list-templates ($(echo "$listed" | paste -sd' ')) from the extracted root"

# A shipped example converted by the extracted program, with no --template-root, makes the
# same files as the build tree's program.
for who in package build; do
  mkdir -p "$tmp/$who"
  cp "$doc/examples/desktop.rc" "$tmp/$who/"
  program=$exe
  [ $who = build ] && program=$built
  (cd "$tmp" && "$program" --multi --base-units 6,13 "$tmp/$who/desktop.rc" >/dev/null) ||
    fail "$who: converting desktop.rc exits $?"
done
python3 "$here/../wine/compare_folders.py" "$tmp/package" "$tmp/package/desktop" \
  "$tmp/build" "$tmp/build/desktop" || fail "the package converts desktop.rc differently"
step "desktop.rc converted with the installed sets: $(ls "$tmp/package" | paste -sd' ')"

# The manual page: renders without a warning and names every option of --help.
warnings=$(man --warnings -l "$usr/share/man/man1/formwright.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man warns: $warnings"
page=$(MANWIDTH=200 man -l "$usr/share/man/man1/formwright.1.gz" 2>/dev/null | col -b)
for option in $("$exe" --help | grep -oE '^  --[a-z-]+'); do
  grep -q -- "$option" <<<"$page" || fail "the manual page does not name $option"
done
step "manual page: no warning, every option"

"$here/completion_test.sh" "$exe" "$usr/share/bash-completion/completions/formwright" >/dev/null ||
  fail "bash completion of the extracted program"
step "bash completion of the extracted program"

# lintian: no error and no warning.
report=$(lintian --allow-root --display-info "$deb" 2>&1) || true
echo "$report" | sed 's/^/deb_test: lintian: /'
if grep -qE '^[EW]: ' <<<"$report"; then fail "lintian reports errors or warnings"; fi
step "lintian: no error, no warning"
echo "deb_test: passed"
