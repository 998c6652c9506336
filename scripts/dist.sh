#!/bin/sh
# Builds the portable package OUT/quivra-<version>-win64.zip from the Windows
# build tree WIN: quivra.exe, the sample skins in Data\Skins and README.txt.
# Only files of the source tree and the built program go in, never the
# build tree's Data folder, which holds what test runs of the program wrote.
# Prints the package's path.
set -e
WIN="$1"; OUT="$2"
SRC=$(cd "$(dirname "$0")/.." && pwd)
VERSION=$(cat "$WIN/generated/quivra_version.txt")
[ -n "$VERSION" ] && [ -f "$WIN/quivra.exe" ] || { echo "dist: build $WIN first" >&2; exit 1; }

STAGE=$(mktemp -d)
trap 'rm -rf "$STAGE"' EXIT
mkdir -p "$STAGE/Data/Skins" "$OUT"
# The symbols and debugging sections only help a debugger on this machine.
x86_64-w64-mingw32-strip -o "$STAGE/quivra.exe" "$WIN/quivra.exe"
cp "$SRC"/skins/*.asz "$STAGE/Data/Skins/"
# Notepad of Windows 7 reads UTF-8 by its byte-order mark and breaks lines
# only at CR LF.
{
    printf '\357\273\277'
    sed -e "s/@VERSION@/$VERSION/g" -e 's/$/\r/' "$SRC/docs/package/README.txt"
} >"$STAGE/README.txt"

ZIP="$(cd "$OUT" && pwd)/quivra-$VERSION-win64.zip"
rm -f "$ZIP"
(cd "$STAGE" && cmake -E tar cf "$ZIP" --format=zip quivra.exe README.txt Data)
echo "$ZIP"
