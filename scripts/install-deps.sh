#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, only what is missing.
set -euo pipefail

packages=(
    cmake g++ make pkg-config googletest libgtest-dev
    mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix nasm
    libturbojpeg0-dev libjpeg-turbo-progs clang libclang-rt-14-dev
    wine wine32:i386 wine64 xvfb xauth x11-utils imagemagick fonts-liberation unzip
    locales fonts-ipafont-gothic
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
# 32-bit Wine runs the 32-bit program.
dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
