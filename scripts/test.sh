#!/usr/bin/env bash
# Sets up and builds Halvorn, then runs every test headless. Exits non-zero
# on any failure; the last lines are ctest's summary.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${HALVORN_BUILD_DIR:-$root/build}"
"$root/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$build/xdg-runtime" && chmod 700 "$build/xdg-runtime"
export XDG_RUNTIME_DIR="$build/xdg-runtime"
cd "$build"
exec ctest --output-on-failure --parallel "$(nproc)" --timeout 300
