#!/usr/bin/env bash
# Runs the grid workloads W1-W3 on connsheet's engine and on HyperFormula and prints, per measurement,
# our time, theirs and the ratio (theirs / ours: above 1 means we are faster).
#
#   bash bench/peers/compare.sh [BUILD_DIR]      (default build/default, configured with the default preset)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-$root/build/default}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake --preset default -B "$build" -S "$root" >/dev/null
fi
cmake --build "$build" --target bench_grid_workloads bench_grid_w3memory -j2 >/dev/null
[ -d "$here/node_modules/hyperformula" ] || (cd "$here" && npm install --no-audit --no-fund >/dev/null)

"$build/bench/bench_grid_workloads" --write-workloads="$work"
echo "running connsheet..." >&2
"$build/bench/bench_grid_workloads" --benchmark_format=json >"$work/ours.json"
"$build/bench/bench_grid_w3memory" "$work" >"$work/ours_w3.jsonl"
echo "running HyperFormula..." >&2
node "$here/workloads.js" "$work" w1 w2 >"$work/peer.jsonl"
node "$here/workloads.js" "$work" w3 >>"$work/peer.jsonl"

node "$here/compare.js" "$work/ours.json" "$work/ours_w3.jsonl" "$work/peer.jsonl"
