#!/usr/bin/env bash
# Configures and builds into build/ (or $QUIBOR15_BUILD_DIR): everything, or
# the targets named as arguments.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/deps.sh"
build=${QUIBOR15_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE:-RelWithDebInfo} ${QUIBOR15_CMAKE_ARGS:-} >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$build" -j "${QUIBOR15_JOBS:-$(nproc)}" "${targets[@]}"
