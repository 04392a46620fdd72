#!/usr/bin/env bash
# The command as a whole process, as a user meets it: start-up, reading, calculating and printing.
# Times the three figures we hold ourselves to with hyperfine (every run a fresh process):
#   calc --json of 200,000 formulas (w2.csv)     under 0.5 s
#   calc --json of 100,000 x 10 values (w3.csv)  under 0.6 s
#   run of the bundled end-plate standard         under 4 ms
# and counts each one's instructions with callgrind when valgrind is there (repeatable whatever else
# the machine is doing). Two builds of a short command are best compared taken in turns:
#   python3 bench/process/paired.py 200 -- OLD run ... -- NEW run ...
#
#   bash bench/process/bench.sh [BUILD_DIR]      (default build/default, built with the default preset)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-$root/build/default}"
connsheet="$build/cli/connsheet"
for exe in "$connsheet" "$build/bench/bench_grid_workloads"; do
    if [ ! -x "$exe" ]; then
        echo "bench.sh: $exe is missing; build it first:" >&2
        echo "  cmake --preset default && cmake --build --preset default --target connsheet bench_grid_workloads" >&2
        exit 2
    fi
done
command -v hyperfine >/dev/null || { echo "bench.sh: hyperfine is needed (apt install hyperfine)" >&2; exit 2; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/bench/bench_grid_workloads" --write-workloads="$work" >/dev/null
# Timed as installed: a copy. The file the linker has just written sits in the page cache in small
# pages, and a short command started from it runs a tenth slower than from a copy or from the disk.
cp "$connsheet" "$work/connsheet"
connsheet="$work/connsheet"

cd "$root"
macro="examples/library/Macros/EndPlateBeamToColumn.json"
hyperfine -N --warmup 3 --runs 15 --export-markdown "$work/calc.md" \
    "$connsheet calc --json $work/w2.csv" "$connsheet calc --json $work/w3.csv"
hyperfine -N --warmup 10 --runs 200 --export-markdown "$work/run.md" \
    "$connsheet run EndPlateBeamToColumn --macro $macro" "$connsheet --version"
cat "$work/calc.md" "$work/run.md"

if command -v valgrind >/dev/null; then
    count() {
        valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
            sed -n 's/.*refs: *//p'
    }
    echo
    echo "| command | instructions |"
    echo "|---|---|"
    echo "| calc --json w2.csv | $(count "$connsheet" calc --json "$work/w2.csv") |"
    echo "| calc --json w3.csv | $(count "$connsheet" calc --json "$work/w3.csv") |"
    echo "| run EndPlateBeamToColumn | $(count "$connsheet" run EndPlateBeamToColumn --macro "$macro") |"
    echo "| --version | $(count "$connsheet" --version) |"
fi
