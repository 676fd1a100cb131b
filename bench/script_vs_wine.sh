#!/bin/sh
# Times the scripts under bench/scripts/ with the quibor15 command and with
# Wine's cscript, and prints one row per script: milliseconds of each (best
# of RUNS) and how many times faster quibor15 is. The times are CPU time of
# the process and its children when perf is there (fair on a busy machine;
# Wine's server is not counted), else wall time. The row "-net" subtracts
# each engine's one-line time, leaving the engine's own work.
#   bench/script_vs_wine.sh [path/to/quibor15]     (RUNS=5, WINEPREFIX=...)
# Part of the comparison tables; exits 0 with a note when Wine is missing.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
quibor15=${1:-$here/../build/host/quibor15}
runs=${RUNS:-5}
export WINEPREFIX=${WINEPREFIX:-${TMPDIR:-/tmp}/quibor15-bench-wine}
export WINEDEBUG=-all
wine=$(command -v wine64 || command -v wine || true)

now_ms() { date +%s%N | awk '{ printf "%d", $1 / 1000000 }'; }

perf=$(command -v perf || true)
stat=${TMPDIR:-/tmp}/quibor15-bench-stat.$$
trap 'rm -f "$stat"' EXIT

# one_ms COMMAND...: the time of one run, in ms.
one_ms() {
    if [ -n "$perf" ] && perf stat -x, -e task-clock -o "$stat" true 2>/dev/null; then
        perf stat -x, -e task-clock -o "$stat" "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
        awk -F, '/task-clock/ { printf "%d", $1 }' "$stat"
    else
        start=$(now_ms)
        "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
        echo $(($(now_ms) - start))
    fi
}

# best_ms COMMAND...: the shortest of $runs runs, in ms.
best_ms() {
    best=
    i=0
    while [ "$i" -lt "$runs" ]; do
        t=$(one_ms "$@")
        if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
        i=$((i + 1))
    done
    echo "$best"
}

if [ -z "$wine" ]; then
    echo "script_vs_wine: wine is not installed; nothing compared"
    exit 0
fi
# Start the prefix and the wine server once, outside the timings.
"$wine" cscript //nologo "Z:$(echo "$here/scripts/one_line.vbs" | tr / '\\')" >/dev/null 2>&1 || true

printf '%-16s %10s %10s %8s\n' script quibor15_ms wine_ms faster
base_q=
base_w=
for vbs in "$here"/scripts/one_line.vbs "$here"/scripts/*.vbs; do
    name=$(basename "$vbs" .vbs)
    if [ "$name" = one_line ] && [ -n "$base_q" ]; then continue; fi
    q=$(best_ms "$quibor15" run "$vbs")
    w=$(best_ms "$wine" cscript //nologo "Z:$(echo "$vbs" | tr / '\\')")
    printf '%-16s %10d %10d %7sx\n' "$name" "$q" "$w" "$(awk "BEGIN { printf \"%.1f\", $w / ($q > 0 ? $q : 1) }")"
    if [ "$name" = one_line ]; then
        base_q=$q
        base_w=$w
    else
        nq=$((q - base_q))
        nw=$((w - base_w))
        [ "$nq" -gt 0 ] || nq=1
        printf '%-16s %10d %10d %7sx\n' "$name-net" "$nq" "$nw" "$(awk "BEGIN { printf \"%.1f\", $nw / $nq }")"
    fi
done
