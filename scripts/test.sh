#!/usr/bin/env bash
# Sets up and builds Halvorn, then runs every test headless, the layout check
# of the code (scripts/check-format.sh, as the test FormatCheck) among them.
# Exits non-zero on any failure; the last lines are ctest's summary.
#
#   ./scripts/test.sh             the suite, built in build/
#   ./scripts/test.sh --sanitize  the suite built in build-sanitize/ with the
#                                 address and undefined-behaviour sanitizers
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

sanitize=0
for argument in "$@"; do
  case "$argument" in
    --sanitize) sanitize=1 ;;
    *) echo "usage: $0 [--sanitize]" >&2; exit 2 ;;
  esac
done

if ((sanitize)); then
  export HALVORN_BUILD_DIR="${HALVORN_BUILD_DIR:-$root/build-sanitize}"
  export HALVORN_CMAKE_ARGS="-DHALVORN_SANITIZE=ON"
  # Leaks inside Qt's own libraries are listed, with the reason, in the
  # suppression file; any other leak fails the test that made it.
  export LSAN_OPTIONS="suppressions=$root/scripts/sanitizer-suppressions.txt:print_suppressions=0"
  export ASAN_OPTIONS="detect_leaks=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
build="${HALVORN_BUILD_DIR:-$root/build}"
"$root/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$build/xdg-runtime" && chmod 700 "$build/xdg-runtime"
export XDG_RUNTIME_DIR="$build/xdg-runtime"
cd "$build"
exec ctest --output-on-failure --parallel "$(nproc)" --timeout 300
