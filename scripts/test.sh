#!/usr/bin/env bash
# Every test: the portable core natively (with GCC and clang, warnings as errors, and under
# ThreadSanitizer, AddressSanitizer and UBSan), then the Windows programs end to end under Wine
# in a virtual X display, and a smoke subset of them once more against each build's unpacked ZIP
# package. Both Windows builds are always built; which of them run end to end depends on the
# host (see scripts/e2e-builds.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
source scripts/e2e-builds.sh
choose_e2e_builds
jobs=$(nproc)

cmake --preset native >/dev/null
cmake --build --preset native -j"$jobs"
ctest --preset native

# Only the test programs for the other compiler and the sanitizers.
for preset in native-clang native-tsan native-asan; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j"$jobs" --target unit_tests nviewlib_tests
    ctest --preset "$preset"
done

for build in win32 x86_64; do
    cmake --preset "$build" >/dev/null
    cmake --build --preset "$build" -j"$jobs"
done

summary=()
packages=()
smoke_log=$(mktemp)
trap 'rm -f "$smoke_log"' EXIT
for build in "${e2e_builds[@]}"; do
    count=$(ctest --preset "$build" -N | sed -n 's/^Total Tests: //p')
    if [ "${count:-0}" -eq 0 ]; then
        echo "No end-to-end tests found for $build." >&2
        exit 1
    fi
    xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset "$build"
    summary+=("$build ($count passed)")
    xvfb-run -a -s "-screen 0 1280x1024x24" bash scripts/package-smoke.sh "$build" |
        tee "$smoke_log"
    packages+=("$(tail -n 1 "$smoke_log")")
done
tested=$(IFS=,; echo "${summary[*]}")
smoked=$(IFS=,; echo "${packages[*]}")
echo "End-to-end tested: ${tested//,/, }; packages: ${smoked//,/, }${e2e_skipped:+; $e2e_skipped}."
