#!/usr/bin/env bash
# Checks that every C++ file git tracks reads as .clang-format lays it out.
# Prints the files that do not, and the command that fixes them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

if ! command -v clang-format >/dev/null; then
  echo "clang-format is missing: run ./scripts/setup.sh" >&2
  exit 1
fi

mapfile -t sources < <(git ls-files -- '*.cpp' '*.h')
# One run for all files; each place it would change is reported as
# "file:line:column: error: code should be clang-formatted".
mapfile -t drifted < <(clang-format --dry-run --Werror "${sources[@]}" 2>&1 \
  | sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' | sort -u)

if ((${#drifted[@]})); then
  echo "These files are not laid out as .clang-format says:"
  printf '  %s\n' "${drifted[@]}"
  echo "Fix them with:"
  echo "  clang-format -i ${drifted[*]}"
  exit 1
fi
echo "All ${#sources[@]} C++ files are laid out as .clang-format says."
