#!/bin/sh
# Starts the program under Wine on the current display; without a display it
# runs it under Xvfb for a few seconds and saves a screenshot.
EXE="$1"; PREFIX="$2"; SHOT="$3"
export WINEPREFIX="$PREFIX" WINEDEBUG=-all LC_ALL=ru_RU.UTF-8
if [ -n "$DISPLAY" ] && xdpyinfo >/dev/null 2>&1; then
    exec /usr/lib/wine/wine64 "$EXE"
fi
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c "
    /usr/lib/wine/wine64 '$EXE' &
    sleep \${QUIVRA_RUN_SECONDS:-6}
    import -window root '$SHOT'
    /usr/lib/wine/wineserver -k
"
echo "Screenshot: $SHOT"
