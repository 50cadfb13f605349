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

# Booting a prefix takes Wine half a minute or more, so one is booted once per checkout and each
# build tree's and variant's prefix begins as a copy of it.
wine_booted_prefix=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wineprefix-booted

wine_boot_once() {
    (
        flock 9
        [ -f "$wine_booted_prefix/system.reg" ] && exit 0
        rm -rf "$wine_booted_prefix"
        mkdir -p "$wine_booted_prefix"
        export WINEPREFIX=$wine_booted_prefix
        local status=0
        WINEARCH=win64 "$wine_loader64" wineboot --init >"$WINEPREFIX/wineboot.log" 2>&1 || status=$?
        /usr/lib/wine/wineserver64 --wait || status=$?
        exit $status
    ) 9>"$wine_booted_prefix.lock"
}

# Wine's own binaries, directly in system32 and syswow64, are nine tenths of a prefix's 1.3 GB and
# are written only when Wine updates the prefix to a new version: the copy shares them as hard
# links. Every other file, the registry among them, is a copy of its own.
wine_prefix_copy() {
    local copy=$1
    cp -al "$wine_booted_prefix" "$copy"
    (cd "$wine_booted_prefix" &&
        find . -type f ! -regex '\./drive_c/windows/sys\(tem32\|wow64\)/[^/]*' -print0 |
        xargs -0 -r cp -p --parents --remove-destination -t "$copy")
}

# A private 64-bit prefix (it runs 32-bit programs too), made once. With DHSU_WINE_DPI set
# (e.g. 144 for 150 %) the prefix's screen has that DPI. A step that fails is told in Wine's own
# words (kept in wineboot.log) instead of ending the run in silence; whether the prefix works is
# then for the program run in it to show.
wine_prefix_init() {
    [ -f "$WINEPREFIX/system.reg" ] && return
    local log=$WINEPREFIX/wineboot.log status=0
    mkdir -p "$(dirname "$WINEPREFIX")"
    wine_boot_once || status=$?
    rm -rf "$WINEPREFIX" "$WINEPREFIX.copy"
    wine_prefix_copy "$WINEPREFIX.copy"
    mv "$WINEPREFIX.copy" "$WINEPREFIX"
    if [ -n "${DHSU_WINE_DPI:-}" ]; then
        "$wine_loader64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
            /d "$DHSU_WINE_DPI" /f >>"$log" 2>&1 || status=$?
        /usr/lib/wine/wineserver64 --wait || status=$?
    fi
    if [ "$status" -ne 0 ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "wine_prefix_init: making $WINEPREFIX ended with status $status:" >&2
        tail -n 30 "$log" >&2
    fi
}

# The prefix directory for a build tree: the default one, or one of its own for each variant
# (DHSU_WINE_DPI, DHSU_WINE_LOCALE), so a variant never disturbs the default prefix. A shard of
# the end-to-end suite that runs beside others (DHSU_E2E_SHARD) has a set of its own.
wine_prefix_for() {
    local build_dir=$1 name=wineprefix
    [ -n "${DHSU_WINE_DPI:-}" ] && name+=-dpi$DHSU_WINE_DPI
    [ -n "${DHSU_WINE_LOCALE:-}" ] && name+=-$DHSU_WINE_LOCALE
    [ -n "${DHSU_E2E_SHARD:-}" ] && name+=-shard$DHSU_E2E_SHARD
    echo "$build_dir/$name"
}

# Wine takes the Windows user locale from the Unix one its process starts in. DHSU_WINE_LOCALE
# (e.g. ja_JP) is compiled into the build tree, since Debian ships few locales ready; the
# environment that puts it in force is left in wine_locale_env, for `env` to start Wine with.
wine_locale_init() {
    local build_dir=$1
    wine_locale_env=()
    [ -n "${DHSU_WINE_LOCALE:-}" ] || return 0
    local locales=$build_dir/locales name=$DHSU_WINE_LOCALE.UTF-8
    mkdir -p "$locales"
    # Shards of a suite share the build tree's locales: one compiles, the others wait for it.
    (
        flock 9
        [ -f "$locales/$name/LC_CTYPE" ] ||
            localedef -i "$DHSU_WINE_LOCALE" -f UTF-8 "$locales/$name"
    ) 9>"$locales/$name.lock"
    wine_locale_env=(LOCPATH="$locales" LANG="$name" LC_ALL="$name")
}

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
