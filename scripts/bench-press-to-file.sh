#!/usr/bin/env bash
# The time from the shutter key to the BMP complete on disk, against a plain BitBlt and write of
# the same 1920 x 1080 window, with the 64-bit dhsu.exe under Wine in a virtual display large
# enough for that window, and the same press over the window painted flat, which the program
# reads twice. The benchmark gives the program settings of its own in the build's Wine prefix.
#   scripts/bench-press-to-file.sh [presses, at least 21]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64 -j"$(nproc)" --target dhsu bench_press_to_file
cd build/x86_64
exec xvfb-run -a -s "-screen 0 2560x1600x24" ../../scripts/wine-run.sh ./bench_press_to_file.exe \
    dhsu.exe "${1:-21}"
