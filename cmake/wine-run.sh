#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of its own: wine-run.sh PREFIX PROGRAM [ARGS...]
# CTest uses it as the cross-compiling emulator. The prefix is created on first use, with the
# fonts of Debian's fonts-wine copied into its windows\Fonts, which Wine does not find by
# itself (without them every dialog face falls back to one substitute).
set -euo pipefail
prefix=$(realpath -m "$1")  # Wine wants an absolute prefix
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
    if ! timeout 600 wineboot -i >"$prefix.log" 2>&1; then
      echo "wine-run.sh: cannot create the Wine prefix $prefix (see $prefix.log)" >&2
      exit 1
    fi
    # A crashing program prints its backtrace and ends instead of waiting in a crash dialog.
    timeout 120 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD \
      /d 0 /f >/dev/null 2>&1
    # Without a window manager Wine draws the caption and the close box itself.
    timeout 120 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N \
      /f >/dev/null 2>&1
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
