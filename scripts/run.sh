#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine, on the current display or a virtual one:
# the 64-bit build, which every x86-64 host runs; DHSU_BUILD=win32 starts the 32-bit one.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
source scripts/wine-env.sh
build=${DHSU_BUILD:-x86_64}
if [ "$build" = win32 ] && ! host_runs_32bit; then
    echo "This host cannot run the win32 build: $wine32_failure" >&2
    exit 1
fi
cmake --preset "$build" >/dev/null
cmake --build --preset "$build" -j"$(nproc)" --target dhsu NviewLib
echo "Starting build/$build/dhsu.exe"
if [ -n "${DISPLAY:-}" ]; then
    exec scripts/wine-run.sh "build/$build/dhsu.exe"
fi
echo "No display: running in a virtual one (Xvfb)."
exec xvfb-run -a -s "-screen 0 1280x1024x24" scripts/wine-run.sh "build/$build/dhsu.exe"
