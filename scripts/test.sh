#!/usr/bin/env bash
# Every test: the portable core natively (with GCC and clang, warnings as errors, and under
# ThreadSanitizer, AddressSanitizer and UBSan), then the Windows programs end to end under Wine
# in a virtual X display, and a smoke subset of them once more against each build's unpacked ZIP
# package. Both Windows builds are always built; which of them run end to end depends on the
# host (see scripts/e2e-builds.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

# Each phase's wall time, printed at the end (or where the run stopped) to show where it goes.
phase_times=()
phase() {
    local name=$1 start=$SECONDS
    shift
    "$@"
    phase_times+=("$(printf '%6d s  %s' $((SECONDS - start)) "$name")")
}
print_phase_times() {
    echo "Phase times:"
    printf '  %s\n' "${phase_times[@]}"
    printf '%6d s  in all\n' "$SECONDS"
}
trap print_phase_times EXIT

phase "install-deps" bash scripts/install-deps.sh
source scripts/e2e-builds.sh
choose_e2e_builds
jobs=$(nproc)

native_tests() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1" -j"$jobs" "${@:2}"
    ctest --preset "$1"
}
phase "native build and tests" native_tests native

# Only the test programs for the other compiler and the sanitizers.
for preset in native-clang native-tsan native-asan; do
    phase "$preset build and tests" native_tests "$preset" --target unit_tests nviewlib_tests
done

windows_build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1" -j"$jobs"
}
for build in win32 x86_64; do
    phase "$build build (with libjpeg-turbo)" windows_build "$build"
done

package_smoke() {
    xvfb-run -a -s "-screen 0 1280x1024x24" bash scripts/package-smoke.sh "$1" | tee "$smoke_log"
}
summary=()
packages=()
smoke_log=$(mktemp)
trap 'rm -f "$smoke_log"; print_phase_times' EXIT
for build in "${e2e_builds[@]}"; do
    count=$(ctest --preset "$build" -N | sed -n 's/^Total Tests: //p')
    if [ "${count:-0}" -eq 0 ]; then
        echo "No end-to-end tests found for $build." >&2
        exit 1
    fi
    phase "$build end-to-end suite" xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset "$build"
    summary+=("$build ($count passed)")
    phase "$build package smoke" package_smoke "$build"
    packages+=("$(tail -n 1 "$smoke_log")")
done
tested=$(IFS=,; echo "${summary[*]}")
smoked=$(IFS=,; echo "${packages[*]}")
echo "End-to-end tested: ${tested//,/, }; packages: ${smoked//,/, }${e2e_skipped:+; $e2e_skipped}."
