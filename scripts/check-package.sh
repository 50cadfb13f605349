#!/usr/bin/env bash
# What a player's ZIP must hold, whichever compiler made it: exactly the five files, notices
# that carry libjpeg-turbo's version and licences with the IJG terms (and each further pattern
# given, such as the libraries that only one compiler's runtime links in), and in dhsu.exe a
# manifest that asks to run as invoked: without it, Windows runs a 32-bit program unzipped
# under Program Files with its files redirected to the user's VirtualStore folder.
# Needs only bash, unzip, grep, sed and tr, so it runs on Linux and in Git's bash on Windows.
#   scripts/check-package.sh dhsu-<version>-<win32|win64>.zip [notice-pattern...]
set -euo pipefail
zip=${1:?usage: $0 dhsu-<version>-<platform>.zip [notice-pattern...]}
shift
name=$(basename "$zip" .zip)
fail() {
    echo "$name.zip: $*" >&2
    exit 1
}

expected=$(printf "$name/%s\n" LICENSE NviewLib.dll README.txt THIRD-PARTY-NOTICES.txt dhsu.exe |
    sort)
contents=$(unzip -Z1 "$zip" | sort)
[ "$contents" = "$expected" ] || fail "holds" $contents "; expected:" $expected

notices=$(unzip -p "$zip" "$name/THIRD-PARTY-NOTICES.txt" | tr -d '\r')
for pattern in 'libjpeg-turbo [0-9]+\.[0-9]+' 'The Modified \(3-clause\) BSD License' \
    'In legalese:' 'based in part on the work of the Independent JPEG Group' "$@"; do
    grep -Eq "$pattern" <<<"$notices" || fail "THIRD-PARTY-NOTICES.txt has no '$pattern'"
done

# The manifest is plain XML among the resources; NUL bytes end the lines around it.
manifest=$(unzip -p "$zip" "$name/dhsu.exe" | LC_ALL=C tr '\0' '\n' |
    LC_ALL=C sed -n '/<assembly /,/<\/assembly>/p')
[ -n "$manifest" ] || fail "dhsu.exe has no manifest"
flat=$(tr -s ' \n\r\t' ' ' <<<"$manifest" | sed 's/> </></g')
trust='<trustInfo xmlns="urn:schemas-microsoft-com:asm.v3"><security><requestedPrivileges>'
trust+='<requestedExecutionLevel level="asInvoker" uiAccess="false"/></requestedPrivileges>'
trust+='</security></trustInfo>'
grep -qF "$trust" <<<"$flat" || fail "dhsu.exe's manifest has no trustInfo asking to run as invoked"
echo "$name.zip: the five files, the notices and the manifest are right"
