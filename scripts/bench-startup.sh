#!/usr/bin/env bash
# Start-up time and idle memory of dhsu.exe against a program showing the same window and against
# a minimal Win32 window program, under Wine in a virtual display. The settings key is left as
# the program finds it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64 -j"$(nproc)" --target dhsu same_window minimal_window bench_startup
cd build/x86_64
exec xvfb-run -a -s "-screen 0 1280x1024x24" ../../scripts/wine-run.sh ./bench_startup.exe \
    dhsu.exe same_window.exe minimal_window.exe "${1:-7}"
