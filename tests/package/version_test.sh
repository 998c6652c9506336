#!/bin/sh
# The version cmake/version.cmake gives the build, for the histories and
# source archives a build meets: the text (program, resource, package name)
# and the resource's four numbers.
SRC=$(cd "$(dirname "$0")/../.." && pwd)
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
failed=0

# check <case> <source folder> <expected text> <expected numbers>
check() {
    rm -rf "$TMP/out"
    cmake -DSOURCE_DIR="$2" -DOUTPUT_DIR="$TMP/out" -DFALLBACK=0.1.0 \
        -P "$SRC/cmake/version.cmake" || { echo "$1: the script failed"; failed=1; return; }
    text=$(cat "$TMP/out/quivra_version.txt")
    numbers=$(sed -n 's/^#define QUIVRA_VERSION_NUMBERS //p' "$TMP/out/quivra_version.h")
    header=$(sed -n 's/^#define QUIVRA_VERSION_TEXT "\(.*\)"$/\1/p' "$TMP/out/quivra_version.h")
    if [ "$text" != "$3" ] || [ "$header" != "$3" ] || [ "$numbers" != "$4" ]; then
        echo "$1: got \"$text\" (header \"$header\") $numbers, expected \"$3\" $4"
        failed=1
    else
        echo "$1: $text $numbers"
    fi
}

# A source archive: the VERSION file, cleaned of what a file name or a
# C string cannot hold; without one the project's version.
mkdir "$TMP/archive"
printf 'v2.0\n' >"$TMP/archive/VERSION"
check "VERSION file" "$TMP/archive" "2.0" "2,0,0,0"
printf 'release/1.0 "beta"\n' >"$TMP/archive/VERSION"
check "VERSION file with a path and quotes" "$TMP/archive" "release-1.0--beta-" "0,1,0,0"
rm "$TMP/archive/VERSION"
check "no history, no VERSION file" "$TMP/archive" "0.1.0" "0,1,0,0"

if command -v git >/dev/null; then
    repo="$TMP/repo"
    git init -q "$repo"
    commit() {
        echo "$1" >>"$repo/file"
        git -C "$repo" add file
        git -C "$repo" -c user.name=t -c user.email=t@t commit -q -m "$1"
    }
    commit one
    # A history without tags: the project's version and the commit. A VERSION
    # file beside a history is not read.
    echo 9.9 >"$repo/VERSION"
    hash=$(git -C "$repo" rev-parse --short HEAD)
    check "untagged history" "$repo" "0.1.0-g$hash" "0,1,0,0"
    rm "$repo/VERSION"
    git -C "$repo" tag v1.2.3
    check "on a tag" "$repo" "1.2.3" "1,2,3,0"
    commit two; commit three; commit four; commit five
    hash=$(git -C "$repo" rev-parse --short HEAD)
    check "four commits after a tag" "$repo" "1.2.3-4-g$hash" "1,2,3,4"
    echo change >>"$repo/file"
    check "changed files" "$repo" "1.2.3-4-g$hash-dirty" "1,2,3,4"
else
    echo "git not installed: the histories are not tried"
fi
exit $failed
