#!/bin/sh
# Takes the documentation screenshots and stores them as PNG files in
# docs/screenshots: every picture at 96 DPI, and the main window's pages once
# more on a screen scaled to 150% (144 DPI, files ending in "-144dpi"). The
# scale is the prefix's LogPixels, set for the second run only and put back
# as it was afterwards (also when the run fails).
set -e
WIN="$1"; PREFIX="$2"; OUT="$3"
mkdir -p "$OUT"
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
