#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of its own: wine-run.sh PREFIX PROGRAM [ARGS...]
# CTest uses it as the cross-compiling emulator. The prefix is created on first use, with the
# fonts of Debian's fonts-wine copied into its windows\Fonts, which Wine does not find by
# itself (without them every dialog face falls back to one substitute).
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer dialogs: the programs need neither.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

ready=$prefix/.fw-ready
if [ ! -e "$ready" ]; then
  mkdir -p "$(dirname "$prefix")"
  exec 9>"$prefix.lock"
  flock -w 600 9
  if [ ! -e "$ready" ]; then
    timeout 600 wineboot -i >/dev/null 2>&1
    timeout 120 wineserver -w || true
    fonts=$prefix/drive_c/windows/Fonts
    mkdir -p "$fonts"
    if [ -d /usr/share/wine/fonts ]; then
      cp /usr/share/wine/fonts/* "$fonts/"
    fi
    touch "$ready"
  fi
  exec 9>&-
fi
exec wine "$@"
