#!/usr/bin/env bash
# The two build paths that the everyday builds never take, tried here because the Visual Studio
# build takes them and no Windows host runs it: googletest found as an installed package (as
# vcpkg provides it) rather than built along from its sources, and the build without tests. Both
# use the mingw-w64 x86_64 compiler; each prints one result line.
#   xvfb-run -a -s "-screen 0 1280x1024x24" scripts/check-build-paths.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)
toolchain=$root/cmake/mingw-x86_64.cmake
e2e_entry=ShutterKeyTest.ClientAreaIsSavedPixelForPixelAsNumberedFiles
log=$root/build/check-build-paths.log
: >"$log"
quietly() {
    if ! "$@" >>"$log" 2>&1; then
        tail -n 40 "$log" >&2
        echo "check-build-paths: failed: $*" >&2
        exit 1
    fi
}

# googletest for mingw-w64, built and installed once into a prefix of its own.
gtest_prefix=$root/build/googletest-mingw-x86_64
if [ ! -f "$gtest_prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
    quietly cmake -S /usr/src/googletest -B "$gtest_prefix-build" --toolchain "$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$gtest_prefix"
    quietly cmake --build "$gtest_prefix-build" -j"$jobs" --target install
fi

package_tree=$root/build/check-gtest-package
quietly cmake -S . -B "$package_tree" --toolchain "$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DDHSU_WARNINGS_AS_ERRORS=ON -DDHSU_GTEST_SOURCE_DIR=/nonexistent \
    -DGTest_DIR="$gtest_prefix/lib/cmake/GTest"
quietly cmake --build "$package_tree" -j"$jobs" --target e2e_tests bench_press_to_file \
    bench_game_share
quietly ctest --test-dir "$package_tree" -R "^$e2e_entry\$" --no-tests=error --output-on-failure
echo "check-build-paths: googletest as an installed package: e2e_tests and the two benchmarks" \
    "built, $e2e_entry passed"

no_tests_tree=$root/build/check-no-tests
quietly cmake -S . -B "$no_tests_tree" --toolchain "$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DDHSU_WARNINGS_AS_ERRORS=ON -DDHSU_BUILD_TESTS=OFF
quietly cmake --build "$no_tests_tree" -j"$jobs" --target package
zip=$(ls "$no_tests_tree"/dhsu-*-win64.zip)
quietly scripts/check-package.sh "$zip" winpthreads 'License: ZPL-2\.1' 'License: Lucent'
echo "check-build-paths: without tests: dhsu.exe, NviewLib.dll and $(basename "$zip") built" \
    "and checked"
