#!/usr/bin/env bash
# The sanitizer job: one clang tree with AddressSanitizer and
# UndefinedBehaviorSanitizer serves both the unit and script tests (CTest)
# and the fuzz targets of fuzz/, each of which then runs for a short fixed
# time on its seed corpus. Installs what it needs; prints the time of each
# part and exits non-zero on a failing test or a fault a fuzzer found
# (fuzz/run.sh prints its input).
#
#   QUIBOR15_SAN_BUILD_DIR  build folder (default: build-sanitize in the tree)
#   QUIBOR15_FUZZ_SECONDS   time per fuzz target (default 25)
#   QUIBOR15_JOBS           parallel build jobs (default 2)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${QUIBOR15_SAN_BUILD_DIR:-$root/build-sanitize}
seconds=${QUIBOR15_FUZZ_SECONDS:-25}
jobs=${QUIBOR15_JOBS:-2}
started=$(date +%s)

bash scripts/deps.sh
packages=(clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# -O1 with line tables only: the sanitizers' usual setting, and half the
# compile time of a full debug build.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -gline-tables-only -DNDEBUG" \
  -DQUIBOR15_FUZZ=ON -DQUIBOR15_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" -j "$jobs"
built=$(date +%s)
echo "Sanitizer build: $((built - started)) s"

export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1
export LSAN_OPTIONS=suppressions=$root/.ci/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j "$jobs"
tested=$(date +%s)
echo "Sanitizer tests: $((tested - built)) s"

bash fuzz/run.sh "$build" "$seconds"
echo "Fuzzing: $(($(date +%s) - tested)) s"
echo "Sanitizer job: $(($(date +%s) - started)) s"
