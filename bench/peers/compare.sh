#!/usr/bin/env bash
# Runs the grid workloads W1-W3 on connsheet's engine and on HyperFormula and prints, per measurement,
# our time, theirs and the ratio (theirs / ours: above 1 means we are faster). Every engine is warmed
# up before it is timed, and each is driven the fastest way its documentation gives (HyperFormula: one
# range call per change); both read the same results.
#
#   bash bench/peers/compare.sh [BUILD_DIR]      (default build/default, configured with the default preset)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-$root/build/default}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# It measures what was built; it never builds, so a comparison cannot silently time a stale or debug tree.
for exe in bench_grid_workloads bench_grid_w3memory; do
    if [ ! -x "$build/bench/$exe" ]; then
        echo "compare.sh: $build/bench/$exe is missing; build it first:" >&2
        echo "  cmake --preset default && cmake --build --preset default --target bench_grid_workloads bench_grid_w3memory" >&2
        exit 2
    fi
done
[ -d "$here/node_modules/hyperformula" ] || (cd "$here" && npm install --no-audit --no-fund >/dev/null)

"$build/bench/bench_grid_workloads" --write-workloads="$work"
echo "running connsheet..." >&2
"$build/bench/bench_grid_workloads" --benchmark_format=json >"$work/ours.json"
"$build/bench/bench_grid_w3memory" "$work" >"$work/ours_w3.jsonl"
echo "running HyperFormula..." >&2
node "$here/workloads.js" "$work" w1 w2 >"$work/peer.jsonl"
node "$here/workloads.js" "$work" w3 >>"$work/peer.jsonl"

node "$here/compare.js" "$work/ours.json" "$work/ours_w3.jsonl" "$work/peer.jsonl"
