# Sourced by the stages that run Windows programs under Wine: a virtual X display of their own
# and one Wine server for all their programs, both ended when the sourcing script exits.
#
#   fw_wine_display_start PREFIX WINE_RUN PROBE
# PREFIX is the Wine prefix (made on first use by WINE_RUN, cmake/wine-run.sh), PROBE a small
# Windows program that the first runs start Wine with. Exports WINEPREFIX, WINEDEBUG, DISPLAY.

fw_xvfb_pid=""

fw_wine_display_stop() {
  timeout 30 wineserver -k 2>/dev/null || true
  if [ -n "$fw_xvfb_pid" ]; then kill "$fw_xvfb_pid" 2>/dev/null || true; fi
}

fw_wine_display_start() {
  local prefix=$1 wine_run=$2 probe=$3
  export WINEPREFIX=$prefix WINEDEBUG=-all
  trap fw_wine_display_stop EXIT

  # A display of our own; Xvfb picks a free number and writes it to the pipe.
  local display_file
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
  fw_xvfb_pid=$!
  local _
  for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
  done
  if [ ! -s "$display_file" ]; then
    echo "wine_display: Xvfb did not start" >&2
    rm -f "$display_file"
    return 1
  fi
  DISPLAY=:$(head -1 "$display_file")
  export DISPLAY
  rm -f "$display_file"

  # The first use creates the prefix. Then one Wine server, with its system processes started
  # here, serves all the short programs: system processes started by a test would keep its
  # output pipe open, and the test runner would wait for them.
  timeout 900 "$wine_run" "$prefix" "$probe" metrics >/dev/null 2>&1
  timeout 60 wineserver -w || true
  wineserver -p 600
  timeout 120 "$wine_run" "$prefix" "$probe" metrics >/dev/null 2>&1
}
