#!/bin/sh
# Takes the documentation screenshots of the main window at 96 DPI and stores
# them as PNG files in docs/screenshots.
set -e
WIN="$1"; PREFIX="$2"; OUT="$3"
mkdir -p "$OUT"
TMP=$(mktemp -d)
export WINEPREFIX="$PREFIX" WINEDEBUG=-all LC_ALL=ru_RU.UTF-8
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c "
    QUIVRA_SCREENSHOTS='Z:$TMP' '$WIN/wine-emulator.sh' '$WIN/ui_tests.exe' --gtest_filter='Screenshots*' >/dev/null
    /usr/lib/wine/wineserver -k
"
for f in "$TMP"/*.bmp; do
    convert "$f" "$OUT/$(basename "${f%.bmp}").png"
done
rm -rf "$TMP"
ls "$OUT"
