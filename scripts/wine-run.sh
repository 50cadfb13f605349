#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's private prefix (made once per build tree), with
# the loader its bitness needs. Used by ctest as the cross-compiling emulator; expects an X
# display (xvfb-run gives one). DHSU_WINE_DPI and DHSU_WINE_LOCALE pick a prefix of their own
# (see wine-env.sh).
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
exe=$1
shift
build_dir=${DHSU_BUILD_DIR:-$(cd "$(dirname "$exe")" && while [ ! -f CMakeCache.txt ] && [ "$PWD" != / ]; do cd ..; done; pwd)}
export WINEPREFIX=${WINEPREFIX:-$(wine_prefix_for "$build_dir")}
wine_locale_init "$build_dir"
wine_prefix_init
WINELOADER=$(wine_loader_for "$exe")
export WINELOADER
exec env "${wine_locale_env[@]}" "$WINELOADER" "$exe" "$@"
