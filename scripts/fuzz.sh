#!/usr/bin/env bash
# Builds the libFuzzer target for the map description reader with clang and
# runs it for about a minute (FUZZ_SECONDS to change). Exits non-zero when the
# fuzzer finds a crash, a leak or undefined behaviour.
#   scripts/fuzz.sh [build folder]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build/fuzz}
seconds=${FUZZ_SECONDS:-60}
mkdir -p "$out/corpus"

clangxx=$(command -v clang++ || command -v clang++-14 || true)
if [ -z "$clangxx" ]; then
    echo "fuzz.sh: clang++ not found" >&2
    exit 2
fi

# Only the reader itself, and the stand-in code pages' order: it must build
# without any platform header.
"$clangxx" -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root" "$root/fuzz/MapDescriptionFuzz.cpp" "$root/launcher/MapDescription.cpp" \
    "$root/standin/MapNameOrder.cpp" -o "$out/map_description_fuzz"

cp -n "$root"/fuzz/corpus/* "$out/corpus/" 2>/dev/null || true
# The working corpus grows in the build folder; the seeds in fuzz/ stay as they are.
"$out/map_description_fuzz" -max_total_time="$seconds" -max_len=200000 -timeout=10 \
    -artifact_prefix="$out/" "$out/corpus"
