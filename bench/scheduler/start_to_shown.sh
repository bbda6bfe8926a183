#!/usr/bin/env bash
# The scheduler as a user starts it: from the process start to its main window mapped on
# an X screen, over a store of 10,000 events. Runs itself under Xvfb and prints each run's
# milliseconds and their median.
#
#   bench/scheduler/start_to_shown.sh [BUILD_DIR] [RUNS]
#
# Needs xvfb-run and xev (x11-utils). The store is the one bench_scheduler makes.
set -euo pipefail
build=$(realpath "${1:-build}")
runs=${2:-9}
if [[ -z "${QUILLON_START_INNER:-}" ]]; then
  store=${TMPDIR:-/tmp}/quillon-bench-scheduler
  [[ -f $store/dbcalndr.sqlite ]] || "$build/bin/bench_scheduler" --prepare "$store" --events 10000 >/dev/null
  QUILLON_START_INNER=1 QUILLON_DATA_DIR=$store exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$build" "$runs"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 700 "$work"
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work QUILLON_NONINTERACTIVE=1 QUILLON_NOW=2026-12-07T09:00
times=()
for ((run = 0; run < runs; run++)); do
  # The root window reports every top-level window that is mapped.
  stdbuf -oL xev -root -event substructure >"$work/xev.log" 2>/dev/null &
  watcher=$!
  sleep 1 # xev must be watching before the program starts
  start=$(date +%s%N)
  "$build/bin/scheduler" 2>"$work/stderr.log" &
  program=$!
  for ((waited = 0; waited < 5000; waited++)); do
    grep -q MapNotify "$work/xev.log" && break
    sleep 0.002
  done
  if ! grep -q MapNotify "$work/xev.log"; then
    echo "run $run: no window was mapped; the program said:" >&2
    cat "$work/stderr.log" >&2
    kill "$program" "$watcher" 2>/dev/null || true
    exit 1
  fi
  end=$(date +%s%N)
  times+=($(((end - start) / 1000000)))
  kill "$program" "$watcher"
  wait "$program" "$watcher" 2>/dev/null || true
done
echo "start to window shown, ms: ${times[*]}"
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "median: ${sorted[$((runs / 2))]} ms"
