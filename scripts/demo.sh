#!/usr/bin/env bash
# Installs what is needed, builds connsheet and runs its main job on the bundled example library.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target connsheet
bin=build/default/cli/connsheet
"$bin" --version
"$bin" texts 1764

# The main job: the end-plate standard run against the bundled end-plate macro. The table lists every
# variable of the sheet with its final value; the updated macro goes to a temporary file.
lib=examples/library
out=$(mktemp --suffix=.json)
trap 'rm -f "$out"' EXIT
echo
echo "== connsheet check EndPlateBeamToColumn"
"$bin" --lib "$lib" check EndPlateBeamToColumn
echo
echo "== connsheet run EndPlateBeamToColumn --macro $lib/Macros/EndPlateBeamToColumn.json"
"$bin" --lib "$lib" run EndPlateBeamToColumn --macro "$lib/Macros/EndPlateBeamToColumn.json" --out "$out"
echo
echo "== the end plate in the updated macro"
python3 -c 'import json,sys; m=json.load(open(sys.argv[1])); [print("  %-14s %g" % (v["name"], v["value"])) for v in m["modules"][0]["variables"]]' "$out" 2>/dev/null \
    || grep -A12 '"name": "EndPlate"' "$out"
