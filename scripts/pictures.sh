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
echo "pictures written to $out/"

# The bundled dialog templates as a dialog shows them, and the designer with the gauge field selected
# (on a copy of the library: design saves the template).
"$connsheet" template "End Plate" --png "$out/template-end-plate.png"
"$connsheet" template "Bolt Assembly" --png "$out/template-bolt-assembly.png"
designerlib=$(mktemp -d)
cp -r "examples/library/Dialog Templates" "$designerlib/"
printf 'drag 0 100 5 170 40\n' >"$steps"
"$connsheet" --lib "$designerlib/" design "End Plate" --steps "$steps" --png "$out/designer.png" >/dev/null
rm -rf "$designerlib"
