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
# The section library's dialogs on the bundled tables (the steps leave them open: nothing is saved).
cat >"$steps" <<'STEPS'
type 1300 "210"
type 1302 "105"
focus 1302
STEPS
"$connsheet" sections add IPE --like 200 --dialog --steps "$steps" --png "$out/section-library-new-size.png"
cat >"$steps" <<'STEPS'
mouse-down 8097 220 10
mouse-up 8097 220 10
select 1248 "IPE"
STEPS
"$connsheet" sections edit --steps "$steps" --png "$out/section-library.png"
echo "pictures written to $out/"
