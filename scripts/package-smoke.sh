#!/usr/bin/env bash
# The package as a player gets it: makes build/<build>/dhsu-<version>-<win32|win64>.zip, checks
# that it holds exactly the player's files, the notices of every library linked in and a
# manifest that runs dhsu.exe as invoked (scripts/check-package.sh), unpacks it and runs the
# end-to-end smoke tests with the program taken from there. Its last line names
# the package and how many tests passed.
#   scripts/package-smoke.sh win32|x86_64        (expects an X display: xvfb-run gives one)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: $0 win32|x86_64}
build_dir=$PWD/build/$build
case $build in
    win32) platform=win32 triplet=i686-w64-mingw32 ;;
    x86_64) platform=win64 triplet=x86_64-w64-mingw32 ;;
    *) echo "unknown build '$build' (win32, x86_64)" >&2; exit 2 ;;
esac
smoke_tests=(
    JpegTest.ShotBecomesAJpegOfItsQualityAndTheBmpGoes
    ClipboardTest.EachNewBitmapIsTheNextNumberedShotAndTextIsIgnored
    Settings.NoKeyGivesTheDefaultsAndTheCloseWritesAllSeven
)

cmake --build --preset "$build" --target package >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
name=dhsu-$version-$platform
zip=$build_dir/$name.zip

# The mingw-w64 runtime links its own code and gdtoa's (ZPL-2.1, Lucent) into both binaries and
# winpthreads into dhsu.exe: their notices come on top of libjpeg-turbo's.
scripts/check-package.sh "$zip" winpthreads 'License: ZPL-2\.1' 'License: Lucent'

unpacked=$build_dir/package-smoke
rm -rf "$unpacked"
unzip -q "$zip" -d "$unpacked"

# Both binaries carry the package's version and name LICENSE's holder as their company;
# dhsu.exe's manifest has the same version.
holder=$(tr -d '\r' <"$unpacked/$name/LICENSE" | sed -n 's/^Copyright (c) [0-9, -]* //p')
expect_resources() {
    local binary=$1 resources expected
    shift
    resources=$("$triplet-windres" --input "$unpacked/$name/$binary" --output-format rc)
    for expected in "FILEVERSION ${version//./, }, 0" "VALUE \"FileVersion\", \"$version\"" \
        "VALUE \"CompanyName\", \"$holder\"" "$@"; do
        if ! grep -qF "$expected" <<<"$resources"; then
            echo "$name.zip: $binary has no '$expected' in its resources" >&2
            exit 1
        fi
    done
}
expect_resources dhsu.exe "version=\"\"$version.0\"\""
expect_resources NviewLib.dll

log=$unpacked/e2e.log
filter=$(IFS=:; echo "${smoke_tests[*]}")
program_dir="Z:$(tr / '\\' <<<"$unpacked/$name")"
DHSU_E2E_PROGRAM_DIR=$program_dir scripts/wine-run.sh "$build_dir/e2e_tests.exe" \
    --gtest_filter="$filter" | tee "$log"
passed=$(tr -d '\r' <"$log" | sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\.$/\1/p')
if [ "${passed:-0}" -ne ${#smoke_tests[@]} ]; then
    echo "$name.zip: ${passed:-0} of ${#smoke_tests[@]} smoke tests passed" >&2
    exit 1
fi
echo "$name.zip ($passed passed)"
