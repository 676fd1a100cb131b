#!/usr/bin/env bash
# Builds the quibor15 command if needed and runs a script with it:
#   bash scripts/run.sh examples/tour.vbs [ARGS...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUIBOR15_BUILD_DIR:-$root/build}
bash "$root/scripts/build.sh" quibor15_cmd >/dev/null
exec "$build/host/quibor15" run "$@"
