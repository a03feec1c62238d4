#!/usr/bin/env bash
# Speed of this tree's engine against a baseline commit, as ratios measured in one run on one
# machine (absolute figures do not carry from one machine to another). Builds quorvin-cli of
# the baseline in a temporary folder, then runs, alternating the two builds, perft of the
# international initial position to depth 9 without and with bulk counting, and the bench.
# Prints the three ratios (this tree / baseline) twice: from the median of RUNS runs of each
# build, and from the best run of each. On a machine shared with other work the best run is
# the one least disturbed; a disturbance slows the two builds by different factors, which
# moves the medians' ratio from one run of the script to the next. When the two ratios of a
# line disagree, the machine's speed changed during the run (the best runs of the two builds
# then come from different states): run the script again.
#
#   bench/compare_baseline.sh [BASELINE_COMMIT] [RUNS]     (defaults: e495b86, 5)
set -euo pipefail

baseline=${1:-e495b86}
runs=${2:-5}
top=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
work=$(mktemp -d)
trap 'git -C "$top" worktree remove --force "$work/src" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

build() { # source folder, build folder
    cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVIN_APP=OFF >/dev/null
    cmake --build "$2" --target quorvin-cli -j "$(nproc)" >/dev/null
}

echo "building the baseline $baseline and this tree..."
git -C "$top" worktree add --detach "$work/src" "$baseline" >/dev/null 2>&1
build "$work/src" "$work/base"
build "$top" "$work/this"

# The positions per second a command reports on its "nodes ... nps N" or "bench ... nps N" line.
nps() { "$@" | awk '/ nps /{ for (i = 1; i < NF; ++i) if ($i == "nps") print $(i + 1) }' | tail -n 1; }
median() { sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }
best() { sort -n | tail -n 1; }

measure() { # label, then the arguments of quorvin-cli
    local label=$1
    shift
    local base_runs="" this_runs=""
    for ((i = 0; i < runs; ++i)); do
        base_runs+="$(nps "$work/base/quorvin-cli" "$@")"$'\n'
        this_runs+="$(nps "$work/this/quorvin-cli" "$@")"$'\n'
    done
    local b t bb tb
    b=$(printf '%s' "$base_runs" | median)
    t=$(printf '%s' "$this_runs" | median)
    bb=$(printf '%s' "$base_runs" | best)
    tb=$(printf '%s' "$this_runs" | best)
    awk -v l="$label" -v b="$b" -v t="$t" -v bb="$bb" -v tb="$tb" 'BEGIN {
        printf "%-32s median: baseline %10.0f  this %10.0f  ratio %.2f", l, b, t, t / b
        printf "   best: baseline %10.0f  this %10.0f  ratio %.2f\n", bb, tb, tb / bb }'
}

measure "perft international depth 9" perft --preset international --depth 9
measure "perft international depth 9 bulk" perft --preset international --depth 9 --bulk
measure "bench" bench
