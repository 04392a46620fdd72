#!/usr/bin/env bash
# The connsheet program ends without tearing down what it loaded: everything it printed must still
# reach a pipe, a file and the terminal's other stream, whole, and its exit status must be the command's.
#
#   bash tests/process/output.sh PROGRAM SOURCE_DIR
set -euo pipefail
program="$1"
source="$(cd "$2" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# Far more than one stdio buffer: 20000 rows of a value and a formula.
awk 'BEGIN { for (i = 1; i <= 20000; ++i) print i ",=A" i "*2" }' > "$work/big.csv"
lines=$("$program" calc "$work/big.csv" | wc -l)
[ "$lines" = 40000 ] || fail "calc into a pipe printed $lines lines, not 40000"
"$program" calc --jsonl "$work/big.csv" > "$work/big.json"
last=$(tail -n 1 "$work/big.json")
case "$last" in
*'"cell":"B20000"'*'"value":40000'*) ;;
*) fail "calc --jsonl into a file ends with: $last" ;;
esac

# The standards run: results on stdout, status 0.
if "$program" --lib "$source/examples/library/" run EndPlateBeamToColumn \
    --macro "$source/examples/library/Macros/EndPlateBeamToColumn.json" > "$work/run.txt" 2> "$work/run.err"; then
    grep -q "BoltDiameter" "$work/run.txt" || fail "run printed no inputs: $(head -c 200 "$work/run.txt")"
else
    fail "run failed: $(cat "$work/run.err")"
fi

# A usage error: its message on stderr, and the status CLI11 gives it.
set +e
"$program" run > "$work/usage.txt" 2> "$work/usage.err"
status=$?
set -e
[ "$status" != 0 ] || fail "run without a sheet exited 0"
grep -q "is required" "$work/usage.err" || fail "the usage error was lost: $(cat "$work/usage.err")"

if [ "$failures" -gt 0 ]; then
    echo "0 passed, $failures failed"
    exit 1
fi
echo "4 passed, 0 failed"
