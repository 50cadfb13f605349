#!/usr/bin/env bash
# Cross-builds the static TurboJPEG library for Windows with mingw-w64 and installs it.
#
#   scripts/build-libjpeg-turbo.sh ARCH OUTDIR     ARCH: i686 | x86_64
#
# The source comes from Debian's source package, fetched through a private apt configuration
# kept under build/deps (the system's apt lists are neither read nor changed). OUTDIR receives
# lib/libturbojpeg.a, include/turbojpeg.h and, for the package's notices, licenses/ (LICENSE.md,
# README.ijg, VERSION); a second call with a finished install of the same recipe does nothing.
set -euo pipefail

usage() {
    echo "usage: $0 i686|x86_64 OUTDIR" >&2
    exit 2
}

[[ $# -eq 2 ]] || usage
arch=$1
outdir=$2
case "$arch" in
    i686) processor=x86 ;;
    x86_64) processor=AMD64 ;;
    *) usage ;;
esac

# Only the compressor is used. Functions in sections of their own let the linker drop the rest;
# clz instead of the 64 KB bit-count tables costs nothing, since the SIMD Huffman coder does the
# work; 32-bit C code without unwind tables lets those sections go (no exception crosses it).
cflags="-ffunction-sections -fdata-sections -DUSE_CLZ_INTRINSIC"
[[ $arch == i686 ]] && cflags+=" -fno-asynchronous-unwind-tables"
recipe="compressor only; no thread-local variables; $cflags; licences"
installed() {
    [[ -f "$outdir/.complete" && "$(cat "$outdir/.complete")" == "$recipe" ]]
}
if installed; then
    exit 0
fi

mkdir -p "$outdir"
outdir=$(cd "$outdir" && pwd)
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
deps="$repo/build/deps"
aptdir="$deps/apt"
srcdir="$deps/src"
mkdir -p "$deps"

# Two configures (i686 and x86_64) may run at once; they share the download.
exec 9>"$deps/.lock"
flock 9
if installed; then
    exit 0
fi

# shellcheck source=/dev/null
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:?no VERSION_CODENAME in /etc/os-release}")

# deb-src lines for the machine's own Debian suites, from both one-line and deb822 sources.
source_lines() {
    local list
    for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [[ -f "$list" ]] || continue
        awk -v codename="$codename" '
            $1 == "deb" {
                rest = $0
                sub(/^[ \t]*deb[ \t]+/, "", rest)
                opts = ""
                if (rest ~ /^\[/) {
                    opts = substr(rest, 1, index(rest, "]")) " "
                    rest = substr(rest, index(rest, "]") + 1)
                    sub(/^[ \t]+/, "", rest)
                }
                split(rest, field, /[ \t]+/)
                if (index(field[2], codename) == 1) print "deb-src " opts rest
            }' "$list"
    done
    for list in /etc/apt/sources.list.d/*.sources; do
        [[ -f "$list" ]] || continue
        awk -v codename="$codename" '
            function flush(    u, s, nu, ns, uri, suite, opts) {
                if (types ~ /(^| )deb( |$)/ && enabled != "no" && uris != "" && suites != "") {
                    opts = (signed ~ /^\//) ? "[signed-by=" signed "] " : ""
                    nu = split(uris, uri, " ")
                    ns = split(suites, suite, " ")
                    for (u = 1; u <= nu; u++)
                        for (s = 1; s <= ns; s++)
                            if (index(suite[s], codename) == 1)
                                print "deb-src " opts uri[u] " " suite[s] " " components
                }
                types = uris = suites = components = signed = enabled = ""
            }
            /^[ \t]*#/ { next }
            /^[ \t]*$/ { flush(); next }
            /^[ \t]/ { next }
            {
                key = tolower($1); sub(/:$/, "", key)
                value = $0; sub(/^[^:]*:[ \t]*/, "", value)
                if (key == "types") types = value
                else if (key == "uris") uris = value
                else if (key == "suites") suites = value
                else if (key == "components") components = value
                else if (key == "signed-by") signed = value
                else if (key == "enabled") enabled = tolower(value)
            }
            END { flush() }' "$list"
    done
}

fetch_source() {
    mkdir -p "$aptdir/lists/partial" "$aptdir/cache/archives/partial" "$srcdir"
    source_lines >"$aptdir/sources.list"
    if [[ ! -s "$aptdir/sources.list" ]]; then
        echo "no Debian $codename entry in /etc/apt/sources.list*" >&2
        exit 1
    fi
    local apt_options=(
        -o "Dir::Etc::SourceList=$aptdir/sources.list"
        -o "Dir::Etc::SourceParts=-"
        -o "Dir::State::Lists=$aptdir/lists"
        -o "Dir::Cache=$aptdir/cache"
        -o "APT::Sandbox::User=root"
    )
    apt-get -q "${apt_options[@]}" update
    (cd "$srcdir" && apt-get -q "${apt_options[@]}" source --download-only libjpeg-turbo)
}

newest_tarball() {
    find "$srcdir" -maxdepth 1 -name 'libjpeg-turbo_*.orig.tar.*' 2>/dev/null | sort -V | tail -n 1
}

unpacked_source() {
    local tarball
    tarball=$(newest_tarball)
    if [[ -z "$tarball" ]]; then
        fetch_source >&2
        tarball=$(newest_tarball)
    fi
    local version
    version=$(basename "$tarball" | sed -E 's/^libjpeg-turbo_(.*)\.orig\.tar\..*$/\1/')
    local tree="$srcdir/libjpeg-turbo-$version"
    if [[ ! -f "$tree/CMakeLists.txt" ]]; then
        rm -rf "$tree"
        mkdir -p "$tree"
        tar -xf "$tarball" -C "$tree" --strip-components=1
    fi
    echo "$tree"
}

tree=$(unpacked_source)
builddir="$deps/libjpeg-turbo-build-$arch"
triplet="$arch-w64-mingw32"

# HAVE_THREAD_LOCAL=OFF: mingw-w64 has no native thread-local variables, and its emulated ones go
# through the posix thread runtime, which NviewLib.dll does without: on every load of the library
# it would keep state (a thread handle, an event, two semaphores, a TLS slot) that FreeLibrary
# never returns, and the program loads the library anew for every file. TurboJPEG's are the SIMD
# detection result, the same for every thread, and the error text, which NviewLib never reads.
rm -rf "$builddir"
cmake -S "$tree" -B "$builddir" \
    -DCMAKE_SYSTEM_NAME=Windows \
    -DCMAKE_SYSTEM_PROCESSOR="$processor" \
    -DCMAKE_C_COMPILER="$triplet-gcc-posix" \
    -DCMAKE_RC_COMPILER="$triplet-windres" \
    -DCMAKE_ASM_NASM_COMPILER=nasm \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$outdir" \
    -DENABLE_SHARED=OFF \
    -DENABLE_STATIC=ON \
    -DWITH_TURBOJPEG=ON \
    -DWITH_ARITH_ENC=OFF \
    -DWITH_ARITH_DEC=OFF \
    -DWITH_SIMD=ON \
    -DREQUIRE_SIMD=ON \
    -DHAVE_THREAD_LOCAL=OFF \
    -DCMAKE_C_FLAGS="$cflags"
cmake --build "$builddir" --target turbojpeg-static -j 2

# Only the library, its one header and its licences are needed, so they are copied rather than
# installed.
mkdir -p "$outdir/lib" "$outdir/include" "$outdir/licenses"
cp "$builddir/libturbojpeg.a" "$outdir/lib/libturbojpeg.a"
cp "$tree/turbojpeg.h" "$outdir/include/turbojpeg.h"
cp "$tree/LICENSE.md" "$tree/README.ijg" "$outdir/licenses/"
basename "$tree" | sed 's/^libjpeg-turbo-//' >"$outdir/licenses/VERSION"
echo "$recipe" >"$outdir/.complete"
echo "libjpeg-turbo $(basename "$tree") for $arch installed in $outdir"
