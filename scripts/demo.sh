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
