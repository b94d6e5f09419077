#!/usr/bin/env bash
# Kills halvorn-data restores with SIGKILL at random moments and checks that
# the program folder, once any command has opened it again, holds exactly
# the old set of files or exactly the new one: a 2,000-person weight set and
# a 10,000-entry password set. Not part of the test command (it takes a few
# minutes); run it after ./scripts/setup.sh:
#
#   tests/backup/kill-restore.sh [RUNS]      (default 20 runs of each set)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build="${HALVORN_BUILD_DIR:-$root/build}"
tool="$build/bin/halvorn-data"
bench="$build/bench/halvorn-bench"
runs="${1:-20}"
export QT_QPA_PLATFORM=offscreen
[ -x "$tool" ] && [ -x "$bench" ] || { echo "build first: ./scripts/setup.sh" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The digest of a folder's files (not the lock), to tell the two sets apart.
digest() { (cd "$1" && find . -maxdepth 1 -type f ! -name halvorn.lock -printf '%f\0' |
  sort -z | xargs -0 sha256sum | sha256sum | cut -d' ' -f1); }

failures=0
# set PEOPLE ENTRIES
trial() {
  local set=$1 people=$2 entries=$3
  local old="$work/old" new="$work/new" program="$work/program" backup="$work/backup"
  rm -rf "$old" "$new" "$program" "$backup"
  mkdir -p "$old" "$new" "$backup"
  "$bench" --make-folder "$old" "$people" "$entries" old
  "$bench" --make-folder "$new" "$people" "$entries" new
  "$tool" backup "$set" "$backup" --dir "$new" >/dev/null
  local oldSum newSum
  cp -a "$old" "$program"
  oldSum=$(digest "$program")
  # The new set as a completed restore leaves it.
  "$tool" restore "$set" "$backup" --yes --dir "$program" >/dev/null
  newSum=$(digest "$program")
  [ "$oldSum" != "$newSum" ] || { echo "the two sets do not differ" >&2; exit 1; }
  # How long an uninterrupted restore takes, to spread the kills over it.
  rm -rf "$program" && cp -a "$old" "$program"
  local start end span
  start=$(date +%s%N)
  "$tool" restore "$set" "$backup" --yes --dir "$program" >/dev/null
  end=$(date +%s%N)
  span=$(( (end - start) / 1000 + 1 ))

  local run oldSeen=0 newSeen=0
  for ((run = 1; run <= runs; run++)); do
    rm -rf "$program" && cp -a "$old" "$program"
    "$tool" restore "$set" "$backup" --yes --dir "$program" >/dev/null 2>&1 &
    local pid=$!
    sleep "$(awk -v span="$span" -v r="$RANDOM" 'BEGIN { printf "%.6f", span * (r / 32767) / 1e6 }')"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    # Any command settles the folder; check then finds nothing wrong.
    local checked=0
    "$tool" check --dir "$program" >"$work/check.txt" 2>&1 || checked=$?
    local found
    found=$(digest "$program")
    local leftovers
    leftovers=$(find "$program" -mindepth 1 \( -name '.halvorn-staging' -o -name 'halvorn-journal*' \) | wc -l)
    if [ "$found" = "$oldSum" ]; then oldSeen=$((oldSeen + 1))
    elif [ "$found" = "$newSum" ]; then newSeen=$((newSeen + 1))
    else echo "FAIL $set run $run: neither the old set nor the new one" >&2; failures=$((failures + 1)); fi
    if [ "$leftovers" != 0 ] || [ "$checked" != 0 ]; then
      echo "FAIL $set run $run: staging left or check failed:" >&2; cat "$work/check.txt" >&2
      failures=$((failures + 1))
    fi
  done
  echo "$set: $runs killed restores, $oldSeen left the old set, $newSeen the new one"
}

trial weight 2000 0
trial passwords 0 10000
if ((failures)); then echo "$failures failures"; exit 1; fi
echo "no run left a mixed set"
