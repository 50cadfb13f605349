# Sourced by test.sh and run.sh: which Windows builds this host runs end to end.
#   DHSU_E2E_BUILDS="win32 x86_64" (or one of them) forces the set; a forced build that cannot
#   run here fails loudly. Unset: x86_64 always, win32 too when the host runs 32-bit programs.
# Leaves the chosen builds in e2e_builds and, for a build left out, why in e2e_skipped.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

choose_e2e_builds() {
    e2e_builds=()
    e2e_skipped=""
    local runs32=yes
    host_runs_32bit || runs32=no
    if [ -n "${DHSU_E2E_BUILDS:-}" ]; then
        local build
        for build in ${DHSU_E2E_BUILDS//,/ }; do
            case $build in
                x86_64) ;;
                win32)
                    if [ $runs32 = no ]; then
                        echo "DHSU_E2E_BUILDS asks for win32, but this host cannot run it: $wine32_failure" >&2
                        return 1
                    fi ;;
                *) echo "DHSU_E2E_BUILDS: unknown build '$build' (win32, x86_64)" >&2; return 1 ;;
            esac
            e2e_builds+=("$build")
        done
        [ ${#e2e_builds[@]} -gt 0 ] || { echo "DHSU_E2E_BUILDS names no build" >&2; return 1; }
        return 0
    fi
    e2e_builds=(x86_64)
    if [ $runs32 = yes ]; then
        e2e_builds+=(win32)
    else
        e2e_skipped="win32 skipped: this host does not run 32-bit programs ($wine32_failure)"
    fi
}
