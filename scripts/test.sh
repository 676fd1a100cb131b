#!/usr/bin/env bash
# Builds everything and runs every test (unit tests, script tests, examples).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
build=${QUIBOR15_BUILD_DIR:-$root/build}
ctest --test-dir "$build" --output-on-failure -j "${QUIBOR15_JOBS:-$(nproc)}"
