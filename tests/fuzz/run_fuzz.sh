#!/bin/sh
# Runs every fuzz target of a fuzz build for a number of seconds each.
# Usage: run_fuzz.sh FUZZ_BUILD SECONDS [CORPUS_ROOT]
# Each target starts from its seeds (tests/fuzz/seeds/NAME, and the shipped position files for
# the position-file reader). With CORPUS_ROOT, the corpus grows in CORPUS_ROOT/NAME from run to
# run; without it, a temporary copy of the seeds is used and thrown away, so that a short run in
# the test suite leaves the tree as it was. Stops at the first target that fails.
set -eu
build=$1
seconds=$2
root=${3:-}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
scratch=
if [ -z "$root" ]; then
  scratch=$(mktemp -d)
  root=$scratch
fi
trap '[ -z "$scratch" ] || rm -rf "$scratch"' EXIT

for target in $(cat "$build/fuzz_targets.txt"); do
  corpus=$root/$target
  mkdir -p "$corpus"
  cp -n "$source_dir/tests/fuzz/seeds/$target/"* "$corpus/" 2>/dev/null || true
  if [ "$target" = fuzz_position_file ]; then
    cp -n "$source_dir/data/Positions/"*.qvp "$corpus/" 2>/dev/null || true
  fi
  echo "== $target ($seconds s)"
  # The fuzzer's own progress lines are long; keep them when it fails.
  log=$(mktemp)
  if ! "$build/tests/$target" -max_total_time="$seconds" -print_final_stats=0 "$corpus" \
      >"$log" 2>&1; then
    cat "$log"
    rm -f "$log"
    echo "$target failed"
    exit 1
  fi
  tail -n 1 "$log"
  rm -f "$log"
done
