#!/usr/bin/env bash
# Builds NviewLib's BMP reader fuzzer with clang (libFuzzer, AddressSanitizer, UBSan) and runs it.
#
#   scripts/fuzz-bmp-reader.sh [SECONDS]     default 60
#
# The seeds in tests/fuzz/corpus are read but never written; new inputs and any crash files go
# to build/fuzz.
set -euo pipefail

seconds=${1:-60}
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out="$repo/build/fuzz"
mkdir -p "$out/corpus" "$out/artifacts"

clang++ -std=c++20 -g -O1 -fno-omit-frame-pointer \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$repo" \
    "$repo/tests/fuzz/bmp_reader_fuzz.cpp" "$repo/nviewlib/bmp_reader.cpp" \
    -o "$out/bmp_reader_fuzz"

"$out/bmp_reader_fuzz" "$out/corpus" "$repo/tests/fuzz/corpus" \
    -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$out/artifacts/"
