#!/usr/bin/env bash
# Runs fuzz targets one after another, each on its seed corpus, and prints a
# line per target: executions, executions a second, coverage (edges and
# features), and whether it found a fault (whose input is kept and printed).
#
#   bash fuzz/run.sh BUILD_DIR SECONDS [NAME...]     (all targets when no NAME)
#
#   QUIBOR15_FUZZ_RUNS    stop a target after this many executions as well
#   QUIBOR15_FUZZ_TIMEOUT seconds one input may take before it counts as a
#                         hang (default 25; wall-clock time, so allow for a
#                         loaded machine)
#   QUIBOR15_FUZZ_WORK    folder for the grown corpora, the logs and the
#                         inputs of faults (default: a scratch folder, removed)
# The targets run inside the work folder: scripts and playlists may write
# files. Exits non-zero when a target found a fault.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
seconds=$2
shift 2
names=("$@")
if ((${#names[@]} == 0)); then
  for seeds in "$root"/fuzz/corpus/*/; do names+=("$(basename "$seeds")"); done
fi
work=${QUIBOR15_FUZZ_WORK:-}
if [ -z "$work" ]; then
  work=$(mktemp -d /tmp/quibor15-fuzz.XXXXXX)
  trap 'rm -rf "$work"' EXIT
fi
mkdir -p "$work"
work=$(cd "$work" && pwd)
runs=()
[ -n "${QUIBOR15_FUZZ_RUNS:-}" ] && runs=(-runs="$QUIBOR15_FUZZ_RUNS")

failed=()
printf '%-14s %12s %8s %8s %8s  %s\n' target executions exec/s edges features result
for name in "${names[@]}"; do
  dict=()
  [ -f "$root/fuzz/$name.dict" ] && dict=(-dict="$root/fuzz/$name.dict")
  mkdir -p "$work/corpus-$name"
  seeds=("$root/fuzz/corpus/$name")
  # The script target also starts from the golden scripts of the tests,
  # which stay in one place.
  [ "$name" = script ] && seeds+=("$root/tests/scripts")
  log=$work/$name.log
  result=clean
  if ! (cd "$work" && "$build/fuzz/fuzz_$name" -max_total_time="$seconds" "${runs[@]}" -timeout="${QUIBOR15_FUZZ_TIMEOUT:-25}" \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$work/$name-" "${dict[@]}" \
    "$work/corpus-$name" "${seeds[@]}" >"$log" 2>&1); then
    result=FAULT
    failed+=("$name")
  fi
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -n 1 || true)
  edges=$(awk '{print $2}' <<<"$coverage")
  features=$(awk '{print $4}' <<<"$coverage")
  printf '%-14s %12s %8s %8s %8s  %s\n' "$name" "${executions:-?}" "${speed:-?}" "${edges:-?}" "${features:-?}" "$result"
  if [ "$result" = FAULT ]; then
    grep -A 40 -E '^==[0-9]+==ERROR|runtime error|ALARM|out-of-memory|deadly signal' "$log" | head -n 60 || tail -n 40 "$log"
    for artifact in "$work/$name"-*; do
      [ -f "$artifact" ] && echo "input $(basename "$artifact"): $(base64 -w0 "$artifact")"
    done
  fi
done
if ((${#failed[@]})); then
  echo "targets that found a fault: ${failed[*]}"
  exit 1
fi
