#!/usr/bin/env bash
# Installs what is needed, builds everything and runs the whole test suite (fuzz corpora included).
# With --asan, does the same in the AddressSanitizer + UndefinedBehaviorSanitizer build.
# With --fuzz, builds the libFuzzer targets (clang) and replays every corpus through them, so that a
# target that no longer builds or a corpus input that now fails is noticed (docs/fuzzing.md).
set -euo pipefail
cd "$(dirname "$0")/.."
preset=default
case "${1:-}" in
    --asan) preset=asan ;;
    --fuzz) preset=fuzz ;;
esac
bash scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
if [ "$preset" = fuzz ]; then
    cmake --build --preset fuzz --target fuzz_targets
    for target in build/fuzz/fuzz/fuzz_*; do
        [ -x "$target" ] || continue
        stem=$(basename "$target")
        stem=${stem#fuzz_}
        echo "replay $stem"
        # Files, not the folder: each input runs once and nothing is added to the corpus.
        "$target" fuzz/corpus/"$stem"/* 2>"build/fuzz/replay_$stem.log" ||
            { tail -n 40 "build/fuzz/replay_$stem.log"; exit 1; }
    done
    exit 0
fi
cmake --build --preset "$preset"
ctest --preset "$preset"
