#!/usr/bin/env bash
# Sets up and builds Halvorn, then starts it. Its files live beside the
# executable, in build/bin.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
exec "${HALVORN_BUILD_DIR:-$root/build}/bin/halvorn" "$@"
