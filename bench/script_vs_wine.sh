#!/usr/bin/env bash
# Times the scripts under bench/scripts/ with the quibor15 command and with
# Wine's cscript, and prints one row per script: milliseconds of each (best
# of RUNS) and how many times faster quibor15 is. Both CPU time (of the
# process and its children, when perf is there: fair on a busy machine;
# Wine's server is not counted) and wall time are printed. The row "-net"
# subtracts each engine's one-line time, leaving the engine's own work.
#   bench/script_vs_wine.sh [path/to/quibor15]     (RUNS=5)
# Wine is the one the Windows job uses: the Debian 13 root of
# .ci/wine-root.sh (QUIBOR15_WINE_ROOT, run as root), with a prefix of its
# own kept in the root; without that root, the system's wine (WINEPREFIX).
# Part of the comparison tables; exits 0 with a note when Wine is missing.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
quibor15=${1:-$here/../build/host/quibor15}
runs=${RUNS:-5}
wroot=${QUIBOR15_WINE_ROOT:-/var/cache/quibor15/root}

perf=$(command -v perf || true)
if [ -n "$perf" ] && ! perf stat -x, -e task-clock -o /dev/null true 2>/dev/null; then perf=; fi
stat=$(mktemp)
wine_cmd=()
source "$here/../.ci/wine-lib.sh"
cleanup() {
    rm -f "$stat"
    wine_root_leave
}
trap cleanup EXIT

# run_ms COMMAND...: "cpu wall" of the command in ms: wall from a run of
# its own (perf's start would count otherwise), cpu from a run under perf
# (the wall time again without perf).
run_ms() {
    local start end wall
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 </dev/null || { echo "failed: $*" >&2; exit 1; }
    end=$(date +%s%N)
    wall=$(((end - start) / 1000000))
    if [ -n "$perf" ]; then
        perf stat -x, -e task-clock -o "$stat" "$@" >/dev/null 2>&1 </dev/null || { echo "failed: $*" >&2; exit 1; }
        echo "$(awk -F, '/task-clock/ { printf "%d", $1 }' "$stat") $wall"
    else
        echo "$wall $wall"
    fi
}

# best_ms COMMAND...: the shortest cpu and the shortest wall of $runs runs.
best_ms() {
    local cpu= wall= i c w
    for ((i = 0; i < runs; i++)); do
        read -r c w < <(run_ms "$@")
        if [ -z "$cpu" ] || [ "$c" -lt "$cpu" ]; then cpu=$c; fi
        if [ -z "$wall" ] || [ "$w" -lt "$wall" ]; then wall=$w; fi
    done
    echo "$cpu $wall"
}

# ---- Wine: the Windows job's root, else the system's
if [ -x "$wroot/usr/bin/wine" ] && [ "$(id -u)" -eq 0 ]; then
    # One user of the root at a time, as the Windows job.
    exec 9>"$wroot.lock"
    flock 9
    inner=/var/tmp/quibor15-bench
    mkdir -p "$wroot$inner/home" "$wroot$inner/scripts"
    cp "$here"/scripts/*.vbs "$wroot$inner/scripts/"
    wine_root_enter "$wroot" "$inner"
    # A server that stays for all the runs, outside the timings.
    if [ ! -d "$wroot$inner/prefix/drive_c" ]; then
        timeout 300 "${wine_chroot[@]}" wine wineboot -i >/dev/null 2>&1 || true
        wine_in_root /usr/lib/wine/wineserver64 -w >/dev/null 2>&1 || true
    fi
    wine_in_root /usr/lib/wine/wineserver64 -p >/dev/null 2>&1 || true
    wine_cmd=("${wine_chroot[@]}" wine cscript //nologo)
    script_path() { echo "Z:$inner/scripts/$(basename "$1")" | tr / '\\'; }
    wine_name="Wine $(wine_in_root wine --version 2>/dev/null || true) (root $wroot)"
else
    wine=$(command -v wine64 || command -v wine || true)
    if [ -z "$wine" ]; then
        echo "script_vs_wine: wine is not installed; nothing compared"
        exit 0
    fi
    export WINEPREFIX=${WINEPREFIX:-${TMPDIR:-/tmp}/quibor15-bench-wine}
    export WINEDEBUG=-all
    wine_cmd=("$wine" cscript //nologo)
    script_path() { echo "Z:$1" | tr / '\\'; }
    wine_name="$("$wine" --version 2>/dev/null || true) (system)"
fi
# The first start of cscript sets up the prefix's services, also outside.
timeout 300 "${wine_cmd[@]}" "$(script_path "$here/scripts/one_line.vbs")" >/dev/null 2>&1 </dev/null || true

echo "quibor15 vs $wine_name; best of $runs; $([ -n "$perf" ] && echo 'cpu: perf task-clock' || echo 'cpu: wall')"
printf '%-16s %8s %8s %8s %8s %8s %8s\n' script q_cpu w_cpu faster q_wall w_wall faster
ratio() { awk "BEGIN { printf \"%.1fx\", $2 / ($1 > 0 ? $1 : 1) }"; }
row() { printf '%-16s %8d %8d %8s %8d %8d %8s\n' "$1" "$2" "$3" "$(ratio "$2" "$3")" "$4" "$5" "$(ratio "$4" "$5")"; }
base=
for vbs in "$here"/scripts/one_line.vbs "$here"/scripts/*.vbs; do
    name=$(basename "$vbs" .vbs)
    if [ "$name" = one_line ] && [ -n "$base" ]; then continue; fi
    read -r qc qw < <(best_ms "$quibor15" run "$vbs")
    read -r wc ww < <(best_ms "${wine_cmd[@]}" "$(script_path "$vbs")")
    row "$name" "$qc" "$wc" "$qw" "$ww"
    if [ "$name" = one_line ]; then
        base="$qc $wc $qw $ww"
    else
        read -r bqc bwc bqw bww <<<"$base"
        net() { local d=$(($1 - $2)); echo $((d > 0 ? d : 1)); }
        row "$name-net" "$(net "$qc" "$bqc")" "$(net "$wc" "$bwc")" "$(net "$qw" "$bqw")" "$(net "$ww" "$bww")"
    fi
done
