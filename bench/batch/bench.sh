#!/usr/bin/env bash
# Batch throughput: N (default 10,000) generated variants of the bundled end-plate macro run by
# "connsheet batch" on every core, each updated macro written to a folder. The time is the whole
# process's, start-up, forking, reading and writing included.
#
#   bash bench/batch/bench.sh [BUILD_DIR] [N] [JOBS]     (default build/default, 10000, the number of cores)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-$root/build/default}"
count="${2:-10000}"
jobs="${3:-$(nproc)}"
exe="$build/cli/connsheet"
if [ ! -x "$exe" ]; then
    echo "bench.sh: $exe is missing; build it first: cmake --build --preset default --target connsheet" >&2
    exit 2
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python3 "$here/make_variants.py" "$root/examples/library/Macros/EndPlateBeamToColumn.json" "$count" --jsonl "$work/variants.jsonl"

start=$(date +%s.%N)
status=0
"$exe" batch EndPlateBeamToColumn --jsonl "$work/variants.jsonl" --out-dir "$work/out" -j "$jobs" --no-progress \
    --report "$work/report.csv" >"$work/summary.txt" || status=$?
end=$(date +%s.%N)
cat "$work/summary.txt"
written=$(grep -vc '^null$' "$work/out/variants.jsonl" || true)
awk -v s="$start" -v e="$end" -v n="$count" -v j="$jobs" -v w="$written" 'BEGIN {
    printf "%d runs on %d workers in %.3f s, start-up included: %.0f runs/s (%d macros written)\n", n, j, e - s, n / (e - s), w }'
exit $status
