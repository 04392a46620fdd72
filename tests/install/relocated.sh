#!/usr/bin/env bash
# An installed connsheet, copied elsewhere, runs the bundled end-plate standard from its own tree:
# installed into a temporary prefix, the tree is moved away (the prefix deleted), and the main job runs
# from another folder with another HOME and no CONNSHEET_* variables. A change to the copy's sheet
# must show in the results, no file of the source or build tree may be opened, and "run" must not load
# the render module. Bash completion and the manual page are checked where their tools exist.
#
#   bash tests/install/relocated.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$(cd "$1" && pwd)"
source="$(cd "$2" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$work/prefix" >/dev/null
mkdir -p "$work/elsewhere" "$work/home" "$work/cwd"
cp -a "$work/prefix" "$work/elsewhere/connsheet"
rm -rf "$work/prefix"
tree="$work/elsewhere/connsheet"
exe="$tree/bin/connsheet"
library="$tree/share/connsheet/library"
for f in bin/connsheet lib/connsheet/libconnsheet_render.so share/connsheet/library/Macros/EndPlateBeamToColumn.json \
         share/connsheet/res/texts/en.txt share/bash-completion/completions/connsheet share/doc/connsheet/README.md; do
    [ -e "$tree/$f" ] || fail "not installed: $f"
done
if ldd "$tree/lib/connsheet/libconnsheet_render.so" | grep -q "not found"; then fail "the render module misses a library"; fi

run() {
    (cd "$work/cwd" && env -u CONNSHEET_LIB -u CONNSHEET_HOME HOME="$work/home" "$@")
}
value_of() {  # NAME in a run's table
    awk -v name="$1" '$3 == name { print $4 }'
}

# The main job, from the copy.
table="$(run "$exe" run EndPlateBeamToColumn --macro "$library/Macros/EndPlateBeamToColumn.json")" || fail "run failed"
[ "$(value_of ChamferSize <<<"$table")" = "20.0000000" ] || fail "ChamferSize is not 20: $(value_of ChamferSize <<<"$table")"
json="$(run "$exe" run EndPlateBeamToColumn --macro "$library/Macros/EndPlateBeamToColumn.json" --json)"
grep -q "\"sheet\": \"$library/Connection Standards/EndPlateBeamToColumn.vls\"" <<<"$json" \
    || fail "the run did not use the copy's sheet: $(grep '"sheet"' <<<"$json")"

# The copy's own sheet is the one read: a change to it shows.
sheet="$library/Connection Standards/EndPlateBeamToColumn.vls"
sed -i 's|ChamferSize = ROUNDTO(EdgeDistance / 2, 5)|ChamferSize = 33|' "$sheet"
table="$(run "$exe" run EndPlateBeamToColumn --macro "$library/Macros/EndPlateBeamToColumn.json")" || fail "changed run failed"
[ "$(value_of ChamferSize <<<"$table")" = "33.0000000" ] || fail "the change to the copy's sheet did not show"

# --lib and CONNSHEET_LIB still win over the installed library.
run env CONNSHEET_LIB="$work/nowhere" "$exe" sheets >/dev/null 2>&1 && fail "CONNSHEET_LIB was not used"
[ "$(run "$exe" --lib "$source/examples/library" sheets | head -1)" = "BasePlate" ] || fail "--lib was not used"

# Nothing of the source or build tree is touched, and "run" never loads the render or office module.
# (The leak checker of sanitizer builds cannot work under strace: it is switched off for this run.)
if command -v strace >/dev/null; then
    run env ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
        strace -f -e trace=%file -o "$work/trace" "$exe" run EndPlateBeamToColumn \
        --macro "$library/Macros/EndPlateBeamToColumn.json" >/dev/null
    if grep -F -e "\"$source" -e "\"$build" "$work/trace" >&2; then fail "the installed program looked into the source or build tree"; fi
    if grep -q libconnsheet_render "$work/trace"; then fail "run loaded the render module"; fi
    if grep -q -e libconnsheet_office -e libzip -e libcrypto "$work/trace"; then fail "run loaded the office formats"; fi
else
    echo "strace missing: the trace of opened files is not checked" >&2
fi

# Completion: subcommands, a subcommand's options and the sheet names of the library.
completion=/usr/share/bash-completion/bash_completion
if [ -r "$completion" ]; then
    complete_words() {  # the words typed so far; prints the candidates
        PATH="$tree/bin:$PATH" bash -c '
            source "$1"; source "$2"; shift 2
            COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
            _connsheet connsheet "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
            printf "%s\n" "${COMPREPLY[@]}"' _ "$completion" "$tree/share/bash-completion/completions/connsheet" "$@"
    }
    (cd "$work/cwd" && complete_words connsheet ba) | grep -qx batch || fail "completion: no subcommand batch"
    (cd "$work/cwd" && complete_words connsheet batch --jo) | grep -qx -- --jobs || fail "completion: no option --jobs"
    (cd "$work/cwd" && complete_words connsheet run End) | grep -qx EndPlateBeamToColumn || fail "completion: no sheet name"
else
    echo "bash-completion missing: completion is not checked" >&2
fi
if command -v help2man >/dev/null && [ ! -s "$tree/share/man/man1/connsheet.1" ]; then fail "no manual page"; fi

if [ "$failures" -gt 0 ]; then
    echo "0 passed, $failures failed"
    exit 1
fi
echo "installed tree relocated and checked"
