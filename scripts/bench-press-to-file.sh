#!/usr/bin/env bash
# The time from the shutter key to the BMP complete on disk, against the plainest capture and
# write of the same 1920 x 1080 window, with dhsu.exe under Wine in a virtual display large enough
# for two such windows side by side (one busy, one flat); the same press over the flat window,
# which the program reads twice; and the press of the twin whose window device context reads
# black, as a GPU-drawn window's does.
# Every build this host runs is measured (as the end-to-end tests choose them). The benchmark
# gives the program settings of its own in the build's Wine prefix.
# With two cores or more, the X server gets the last core and Wine the others, as a display has
# hardware of its own: otherwise whichever reader shares a core with the server runs slower,
# and a run's ratio swings by 15 % with where the scheduler puts them.
#   scripts/bench-press-to-file.sh [presses, at least 21]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
source scripts/e2e-builds.sh
choose_e2e_builds
cores=$(nproc)
x_server_cpu=() wine_cpus=()
if [ "$cores" -ge 2 ]; then
    x_server_cpu=(taskset -c $((cores - 1)))
    wine_cpus=(taskset -c 0-$((cores - 2)))
fi
for build in "${e2e_builds[@]}"; do
    cmake --preset "$build" >/dev/null
    cmake --build --preset "$build" -j"$(nproc)" --target dhsu dhsu_black_window_dc \
        bench_press_to_file
    echo "== $build"
    (cd "build/$build" && "${x_server_cpu[@]}" xvfb-run -a -s "-screen 0 3900x1200x24" \
        "${wine_cpus[@]}" ../../scripts/wine-run.sh ./bench_press_to_file.exe dhsu.exe "${1:-21}" \
        dhsu_black_window_dc.exe)
done
[ -z "$e2e_skipped" ] || echo "$e2e_skipped"
