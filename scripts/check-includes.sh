#!/usr/bin/env bash
# Fails on an #include against the grain: a folder of the program includes only from the folders
# its line in cmake/layers.txt names (the build links it to those alone). tests/ and bench/ may
# include anything; any other folder with sources needs a line. It reads the sources git knows
# of, committed or not (but not ignored), and needs no build.
#   scripts/check-includes.sh
set -euo pipefail
cd "$(dirname "$0")/.."
table=cmake/layers.txt
free_folders=" tests bench "

declare -A may_include
while read -r folder lower; do
    may_include[$folder]=" $folder $lower "
done < <(grep '^[a-z]' "$table")

mapfile -t sources < <(git ls-files --cached --others --exclude-standard \
    '*.h' '*.hpp' '*.c' '*.cpp' '*.rc' | grep /)
failures=0
fail() {
    echo "check-includes: $*" >&2
    failures=$((failures + 1))
}

for source in "${sources[@]}"; do
    folder=${source%%/*}
    [[ $free_folders == *" $folder "* || -n ${may_include[$folder]:-} ]] ||
        fail "$source: its folder $folder/ has no line in $table"
done

# Each include whose path starts with a folder of the repository, as "file:line:path".
while IFS=: read -r source line included; do
    folder=${source%%/*}
    included_folder=${included%%/*}
    allowed=${may_include[$folder]:-}
    [[ -z $allowed || ! -d $included_folder || $allowed == *" $included_folder "* ]] && continue
    read -ra names <<<"$allowed"
    fail "$source:$line: includes $included, but $folder/ may include only from$(
        printf ' %s/' "${names[@]}")"
done < <(grep -HnoE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<][^">]*/[^">]*' \
    -- "${sources[@]}" | sed -E 's/:[[:space:]]*#[[:space:]]*include[[:space:]]*["<]/:/')

if [ $failures -gt 0 ]; then
    echo "check-includes: $failures failure(s); the folders and what they may include: $table" >&2
    exit 1
fi
echo "check-includes: every include of ${#sources[@]} sources goes along $table"
