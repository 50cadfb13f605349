#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's private prefix (made once per build tree).
# Used by ctest as the cross-compiling emulator; expects an X display (xvfb-run gives one).
set -euo pipefail
exe=$1
shift
build_dir=${DHSU_BUILD_DIR:-$(cd "$(dirname "$exe")" && while [ ! -f CMakeCache.txt ] && [ "$PWD" != / ]; do cd ..; done; pwd)}
export WINEPREFIX=${WINEPREFIX:-$build_dir/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    wineserver --wait
fi
exec wine "$exe" "$@"
