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
# The header options dialog on a small bill's headers.
bill=$(mktemp -d)
printf 'Mark,Name,Qty\nA1,Beam HEA200,2\nB7,Plate 10x200,4\nC3,Angle 50x5,1\n' >"$bill/rows.csv"
"$connsheet" bill "$bill/rows.csv" --types 3,3,1 --out "$bill/bill.vls" >/dev/null
"$connsheet" settings "$bill/bill.vls" --headers --png "$out/sheet-options.png" >/dev/null
rm -rf "$bill"
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
# The macro dialog on the bundled end plate (a copy: the dialog writes its edits into the file).
macro=$(mktemp --suffix=.json)
cp examples/library/Macros/EndPlateBeamToColumn.json "$macro"
"$connsheet" macro "$macro" --png "$out/macro_dialog_end_plate.png"
rm -f "$macro"

# The general variables dialog on a library with a few general variables (as its golden test shows it).
lib=$(mktemp -d)
mkdir -p "$lib/Connection Standards"
printf '[drawing]\ngen_Clearance\t10\tHalls\ngen_Clearance\t12\tSheds\\\\Small.dwg\ngen_Gap\t5\t\n[standards]\ngen_Bolt\tM20\t1\t\n' \
    >"$lib/Connection Standards/GeneralVariables.txt"
"$connsheet" --lib "$lib" genvars --png "$out/genvars-dialog.png"
rm -rf "$lib"

# The grid and CIS/2 dialogs on their defaults, the lookup dialog on a few lists.
"$connsheet" show 242 --png "$out/grid-dialog.png"
"$connsheet" show 254 --png "$out/cis2-dialog.png"
data=$(mktemp)
cat >"$data" <<'DATA'
{"list1": ["Bolt sizes", "Plate widths"], "text1": "Bolt sizes", "list2": ["Diameter", "Grade"],
 "text2": "Diameter", "text3": "20", "list4": ["Hole"], "text4": "Hole", "text5": "HoleDia"}
DATA
"$connsheet" show 244 --data "$data" --png "$out/lookup-dialog.png"
rm -f "$data"
# The image selection dialog needs pictures: its golden test makes them, so its picture is copied.
cp tests/golden/select_image_dialog.png "$out/select-image-dialog.png"
bolts="examples/library/Connection Standards/Data/BoltHoles.sss"
"$connsheet" show 133 --sheet "$bolts" --png "$out/formulas.png"
"$connsheet" show 208 --sheet "$bolts" --png "$out/string-table.png"
printf 'type 1207 "M2"\ntype 1209 "M3"\n' >"$steps"
"$connsheet" show 218 --sheet "$bolts" --steps "$steps" --png "$out/find-replace.png"
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
# The macro selection on the bundled macros, in both layouts (as its golden test draws it), with a
# registry and preview folder of its own: the layout a run leaves is the next run's.
selecthome=$(mktemp -d)
printf 'select 9091 "FinPlate"\n' >"$steps"
XDG_CONFIG_HOME="$selecthome" XDG_CACHE_HOME="$selecthome" \
    "$connsheet" select-macro --note --steps "$steps" --png "$out/select-macro-small.png"
printf 'select 9091 "FinPlate"\nclick 1409\n' >"$steps"
XDG_CONFIG_HOME="$selecthome" XDG_CACHE_HOME="$selecthome" \
    "$connsheet" select-macro --note --steps "$steps" --png "$out/select-macro-large.png"
rm -rf "$selecthome"

# The cuts dialogs on a copy of the end plate: a new cut named TopNotch, and the cuts on the end plate.
cutsmacro=$(mktemp --suffix=.json)
cp examples/library/Macros/EndPlateBeamToColumn.json "$cutsmacro"
printf 'type 1282 "TopNotch"\n' >"$steps"
"$connsheet" cuts "$cutsmacro" --new --steps "$steps" --png "$out/macro-cuts.png" >/dev/null
"$connsheet" cuts "$cutsmacro" --profile 1 --png "$out/profile-cuts.png" >/dev/null
rm -f "$cutsmacro"

# The macro sub-dialogs: their golden pictures (tests/macrodlg, filled as a page fills them).
for name in bolt_advanced bolt_pattern profile_advanced array segmented_profile; do
    cp "tests/golden/${name}_dialog.png" "$out/${name//_/-}-dialog.png"
done
# The macro dialog's bolt page and profile page (a copy of the end plate again).
macro=$(mktemp --suffix=.json)
cp examples/library/Macros/EndPlateBeamToColumn.json "$macro"
printf 'select 8097 1\n' >"$steps"
"$connsheet" macro "$macro" --steps "$steps" --png "$out/macro_page_bolts.png"
printf 'select 8097 2\n' >"$steps"
"$connsheet" macro "$macro" --steps "$steps" --png "$out/macro_page_profile.png"
rm -f "$macro"

# The macro editor on a copy of the stiffened end plate, its distance constraint selected.
editormacro=$(mktemp -d)
cp tests/data/macros/StiffenedEndPlate.json "$editormacro/"
printf 'click-at 1001 30 56\n' >"$steps"
"$connsheet" edit-macro "$editormacro/StiffenedEndPlate.json" --steps "$steps" --png "$out/macro-editor.png"
rm -rf "$editormacro"

# The macro settings dialog's standards mapping and angle filter pages, as their golden tests show them.
cp tests/golden/macro_settings_mapping.png "$out/macro-settings-mapping.png"
cp tests/golden/macro_settings_filters.png "$out/macro-settings-filters.png"
