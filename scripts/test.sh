#!/usr/bin/env bash
# Builds everything and runs every test: the unit tests, the script tests and
# the examples on Linux (CTest), then the Windows component built with
# mingw-w64 and tested under Wine (.ci/windows.sh). QUIBOR15_SKIP_WINDOWS=1
# leaves the Windows job out.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
build=${QUIBOR15_BUILD_DIR:-$root/build}
ctest --test-dir "$build" --output-on-failure -j "${QUIBOR15_JOBS:-$(nproc)}"
if [ "${QUIBOR15_SKIP_WINDOWS:-0}" != 1 ]; then
  bash "$root/.ci/windows.sh"
fi
