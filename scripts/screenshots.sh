#!/bin/sh
# Takes the documentation screenshots of the main window at 96 DPI and stores
# them as PNG files in docs/screenshots. With --check as the fourth argument
# nothing is stored: each new picture is compared with the one of the same
# name in OUT, and the script fails when a picture is missing, has another
# size or differs in more than a few pixels.
set -e
WIN="$1"; PREFIX="$2"; OUT="$3"; MODE="$4"
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
export WINEPREFIX="$PREFIX" WINEDEBUG=-all LC_ALL=ru_RU.UTF-8
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c "
    QUIVRA_SCREENSHOTS='Z:$TMP' '$WIN/wine-emulator.sh' '$WIN/ui_tests.exe' --gtest_filter='Screenshots*' >/dev/null
    /usr/lib/wine/wineserver -k
"
if [ "$MODE" != "--check" ]; then
    mkdir -p "$OUT"
    for f in "$TMP"/*.bmp; do
        convert "$f" "$OUT/$(basename "${f%.bmp}").png"
    done
    ls "$OUT"
    exit 0
fi
# Pixels that may differ (the caret's blink, a hint's shade) before a picture
# counts as changed.
ALLOWED=${QUIVRA_SCREENSHOT_PIXELS:-40}
failed=0
taken=0
for f in "$TMP"/*.bmp; do
    [ -e "$f" ] || break
    taken=$((taken + 1))
    name=$(basename "${f%.bmp}")
    ref="$OUT/$name.png"
    if [ ! -e "$ref" ]; then
        echo "$name: no committed picture $ref"; failed=1; continue
    fi
    new="$TMP/$name.png"
    convert "$f" "$new"
    if [ "$(identify -format '%wx%h' "$new")" != "$(identify -format '%wx%h' "$ref")" ]; then
        echo "$name: $(identify -format '%wx%h' "$new") against $(identify -format '%wx%h' "$ref")"
        failed=1; continue
    fi
    diff=$(compare -metric AE -fuzz 2% "$new" "$ref" null: 2>&1 || true)
    diff=${diff%% *}
    echo "$name: $diff pixels differ"
    if [ "${diff%.*}" -gt "$ALLOWED" ] 2>/dev/null || ! [ "${diff%.*}" -ge 0 ] 2>/dev/null; then
        failed=1
    fi
done
if [ "$taken" -eq 0 ]; then
    echo "no screenshots were taken"; exit 1
fi
[ "$failed" -eq 0 ] || echo "pictures differ: make screenshots takes them again"
exit "$failed"
