#!/usr/bin/env bash
# The command's frequently run code is laid out together, between the two markers WarmStart.cpp maps
# in from (cli/hot-text.txt): a link that ignored the order (another linker, a section list that no
# longer names the program's functions) would still build and pass every other test, only slower.
#
#   bash tests/layout/hot_text.sh PROGRAM
set -euo pipefail
program="$1"
symbols="$(nm --defined-only "$program")"
address() { awk -v name="$1" '$3 == name { print $1 }' <<<"$symbols"; }
begin="$(address connsheet_hot_text_begin)"
end="$(address connsheet_hot_text_end)"
if [ -z "$begin" ] || [ -z "$end" ]; then
    echo "FAIL: $program has no hot-text markers" >&2
    exit 1
fi
size=$((16#$end - 16#$begin))
# The list names about a thousand functions, most of a megabyte; a few hundred kilobytes between the
# markers means most of them were found and placed.
if [ "$size" -lt $((256 << 10)) ] || [ "$size" -gt $((4 << 20)) ]; then
    echo "FAIL: $size bytes between the hot-text markers (expected 256 KiB to 4 MiB)" >&2
    exit 1
fi
# The standards engine's calculation, the heart of a run, is among them.
calc="$(awk '$3 ~ /VlCalcSS8calcCell/ { print $1; exit }' <<<"$symbols")"
if [ -z "$calc" ] || [ $((16#$calc)) -lt $((16#$begin)) ] || [ $((16#$calc)) -gt $((16#$end)) ]; then
    echo "FAIL: the calculation of a cell lies outside the hot text" >&2
    exit 1
fi
echo "hot text: $size bytes"
