#!/usr/bin/env bash
# Makes the pictures under docs/pictures/ from the build, with `connsheet show`: the spreadsheet window
# with the bundled end-plate standard, the prompt dialog and the platform's sample dialog filled in.
# Needs the default build: cmake --preset default && cmake --build --preset default --target connsheet
set -euo pipefail
cd "$(dirname "$0")/.."
connsheet=build/default/cli/connsheet
out=docs/pictures
mkdir -p "$out"
steps=$(mktemp)
trap 'rm -f "$steps"' EXIT

"$connsheet" show EndPlateBeamToColumn --png "$out/spreadsheet-endplate.png"

printf 'type 1101 "EndPlateBeamToColumn"\n' >"$steps"
"$connsheet" show 9002 --steps "$steps" --png "$out/prompt.png"

cat >"$steps" <<'STEPS'
type 1001 "Base plate"
click 1002
click 1003
click 1006
type 1008 "mm"
type 1010 "Two lines\nof notes"
STEPS
"$connsheet" show 9001 --steps "$steps" --png "$out/sample-dialog.png"
"$connsheet" show 9001 --steps "$steps" --scale 2 --png "$out/sample-dialog@2x.png"
bolts="examples/library/Connection Standards/Data/BoltHoles.sss"
"$connsheet" show 133 --sheet "$bolts" --png "$out/formulas.png"
"$connsheet" show 208 --sheet "$bolts" --png "$out/string-table.png"
printf 'type 1207 "M2"\ntype 1209 "M3"\n' >"$steps"
"$connsheet" show 218 --sheet "$bolts" --steps "$steps" --png "$out/find-replace.png"
echo "pictures written to $out/"
