#!/usr/bin/env bash
# Fuzzes the given targets (default: all) for SECONDS each (default 120), one after the other, at low
# priority. Each run starts from a copy of the target's corpus in a scratch folder, so the corpora in
# the repository only change by hand (minimised crashers, small interesting inputs: docs/fuzzing.md).
# Needs the fuzz build: cmake --preset fuzz && cmake --build --preset fuzz --target fuzz_targets
#
#   scripts/fuzz.sh                      # every target, 2 minutes each
#   scripts/fuzz.sh 30 standards_sheet_run grid_csv
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-120}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for binary in build/fuzz/fuzz/fuzz_*; do
        [ -x "$binary" ] && targets+=("$(basename "$binary" | sed 's/^fuzz_//')")
    done
fi
# The targets that write files (section tables, mapping files, grid files) write them atomically, with
# an fsync each time; in memory that costs nothing.
if [ -z "${TMPDIR:-}" ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
work=${FUZZ_WORK:-$(mktemp -d /tmp/connsheet-fuzz.XXXXXX)}
echo "scratch folder: $work"
status=0
for stem in "${targets[@]}"; do
    binary=build/fuzz/fuzz/fuzz_$stem
    mkdir -p "$work/$stem/corpus" "$work/$stem/artifacts"
    cp -r fuzz/corpus/"$stem"/. "$work/$stem/corpus/"
    dict=()
    [ -f fuzz/"$stem".dict ] && dict=(-dict=fuzz/"$stem".dict)
    echo "== $stem: ${seconds}s"
    if ! nice -n 10 "$binary" "${dict[@]}" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix="$work/$stem/artifacts/" "$work/$stem/corpus" \
            >"$work/$stem/log" 2>&1; then
        echo "   FAILED: see $work/$stem/log and $work/$stem/artifacts/"
        status=1
    fi
    grep -h "stat::number_of_executed_units\|stat::peak_rss_mb" "$work/$stem/log" | sed 's/^/   /' || true
done
exit $status
