#!/usr/bin/env bash
# Installs what building and testing need on Debian 12 or 13, only what is missing.
set -euo pipefail

packages=(
    cmake g++ make pkg-config googletest libgtest-dev
    mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix nasm
    libturbojpeg0-dev libjpeg-turbo-progs clang
    wine wine32:i386 wine64 xvfb xauth x11-utils imagemagick fonts-liberation unzip
    locales fonts-ipafont-gothic
)

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "ok installed"
}

# clang's run-time libraries (libFuzzer, the sanitizers) go by the release's default clang where
# it has such a package, and by the clang version it offers otherwise.
clang_runtime_names() {
    echo libclang-rt-dev
    local version
    version=$(apt-cache policy clang 2>/dev/null | sed -n 's/^ *Candidate: *\([0-9]*:\)\?\([0-9]*\).*/\2/p')
    [ -n "$version" ] && echo "libclang-rt-$version-dev"
    return 0
}

# The first of the names that apt-cache offers.
choose() {
    local name
    for name in "$@"; do
        apt-cache show "$name" >/dev/null 2>&1 && { echo "$name"; return; }
    done
    echo "install-deps.sh: this release offers none of: $*" >&2
    return 1
}

missing=()
for package in "${packages[@]}"; do
    installed "$package" || missing+=("$package")
done
# Whichever clang's run-time libraries are installed will do.
runtime_status=$(dpkg-query -W -f='${Status}\n' 'libclang-rt-*dev' 2>/dev/null) || true
grep -q "ok installed" <<<"$runtime_status" && runtime=yes || runtime=""
[ ${#missing[@]} -eq 0 ] && [ -n "$runtime" ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
# 32-bit Wine runs the 32-bit program.
dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
$sudo apt-get update -q
if [ -z "$runtime" ]; then
    mapfile -t runtime_names < <(clang_runtime_names)
    missing+=("$(choose "${runtime_names[@]}")")
fi
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
