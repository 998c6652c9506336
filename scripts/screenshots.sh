#!/bin/sh
# Takes the documentation screenshots and stores them as PNG files in
# docs/screenshots: every picture at 96 DPI, and the main window's pages once
# more on a screen scaled to 150% (144 DPI, files ending in "-144dpi"). The
# scale is the prefix's LogPixels, set for the second run only and put back
# as it was afterwards (also when the run fails).
# With --check as the fourth argument nothing is stored: each new picture at
# 96 DPI is compared with the one of the same name in OUT, and the script
# fails when a picture is missing, has another size or differs in more than
# a few pixels.
set -e
WIN="$1"; PREFIX="$2"; OUT="$3"; MODE="$4"
TMP=$(mktemp -d)
export WINEPREFIX="$PREFIX" WINEDEBUG=-all LC_ALL=ru_RU.UTF-8
WINE=/usr/lib/wine/wine64
USER_KEY='HKCU\Control Panel\Desktop'
MACHINE_KEY='HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'

# The value of LogPixels under a key as `reg add` takes it, or nothing.
log_pixels() {
    $WINE reg query "$1" /v LogPixels 2>/dev/null | tr -d '\r' |
        awk '$1 == "LogPixels" { print $3 }'
}
set_log_pixels() { # key value (empty: delete)
    if [ -n "$2" ]; then
        $WINE reg add "$1" /v LogPixels /t REG_DWORD /d "$(printf '%d' "$2")" /f >/dev/null 2>&1
    else
        $WINE reg delete "$1" /v LogPixels /f >/dev/null 2>&1 || true
    fi
}

shots() { # folder filter
    xvfb-run -a -s "-screen 0 1280x1024x24" sh -c "
        QUIVRA_SCREENSHOTS='Z:$1' '$WIN/wine-emulator.sh' '$WIN/ui_tests.exe' --gtest_filter='$2' >/dev/null
        /usr/lib/wine/wineserver -k
    "
}

# Every picture taken now compared with the committed one of its name.
check() {
    # Pixels that may differ (the caret's blink, a hint's shade) before a
    # picture counts as changed.
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
        echo "no screenshots were taken"; return 1
    fi
    [ "$failed" -eq 0 ] || echo "pictures differ: make screenshots takes them again"
    return "$failed"
}

if [ "$MODE" = "--check" ]; then
    trap 'rm -rf "$TMP"' EXIT
    shots "$TMP" 'Screenshots*'
    check
    exit $?
fi

mkdir -p "$OUT"
shots "$TMP" 'Screenshots*'
mkdir "$TMP/144"
SAVED_USER=$(log_pixels "$USER_KEY")
SAVED_MACHINE=$(log_pixels "$MACHINE_KEY")
restore() {
    set_log_pixels "$USER_KEY" "$SAVED_USER"
    set_log_pixels "$MACHINE_KEY" "$SAVED_MACHINE"
    /usr/lib/wine/wineserver -w
}
trap restore EXIT
set_log_pixels "$USER_KEY" 144
set_log_pixels "$MACHINE_KEY" 144
/usr/lib/wine/wineserver -w
shots "$TMP/144" 'Screenshots.MainWindowPages'

for f in "$TMP"/*.bmp; do
    convert "$f" "$OUT/$(basename "${f%.bmp}").png"
done
for f in "$TMP"/144/*.bmp; do
    convert "$f" "$OUT/$(basename "${f%.bmp}")-144dpi.png"
done
rm -rf "$TMP"
ls "$OUT"
