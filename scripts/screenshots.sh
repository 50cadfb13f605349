#!/usr/bin/env bash
# Pictures of the main window and its three dialogs, taken under Wine in a virtual X display:
# docs/screenshots/main-window.png, new-folder.png, file-name.png and shutter-key.png; the main
# window at 150 % (main-window-150.png) and the shutter key list under a Japanese locale
# (key-list-ja.png).
#   scripts/screenshots.sh [build-dir]   (default: the x86_64 preset's build/x86_64)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

if [ "${1:-}" != --inside ]; then
    build=${1:-build/x86_64}
    if [ "$build" = build/x86_64 ]; then
        cmake --preset x86_64 >/dev/null
    fi
    cmake --build "$build" -j2 --target dhsu open_dialog
    exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --inside "$(cd "$build" && pwd)"
fi

build=$2
out=$root/docs/screenshots
source "$root/scripts/wine-env.sh"
mkdir -p "$out"

wine() { env "${wine_locale_env[@]}" "$(wine_loader_for "$1")" "$@"; }

shoot() {  # window name (for open_dialog), picture file name
    local geometry
    geometry=$(wine "$build/open_dialog.exe" "$1" | tr -d '\r')
    read -r left top width height <<<"$geometry"
    import -window root -crop "${width}x${height}+${left}+${top}" +repage "$out/$2"
    echo "$out/$2: ${width}x${height}"
}

# One start of the program in a prefix of the kind DHSU_WINE_DPI and DHSU_WINE_LOCALE ask for,
# apart from the tests' prefixes; then its pictures: pairs of window name and file name.
pass() {
    export WINEPREFIX
    WINEPREFIX=$build/screenshots-$(basename "$(wine_prefix_for "$build")")
    wine_locale_init "$build"
    wine_prefix_init
    # No window manager runs here: Wine draws the title bars itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    # First start: no stored settings, so the program shows its own folder.
    wine reg delete 'HKCU\Software\Tarnwick\DH ScreenShot Utility' /f >/dev/null 2>&1 || true
    # Installed where a user might put it, so the new-folder dialog shows a short parent folder.
    local run="$WINEPREFIX/drive_c/DH Screenshot Utility"
    mkdir -p "$run"
    cp "$build/dhsu.exe" "$run/"
    (cd "$run" && wine dhsu.exe) &
    local dhsu=$!
    while [ $# -gt 0 ]; do
        shoot "$1" "$2"
        shift 2
    done
    /usr/lib/wine/wineserver64 -k
    wait "$dhsu" 2>/dev/null || true
}

trap '/usr/lib/wine/wineserver64 -k 2>/dev/null || true' EXIT
pass main main-window.png new-folder new-folder.png file-name file-name.png \
    shutter-key shutter-key.png
DHSU_WINE_DPI=144 pass main main-window-150.png
DHSU_WINE_LOCALE=ja_JP pass key-list key-list-ja.png
