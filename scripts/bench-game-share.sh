#!/usr/bin/env bash
# A CPU-bound game loop sharing one core with the 64-bit dhsu.exe while it converts 20 shots,
# against the loop alone, under Wine in a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64 -j"$(nproc)" --target dhsu NviewLib bench_game_share
cd build/x86_64
exec xvfb-run -a -s "-screen 0 1280x1024x24" ../../scripts/wine-run.sh ./bench_game_share.exe
