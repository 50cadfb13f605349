#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine, on the current display or a virtual one.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$(nproc)" --target dhsu NviewLib
if [ -n "${DISPLAY:-}" ]; then
    exec scripts/wine-run.sh build/win32/dhsu.exe
fi
echo "No display: running in a virtual one (Xvfb)."
exec xvfb-run -a -s "-screen 0 1280x1024x24" scripts/wine-run.sh build/win32/dhsu.exe
