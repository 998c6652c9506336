#!/bin/sh
# Makes the package as `make dist` does from the Windows build tree WIN,
# unpacks it into an empty folder, checks that it holds exactly the program,
# README.txt and the sample skins, and starts the program from there under
# Wine (Package.* of blackbox_tests): a broken package fails the tests.
set -e
WIN="$1"
SRC=$(cd "$(dirname "$0")/../.." && pwd)
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
ZIP=$(sh "$SRC/scripts/dist.sh" "$WIN" "$TMP/dist")
VERSION=$(cat "$WIN/generated/quivra_version.txt")
[ "$(basename "$ZIP")" = "quivra-$VERSION-win64.zip" ] || { echo "package named $ZIP"; exit 1; }

mkdir "$TMP/unpacked"
(cd "$TMP/unpacked" && cmake -E tar xf "$ZIP")
expected=$({
    echo ./README.txt
    echo ./quivra.exe
    for skin in "$SRC"/skins/*.asz; do echo "./Data/Skins/$(basename "$skin")"; done
} | LC_ALL=C sort)
held=$(cd "$TMP/unpacked" && find . -type f | LC_ALL=C sort)
if [ "$held" != "$expected" ]; then
    echo "The package holds:"; echo "$held"; echo "instead of:"; echo "$expected"
    exit 1
fi
grep -qF "$VERSION" "$TMP/unpacked/README.txt" || { echo "README.txt names no version $VERSION"; exit 1; }

out=$(QUIVRA_PACKAGE_DIR="Z:$TMP/unpacked" QUIVRA_PACKAGE_VERSION="$VERSION" \
    "$WIN/wine-emulator.sh" "$WIN/blackbox_tests.exe" --gtest_filter='Package.*' 2>&1) || {
    echo "$out"; exit 1
}
echo "$out"
# A test that was skipped or not found passes as well: this one must have run.
echo "$out" | grep -q '^\[       OK \] Package\.' || { echo "the package test did not run"; exit 1; }
