#!/usr/bin/env bash
# Every test: the portable core natively (with GCC and clang, warnings as errors, and under
# ThreadSanitizer, AddressSanitizer and UBSan), and the Windows programs end to end under Wine
# in a virtual X display, with a smoke subset of them once more against each build's unpacked
# ZIP package; the end-to-end runs go on beside the later builds. Both Windows builds are always
# made, x86_64 first; which of them run end to end depends on the host (see scripts/e2e-builds.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

# Each phase's wall time, printed at the end (or where the run stopped) to show where it goes.
phase_times=()
phase() {
    local name=$1 start=$SECONDS status=0
    shift
    "$@" || status=$?
    phase_times+=("$(printf '%6d s  %s' $((SECONDS - start)) "$name")")
    return $status
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

windows_build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1" -j"$jobs"
}

# A build's suite and its package's smoke, in a virtual display of its own: display numbers are
# sought from $2 up, so that two suites started together never take the same one. Each build
# has Wine prefixes of its own already. What passed goes to $results/$1, the phase times beside.
e2e_of() {
    local build=$1 first=${#phase_times[@]} status=0
    local display=(xvfb-run -a -n "$2" -s "-screen 0 1280x1024x24")
    e2e_phases "$build" || status=$?
    printf '%s\n' "${phase_times[@]:first}" >"$results/$build.times"
    return $status
}
e2e_phases() {
    local build=$1 count
    count=$(ctest --preset "$build" -N | sed -n 's/^Total Tests: //p')
    if [ "${count:-0}" -eq 0 ]; then
        echo "No end-to-end tests found for $build." >&2
        return 1
    fi
    phase "$build end-to-end suite" "${display[@]}" ctest --preset "$build" || return
    phase "$build package smoke" package_smoke "$build" || return
    { echo "$build ($count passed)"; tail -n 1 "$results/$build.smoke"; } >"$results/$build"
}
package_smoke() {
    "${display[@]}" bash scripts/package-smoke.sh "$1" | tee "$results/$1.smoke"
}

# The suites mostly wait on Wine and the X server, so each runs in the background as soon as its
# build is done, beside the other build, the other suite and the native builds, each in its own
# process group (ended with the run); their output follows the native builds'. The x86_64 build
# comes first, since every host runs its suite.
results=$(mktemp -d)
declare -A background=()
trap 'kill -- "${background[@]/#/-}" 2>/dev/null || true; rm -rf "$results"; print_phase_times' EXIT
for build in x86_64 win32; do
    phase "$build build (with libjpeg-turbo)" windows_build "$build"
    [[ " ${e2e_builds[*]} " == *" $build "* ]] || continue
    set -m
    (trap - EXIT; e2e_of "$build" $((99 + 100 * ${#background[@]}))) >"$results/$build.log" 2>&1 &
    set +m
    background[$build]=$!
done

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

status=0
for build in "${e2e_builds[@]}"; do
    wait "${background[$build]}" || status=1
    unset "background[$build]"
    echo "== $build end to end =="
    cat "$results/$build.log"
    mapfile -t -O ${#phase_times[@]} phase_times <"$results/$build.times"
done
[ $status -eq 0 ] || exit 1
summary=() packages=()
for build in "${e2e_builds[@]}"; do
    summary+=("$(sed -n 1p "$results/$build")")
    packages+=("$(sed -n 2p "$results/$build")")
done
tested=$(IFS=,; echo "${summary[*]}")
smoked=$(IFS=,; echo "${packages[*]}")
echo "End-to-end tested: ${tested//,/, }; packages: ${smoked//,/, }${e2e_skipped:+; $e2e_skipped}."
