#!/usr/bin/env bash
# Builds quibor15.dll and the Windows benchmark (64-bit, into build-win of
# the tree, as the Windows job does) and runs the benchmark under Wine in a
# fresh prefix in the Wine root of .ci/wine-root.sh. Prints the program's
# lines ("name<TAB>nanoseconds per run"); the build's and Wine's chatter go
# to stderr. Needs root (chroot).
#   QUIBOR15_WIN_BUILD_DIR  the 64-bit build folder (default: build-win in the tree)
#   QUIBOR15_WINE_ROOT      the Wine root (default /var/cache/quibor15/root)
set -euo pipefail
cd "$(dirname "$0")/../.."
src=$(pwd)
build=${QUIBOR15_WIN_BUILD_DIR:-$src/build-win}
wroot=${QUIBOR15_WINE_ROOT:-/var/cache/quibor15/root}
[ "$(id -u)" -eq 0 ] || { echo "bench/windows/run.sh runs Wine in a chroot: run it as root" >&2; exit 2; }

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S com -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64.cmake" \
  "${launcher[@]}" >&2
nice cmake --build "$build" --target quibor15 windows_bench -j 2 >&2

# One run at a time per root, as in the Windows job.
mkdir -p "$(dirname "$wroot")"
exec 9>"$wroot.lock"
flock 9
QUIBOR15_WINE_ROOT="$wroot" bash "$src/.ci/wine-root.sh" >&2
source "$src/.ci/wine-lib.sh"
wine_root_scratch "$wroot" quibor15-bench
wine_run() {
  timeout "${WINE_TIMEOUT:-600}" "${wine_chroot[@]}" wine "$@" </dev/null
}

mkdir -p "$work/home"
wine_run wineboot -i >/dev/null 2>&1 || true
wine_run reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
mkdir -p "$work/prefix/drive_c/bench"
cp "$build/quibor15.dll" "$build/windows_bench.exe" "$work/prefix/drive_c/bench/"
# The output goes to a file: Wine's services keep a pipe open after the
# program ends.
wine_run 'C:\bench\windows_bench.exe' 'C:\bench\quibor15.dll' >"$work/out.txt" 2>"$work/err.txt" ||
  { cat "$work/err.txt" >&2; tr -d '\r' <"$work/out.txt"; exit 1; }
tr -d '\r' <"$work/out.txt"
