# Sourced by the scripts that run the Windows builds under Wine. Debian's `wine` launcher always
# takes the 32-bit loader, which hosts without 32-bit support cannot execute, so every call here
# names the loader that matches the program's bitness.

wine_loader32=/usr/lib/wine/wine
wine_loader64=/usr/lib/wine/wine64

# The loader for a Windows program, from the machine field of its PE header; programs that are
# not files (wineboot, reg) run 64-bit, which every x86-64 host can.
wine_loader_for() {
    local exe=$1 offset machine
    if [ ! -f "$exe" ]; then
        echo "$wine_loader64"
        return
    fi
    offset=$(od -An -t u4 -j 60 -N 4 "$exe" | tr -d ' ')
    machine=$(od -An -t x2 -j $((offset + 4)) -N 2 "$exe" | tr -d ' ')
    case $machine in
        8664) echo "$wine_loader64" ;;
        014c) echo "$wine_loader32" ;;
        *) echo "wine_loader_for: $exe is not an x86 or x86-64 Windows program" >&2; return 1 ;;
    esac
}

# Whether this host executes 32-bit Linux programs: tried by running the 32-bit loader itself.
# On failure, the reason is left in wine32_failure.
host_runs_32bit() {
    local output
    output=$("$wine_loader32" --version 2>&1 >/dev/null) && return 0
    wine32_failure="$wine_loader32: ${output##*: }"
    return 1
}

# A private 64-bit prefix (it runs 32-bit programs too), made once.
wine_prefix_init() {
    [ -f "$WINEPREFIX/system.reg" ] && return
    mkdir -p "$WINEPREFIX"
    WINEARCH=win64 "$wine_loader64" wineboot --init >/dev/null 2>&1
    /usr/lib/wine/wineserver64 --wait
}

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
