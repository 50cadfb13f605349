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

# A build's suite and its package's smoke, in virtual displays of their own: display numbers are
# sought from $2 up (a shard's 50 further), so that suites and shards started together never take
# the same one. The suite runs as $3 shards side by side, each with Wine prefixes and run folders
# of its own. What passed goes to $results/$1, the phase times beside.
e2e_of() {
    local build=$1 first=${#phase_times[@]} status=0
    e2e_phases "$@" || status=$?
    printf '%s\n' "${phase_times[@]:first}" >"$results/$build.times"
    return $status
}
e2e_phases() {
    local build=$1 from=$2 shards=$3 count
    count=$(ctest --preset "$build" -N | sed -n 's/^Total Tests: //p')
    if [ "${count:-0}" -eq 0 ]; then
        echo "No end-to-end tests found for $build." >&2
        return 1
    fi
    local display=(xvfb-run -a -n "$from" -s "-screen 0 1280x1024x24")
    if [ "$shards" -eq 1 ]; then
        phase "$build end-to-end suite" "${display[@]}" ctest --preset "$build" || return
    else
        e2e_shards || return
    fi
    phase "$build package smoke" package_smoke "$build" || return
    { echo "$build ($count passed)"; tail -n 1 "$results/$build.smoke"; } >"$results/$build"
}
package_smoke() {
    "${display[@]}" bash scripts/package-smoke.sh "$1" | tee "$results/$1.smoke"
}

# The shards of a build's suite, started together; each one's output and phase time follow
# once all have ended.
e2e_shards() {
    local shard_patterns k status=0 pids=()
    deal_shards || return
    for ((k = 1; k <= shards; k++)); do
        e2e_shard $k >"$results/$build.shard$k.log" 2>&1 &
        pids+=($!)
    done
    for ((k = 1; k <= shards; k++)); do
        wait "${pids[k - 1]}" || status=1
        echo "-- $build end-to-end shard $k of $shards --"
        cat "$results/$build.shard$k.log"
        mapfile -t -O ${#phase_times[@]} phase_times <"$results/$build.shard$k.times"
    done
    return $status
}
e2e_shard() {
    local k=$1 phase_times=() status=0
    local display=(xvfb-run -a -n $((from + 50 * (k - 1))) -s "-screen 0 1280x1024x24")
    phase "$build end-to-end shard $k of $shards" env DHSU_E2E_SHARD=$k "${display[@]}" \
        ctest --preset "$build" -R "${shard_patterns[k - 1]}" || status=$?
    printf '%s\n' "${phase_times[@]}" >"$results/$build.shard$k.times"
    return $status
}

# The tests that ctest runs for the build with these arguments, by name.
suite_tests() {
    ctest --preset "$build" -N "$@" | sed -n 's/^ *Test *#[0-9]*: //p'
}

# Deals the build's tests out to the shards in turn, leaving a -R pattern for each in
# shard_patterns. ctest adds to a shard the set-up and clean-up tests of the fixtures that its
# tests require, so those are kept out of the deal; unless then every test runs in exactly one
# shard (a fixture required in two would run in both), the run stops.
deal_shards() {
    local dealt added=() kept names name k i
    mapfile -t dealt < <(suite_tests)
    while :; do
        shard_patterns=() added=()
        for ((k = 0; k < shards; k++)); do
            names=()
            for ((i = k; i < ${#dealt[@]}; i += shards)); do names+=("${dealt[i]//./\\.}"); done
            shard_patterns+=("^($(IFS='|'; echo "${names[*]}"))\$")
            while read -r name; do
                [[ $name =~ ${shard_patterns[k]} ]] || added+=("$name")
            done < <(suite_tests -R "${shard_patterns[k]}")
        done
        kept=()
        for name in "${dealt[@]}"; do
            [[ " ${added[*]} " == *" $name "* ]] || kept+=("$name")
        done
        [ ${#kept[@]} -eq ${#dealt[@]} ] && break
        dealt=("${kept[@]}")
    done
    if ! diff <(for k in "${shard_patterns[@]}"; do suite_tests -R "$k"; done | sort) \
        <(suite_tests | sort) >&2; then
        echo "$build: $shards shards would not run each test once (above: > never, < twice)" >&2
        return 1
    fi
}

# The suites mostly wait on Wine and the X server, so each runs in the background as soon as its
# build is done, beside the other build, the other suite and the native builds, each in its own
# process group (ended with the run); their output follows the native builds'. The x86_64 build
# comes first, since every host runs its suite. Each suite runs as two shards (four shards
# beside the builds still took no longer each than two), or as many as DHSU_E2E_SHARDS says.
results=$(mktemp -d)
declare -A background=()
trap 'kill -- "${background[@]/#/-}" 2>/dev/null || true; rm -rf "$results"; print_phase_times' EXIT
shards=${DHSU_E2E_SHARDS:-2}
for build in x86_64 win32; do
    phase "$build build (with libjpeg-turbo)" windows_build "$build"
    [[ " ${e2e_builds[*]} " == *" $build "* ]] || continue
    set -m
    (trap - EXIT; e2e_of "$build" $((99 + 100 * ${#background[@]})) "$shards") \
        >"$results/$build.log" 2>&1 &
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
