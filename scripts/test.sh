#!/usr/bin/env bash
# Every test: the portable core natively (plain and under ThreadSanitizer), then the Windows
# program end to end under Wine in a virtual X display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

cmake --preset native >/dev/null
cmake --build --preset native -j"$jobs"
ctest --preset native

cmake --preset native-tsan >/dev/null
cmake --build --preset native-tsan -j"$jobs" --target unit_tests nviewlib_tests
ctest --preset native-tsan

cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$jobs"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset win32

# The 64-bit Windows build must keep compiling.
cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64 -j"$jobs" --target dhsu
