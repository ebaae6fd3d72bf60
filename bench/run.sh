#!/usr/bin/env bash
# Conversion at scale, measured: converts generated scripts of 100, 1,000 and 10,000 dialogs
# (about twenty controls each) with `formwright --base-units 6,13` in single-file mode, first
# run, beside a plain copy of the same bytes, beside the same conversion with --full-syntax
# (the generated scripts are in the narrow form, which the whole language reads too), beside a
# re-run (the same conversion over its outputs of the round before, with a "bak" folder, so
# the old main source is backed up), beside `llvm-rc-14 -fo OUT.res` compiling the same
# dialogs (its script includes the defines from a resource.h, so it preprocesses as a real
# project does) and beside the plain method; then the text utility benchmark. Every figure is
# the median of the runs, all made side by side in rounds, so that load from other work on the
# machine falls on every column alike.
#
# Settings (environment): FW_BENCH_RUNS (5), FW_BENCH_SIZES ("100 1000 10000"; "1000 10000
# 100000" for the large run: 100,000 dialogs is a 240 MB script, and the columns write about
# 20 GB in that folder, removed after the tables), FW_BENCH_PLAIN_SIZES ("100 1000"),
# FW_BENCH_PLAIN_RUNS (as FW_BENCH_RUNS; the plain method takes minutes at 1,000 dialogs),
# FW_BENCH_DIR (build/bench/run), FW_BENCH_BASELINE (another build's formwright, measured in
# the same rounds, with the same template set, for a before and after comparison),
# FW_BENCH_FULL (1; 0 leaves out the --full-syntax column), FW_BENCH_PEER (llvm-rc-14; empty
# leaves out the peer column).
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${FW_BENCH_RUNS:-5}
sizes=${FW_BENCH_SIZES:-"100 1000 10000"}
plain_sizes=${FW_BENCH_PLAIN_SIZES-"100 1000"}
plain_runs=${FW_BENCH_PLAIN_RUNS:-$runs}
build=build/bench
work=${FW_BENCH_DIR:-$build/run}
bin=$PWD/$build/bin
baseline=${FW_BENCH_BASELINE:-}
full=${FW_BENCH_FULL:-1}
peer=${FW_BENCH_PEER-llvm-rc-14}
if [ -n "$peer" ] && ! command -v "$peer" >/dev/null; then
  echo "bench/run.sh: $peer not found; no peer column" >&2
  peer=""
fi

build_tools() {
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DFW_BUILD_SAMPLE=OFF >/dev/null
  cmake --build "$build" -j2 --target formwright fw_templates make_script reference_convert \
    text_bench >/dev/null
}

# Runs a command, appending "wall-seconds max-rss-kB cpu-seconds" to the file $1 (CPU time is
# user + system: it shows how much of the wall time is the machine's other load).
#
# The file system's unwritten pages are written out first, untimed: otherwise the gigabytes
# the 100,000-dialog columns leave behind are written while the next column runs, and fall on
# whichever column follows.
measure() {
  local out=$1
  shift
  local start end
  sync
  start=$(date +%s%N)
  /usr/bin/time -f "%M %U %S" -o "$work/rss" "$@" >/dev/null
  end=$(date +%s%N)
  echo "$(((end - start) / 1000)) $(tail -n 1 "$work/rss")" |
    awk '{ printf "%.6f %d %.2f\n", $1 / 1e6, $2, $3 + $4 }' >>"$out"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print NR ? v[int((NR + 1) / 2)] : 0 }'; }
column_median() { awk -v c="$2" '{ print $c }' "$1" | median; }

is_plain_size() { [[ " $plain_sizes " == *" $1 "* ]]; }

# Folders: N/fast, N/full, N/plain, N/base and N/again each hold the script as dialogs.rc;
# N/copy receives the copies. N/again has a "bak" folder and the outputs of a first run made
# here, unmeasured, so that every measured run there is a re-run. N/peer holds the peer's
# script: resource.h with the "#define" lines, dialogs.rc including it, then the dialogs.
prepare() {
  local n=$1 d="$work/$1"
  mkdir -p "$d/fast" "$d/full" "$d/plain" "$d/copy" "$d/base" "$d/again/bak" "$d/peer"
  "$bin/make_script" "$n" "$d/fast/dialogs.rc" "$bin/template/winapi"
  for other in full plain base again; do cp "$d/fast/dialogs.rc" "$d/$other/dialogs.rc"; done
  grep '^#define' "$d/fast/dialogs.rc" >"$d/peer/resource.h"
  { printf '#include "resource.h"\r\n' && grep -v '^#define' "$d/fast/dialogs.rc"; } \
    >"$d/peer/dialogs.rc"
  rm -f "$d"/*.times "$d"/again/dialogs.{bas,fbp} "$d"/again/bak/*
  "$bin/formwright" --base-units 6,13 --template-root "$bin/template" --template winapi \
    "$d/again/dialogs.rc" >/dev/null
}

# A first run: no outputs from before (N/again keeps its own).
clean() {
  rm -f "$work/$1"/{fast,full,plain,base}/dialogs.{bas,fbp} "$work/$1"/copy/dialogs.* \
    "$work/$1"/peer/dialogs.res
}

# The outputs of the large sizes are removed once the tables are made; the scripts stay.
remove_large_outputs() {
  for n in $sizes; do
    [ "$n" -ge 100000 ] || continue
    rm -f "$work/$n"/{fast,full,plain,base,again}/dialogs.{bas,fbp} "$work/$n"/copy/dialogs.* \
      "$work/$n"/again/bak/* "$work/$n"/peer/dialogs.res
  done
}

convert_baseline() {
  measure "$1/base.times" "$baseline" --base-units 6,13 --template-root "$bin/template" \
    --template winapi "$1/base/dialogs.rc"
}

convert_full() {
  measure "$1/full.times" "$bin/formwright" --full-syntax --base-units 6,13 \
    --template-root "$bin/template" --template winapi "$1/full/dialogs.rc"
}

# Over the outputs of the round before, which go into "bak" first.
convert_again() {
  measure "$1/again.times" "$bin/formwright" --base-units 6,13 --template-root "$bin/template" \
    --template winapi "$1/again/dialogs.rc"
}

compile_peer() { measure "$1/peer.times" "$peer" -fo "$1/peer/dialogs.res" "$1/peer/dialogs.rc"; }

# The columns beside the first run and the copy, in the order given.
side_columns() {
  local d=$1
  shift
  for column in "$@"; do
    case $column in
      base) [ -z "$baseline" ] || convert_baseline "$d" ;;
      full) [ "$full" != 1 ] || convert_full "$d" ;;
      again) convert_again "$d" ;;
      peer) [ -z "$peer" ] || compile_peer "$d" ;;
    esac
  done
}

one_round() {
  local n=$1 round=$2 d="$work/$1"
  clean "$n"
  # The other columns go first in every other round, and in the reverse order after, so that
  # no column always follows another's writes.
  if [ $((round % 2)) -eq 1 ]; then side_columns "$d" base full again peer; fi
  measure "$d/fast.times" "$bin/formwright" --base-units 6,13 --template-root "$bin/template" \
    --template winapi "$d/fast/dialogs.rc"
  measure "$d/copy.times" cp "$d/fast/dialogs.rc" "$d/fast/dialogs.bas" "$d/fast/dialogs.fbp" \
    "$d/copy/"
  rm -f "$d"/copy/dialogs.*
  if [ $((round % 2)) -eq 0 ]; then side_columns "$d" peer again full base; fi
  if is_plain_size "$n" && [ "$round" -le "$plain_runs" ]; then
    measure "$d/plain.times" "$bin/reference_convert" "$d/plain/dialogs.rc" "$bin/template" winapi
  fi
}

# True when the files written in N/$2 equal those in N/fast but for the folder in ~PROJNAME~.
same_as_fast() {
  local d="$work/$1"
  sed "s#$d/$2/#$d/fast/#g" "$d/$2/dialogs.bas" | cmp -s - "$d/fast/dialogs.bas" &&
    cmp -s "$d/$2/dialogs.fbp" "$d/fast/dialogs.fbp"
}

# The plain method, the full syntax and the re-run must write what the fast narrow mode
# writes; the re-run backs up the main source it replaces.
check_identical() {
  local d="$work/$1"
  if same_as_fast "$1" again && cmp -s "$d/again/bak/dialogs.bak" "$d/again/dialogs.bas"; then
    echo "  N=$1: the re-run wrote identical files and backed up the old main source"
  else
    echo "  N=$1: THE RE-RUN WROTE OTHER FILES OR NO BACKUP" && return 1
  fi
  if [ "$full" = 1 ]; then
    if same_as_fast "$1" full; then
      echo "  N=$1: the full syntax and the narrow mode wrote identical files"
    else
      echo "  N=$1: THE FULL SYNTAX AND THE NARROW MODE DIFFER" && return 1
    fi
  fi
  is_plain_size "$1" || return 0
  [ -f "$d/plain/dialogs.bas" ] || return 0
  if same_as_fast "$1" plain; then
    echo "  N=$1: the plain and the fast method wrote identical files"
  else
    echo "  N=$1: THE PLAIN AND THE FAST METHOD DIFFER" && return 1
  fi
}

# The full syntax against the narrow form: medians side by side, and the same bytes written.
compare_full() {
  [ "$full" = 1 ] || return 0
  echo
  echo "| dialogs | narrow s (CPU s) | full syntax s (CPU s) | full / narrow (CPU) | full peak RSS MB | same output |"
  echo "|---:|---:|---:|---:|---:|---|"
  for n in $sizes; do
    local d="$work/$n" narrow fullWall narrowCpu fullCpu rss same=no
    narrow=$(column_median "$d/fast.times" 1)
    fullWall=$(column_median "$d/full.times" 1)
    narrowCpu=$(column_median "$d/fast.times" 3)
    fullCpu=$(column_median "$d/full.times" 3)
    rss=$(column_median "$d/full.times" 2)
    same_as_fast "$n" full && same=yes
    awk -v n="$n" -v a="$narrow" -v f="$fullWall" -v ac="$narrowCpu" -v fc="$fullCpu" \
      -v rss="$rss" -v s="$same" 'BEGIN {
        printf "| %d | %.3f (%.2f) | %.3f (%.2f) | %.2f (%.2f) | %.0f | %s |\n",
          n, a, ac, f, fc, f / a, fc / ac, rss / 1024, s }'
    echo "$n $narrow $fullWall $narrowCpu $fullCpu $same" >>"$work/full_summary"
  done
}

# The baseline build against this one: medians side by side, and the same bytes written.
compare_baseline() {
  [ -n "$baseline" ] || return 0
  echo
  echo "| dialogs | baseline s (CPU s) | formwright s (CPU s) | formwright / baseline (CPU) | same output |"
  echo "|---:|---:|---:|---:|---|"
  for n in $sizes; do
    local d="$work/$n" base fast baseCpu fastCpu same=no
    base=$(column_median "$d/base.times" 1)
    fast=$(column_median "$d/fast.times" 1)
    baseCpu=$(column_median "$d/base.times" 3)
    fastCpu=$(column_median "$d/fast.times" 3)
    same_as_fast "$n" base && same=yes
    awk -v n="$n" -v b="$base" -v f="$fast" -v bc="$baseCpu" -v fc="$fastCpu" -v s="$same" \
      'BEGIN { printf "| %d | %.3f (%.2f) | %.3f (%.2f) | %.3f (%.3f) | %s |\n", n, b, bc, f, fc, f / b, fc / bc, s }'
  done
}

report() {
  local previous=""
  printf '\n| dialogs | input MB | output MB | copy s | formwright s (CPU s) | ratio to previous '
  printf '| x copy | output MB/s | peak RSS MB | RSS / output | plain s | plain / formwright |\n'
  printf '|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n'
  for n in $sizes; do
    local d="$work/$n" in out copy fast rss cpu ratio plain speedup
    in=$(stat -c %s "$d/fast/dialogs.rc")
    out=$(($(stat -c %s "$d/fast/dialogs.bas") + $(stat -c %s "$d/fast/dialogs.fbp")))
    copy=$(column_median "$d/copy.times" 1)
    fast=$(column_median "$d/fast.times" 1)
    rss=$(column_median "$d/fast.times" 2)
    cpu=$(column_median "$d/fast.times" 3)
    ratio=-
    [ -n "$previous" ] && ratio=$(awk -v a="$fast" -v b="$previous" 'BEGIN { printf "%.2f", a / b }')
    plain=-
    speedup=-
    if [ -f "$d/plain.times" ]; then
      plain=$(column_median "$d/plain.times" 1 | awk '{ printf "%.3f", $1 }')
      speedup=$(awk -v a="$plain" -v b="$fast" 'BEGIN { printf "%.0f", a / b }')
    fi
    awk -v n="$n" -v inb="$in" -v out="$out" -v copy="$copy" -v fast="$fast" -v ratio="$ratio" \
      -v rss="$rss" -v cpu="$cpu" -v plain="$plain" -v speedup="$speedup" 'BEGIN {
        printf "| %d | %.1f | %.1f | %.3f | %.3f (%.2f) | %s | %.1f | %.0f | %.0f | %.2f | %s | %s |\n",
          n, inb / 1e6, out / 1e6, copy, fast, cpu, ratio, fast / copy, out / 1e6 / fast,
          rss / 1024, rss * 1024 / out, plain, speedup }'
    echo "$n $fast $copy $rss $out $plain" >>"$work/summary"
    previous=$fast
  done
}

# A column's medians as "wall (CPU)", or "-" when the column was not measured.
wall_cpu() {
  [ -s "$1" ] || { echo -; return; }
  awk -v w="$(column_median "$1" 1)" -v c="$(column_median "$1" 3)" \
    'BEGIN { printf "%.3f (%.2f)", w, c }'
}
median_or_dash() { [ -s "$1" ] && column_median "$1" "$2" || echo -; }
rss_mb() { [ -s "$1" ] && column_median "$1" 2 | awk '{ printf "%.0f", $1 / 1024 }' || echo -; }
ratio_of() { [ -s "$1" ] && [ -s "$2" ] && awk -v a="$(column_median "$1" 1)" \
  -v b="$(column_median "$2" 1)" 'BEGIN { printf "%.2f", a / b }' || echo -; }

# The re-run and the peer beside the first run; "$work/targets" keeps the medians (wall s,
# peak RSS kB, "-" where not measured) for the verdicts.
compare_targets() {
  local p=${peer:-peer}
  echo
  echo "| dialogs | first run s (CPU s) | re-run s (CPU s) | re-run / first | re-run peak RSS MB | $p s (CPU s) | $p peak RSS MB | formwright / $p | full syntax / $p |"
  echo "|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
  for n in $sizes; do
    local d="$work/$n"
    echo "| $n | $(wall_cpu "$d/fast.times") | $(wall_cpu "$d/again.times") |" \
      "$(ratio_of "$d/again.times" "$d/fast.times") | $(rss_mb "$d/again.times") |" \
      "$(wall_cpu "$d/peer.times") | $(rss_mb "$d/peer.times") |" \
      "$(ratio_of "$d/fast.times" "$d/peer.times") | $(ratio_of "$d/full.times" "$d/peer.times") |"
    echo "$n $(median_or_dash "$d/again.times" 1) $(median_or_dash "$d/peer.times" 1)" \
      "$(median_or_dash "$d/full.times" 1) $(median_or_dash "$d/full.times" 2)" >>"$work/targets"
  done
}

# The figures the conversion must reach, where the sizes measured allow a verdict: peak RSS
# (both modes) at 1,000, 10,000 and 100,000 dialogs, each tenfold step in time, the re-run,
# and at 10,000 dialogs the copy and the peer.
verdicts() {
  awk '
    FILENAME ~ /targets$/ { again[$1] = $2; peer[$1] = $3; full[$1] = $4; fullRss[$1] = $5; next }
    { n[++k] = $1; t[k] = $2; c[k] = $3; r[k] = $4; o[k] = $5; p[k] = $6 }
    function say(ok, text) { printf "  %s  %s\n", ok ? "reached" : "MISSED ", text }
    function num(v) { return v >= 1000 ? num(int(v / 1000)) sprintf(",%03d", v % 1000) : v }
    function rss(kb, n, mode) {
      say(kb <= 65536, sprintf("%s dialogs%s: peak RSS %.0f MiB (at most 64 MiB)", num(n), mode, kb / 1024))
    }
    function vs_peer(time, n, mode) {
      say(time <= 0.5 * peer[n], sprintf("%s dialogs%s: %.2fx the peer (at most 0.5x)", num(n), mode, time / peer[n]))
    }
    END {
      for (i = 1; i <= k; i++) {
        m = n[i]
        big = m == 1000 || m == 10000 || m == 100000
        if (big) rss(r[i], m, "")
        if (big && fullRss[m] != "-") rss(fullRss[m], m, ", full syntax")
        if (i > 1 && n[i - 1] >= 1000 && m == 10 * n[i - 1])
          say(t[i] / t[i - 1] <= 11, sprintf("%s -> %s dialogs: %.2fx the time (at most 11x)", num(n[i - 1]), num(m), t[i] / t[i - 1]))
        if (big && again[m] != "-")
          say(again[m] <= 1.2 * t[i], sprintf("%s dialogs: re-run %.2fx the first run (at most 1.2x)", num(m), again[m] / t[i]))
        if (m == 10000) {
          say(t[i] <= 10 * c[i], sprintf("10,000 dialogs: %.1fx the plain copy (at most 10x)", t[i] / c[i]))
          if (peer[m] != "-") vs_peer(t[i], m, "")
          if (peer[m] != "-" && full[m] != "-") vs_peer(full[m], m, ", full syntax")
        }
        if (m == 1000 && p[i] != "-")
          say(p[i] / t[i] >= 50, sprintf("1,000 dialogs: %.0fx faster than the plain method (at least 50x)", p[i] / t[i]))
      }
    }' "$work/targets" "$work/summary"
  [ -f "$work/full_summary" ] || return 0
  awk '$1 == 10000 {
    printf "  %s  10,000 dialogs: full syntax %.2fx the narrow mode (at most 1.5x; CPU %.2fx)\n",
      $3 / $2 <= 1.5 ? "reached" : "MISSED ", $3 / $2, $5 / $4
    if ($6 != "yes") print "  MISSED   10,000 dialogs: the full syntax wrote other files than the narrow mode"
  }' "$work/full_summary"
}

text_benchmark() {
  echo
  echo "Text utilities (Google Benchmark, medians of 5 repetitions; wall and CPU time):"
  "$bin/text_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_out="$work/text_bench.csv" --benchmark_out_format=csv >/dev/null 2>&1
  grep '_median"' "$work/text_bench.csv" | tr -d '"' | sed 's/_median,/,/' | awk -F, '
    { split($1, part, "/"); name = part[1]; wall[name, part[2]] = $3; cpu[name, part[2]] = $4
      unit = $5; if (!(name in seen)) { seen[name] = 1; order[++count] = name } }
    END {
      for (i = 1; i <= count; i++) {
        m = order[i]; a = cpu[m, 100000]; b = cpu[m, 1000000]
        printf "  %-15s 1 MB, 100,000 occurrences: %6.2f / %6.2f %s   10 MB, 1,000,000: %6.2f / %6.2f %s   CPU ratio %.2f",
          m, wall[m, 100000], a, unit, wall[m, 1000000], b, unit, b / a
        if (m == "BM_ReplaceAll") printf "  (at most 12: %s)", b / a <= 12 ? "reached" : "MISSED"
        printf "\n"
      }
    }'
}

main() {
  build_tools
  mkdir -p "$work"
  rm -f "$work/summary" "$work/full_summary" "$work/targets"
  for n in $sizes; do prepare "$n"; done
  echo "bench/run.sh: $runs rounds over N = $sizes (plain method at N = $plain_sizes," \
    "$plain_runs rounds; full syntax: $([ "$full" = 1 ] && echo yes || echo no);" \
    "peer: ${peer:-none});" \
    "$(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
  for round in $(seq 1 "$runs"); do
    for n in $sizes; do one_round "$n" "$round"; done
    echo "  round $round of $runs done"
  done
  for n in $sizes; do check_identical "$n"; done
  report
  compare_full
  compare_targets
  compare_baseline
  echo
  verdicts
  remove_large_outputs
  text_benchmark
  echo
  echo "load at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
}

main "$@"
