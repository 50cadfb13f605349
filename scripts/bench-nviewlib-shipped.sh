#!/usr/bin/env bash
# The shipped 64-bit NviewLib.dll, kept loaded and loaded per file, against the same static
# TurboJPEG used directly, under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64 -j"$(nproc)" --target NviewLib bench_nviewlib
cd build/x86_64
exec xvfb-run -a ../../scripts/wine-run.sh ./bench_nviewlib.exe "${1:-9}"
