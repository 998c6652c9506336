#!/bin/sh
# Starts the program under Wine on the current display; without a display it
# runs it under Xvfb, calls its window in with a click on the one-pixel line
# it leaves at the screen's edge (as a user would), and saves a screenshot.
EXE="$1"; PREFIX="$2"; SHOT="$3"
export WINEPREFIX="$PREFIX" WINEDEBUG=-all LC_ALL=ru_RU.UTF-8
if [ -n "$DISPLAY" ] && xdpyinfo >/dev/null 2>&1; then
    exec /usr/lib/wine/wine64 "$EXE"
fi
export EXE SHOT
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    # The part of the main window (the X window named Quivra; the display is
    # this run s own) that lies on the screen: L T W H; false while none is.
    measure() {
        id=$(xdotool search --name "^Quivra$" 2>/dev/null | head -n 1)
        [ -n "$id" ] || return 1
        set -- $(xdotool getdisplaygeometry)
        SW=$1; SH=$2
        eval "$(xdotool getwindowgeometry --shell "$id")"
        L=$((X > 0 ? X : 0)); T=$((Y > 0 ? Y : 0))
        W=$(((X + WIDTH < SW ? X + WIDTH : SW) - L))
        H=$(((Y + HEIGHT < SH ? Y + HEIGHT : SH) - T))
    }
    # "line" while only the hidden window s line is on the screen, "shown"
    # when more of it is, "none" without a window on the screen.
    state() {
        if ! measure || [ "$W" -le 0 ] || [ "$H" -le 0 ]; then echo none
        elif [ "$W" -le 3 ] || [ "$H" -le 3 ]; then echo line
        else echo shown; fi
    }
    # Waits up to $1 tenths of a second for the state $2.
    wait_for() {
        i=0
        while [ "$(state)" != "$2" ]; do
            [ "$i" -lt "$1" ] || return 1
            sleep 0.1; i=$((i + 1))
        done
    }
    # Waits up to $1 tenths of a second until the window stops moving.
    wait_still() {
        i=0; was=""
        while [ "$i" -lt "$1" ]; do
            measure && now="$L $T $W $H" || now=""
            [ -n "$now" ] && [ "$now" = "$was" ] && return 0
            was=$now; sleep 0.2; i=$((i + 2))
        done
        return 1
    }
    /usr/lib/wine/wine64 "$EXE" &
    if wait_for 300 line && measure; then
        xdotool mousemove $((L + W / 2)) $((T + H / 2)) click 1
        wait_for 50 shown || echo "The window did not come in after a click on its line."
        # The mouse out of the way of hints; the slide and the paint done.
        xdotool mousemove $((SW - 1)) $((SH - 1))
        wait_still 50
        sleep 0.5
    else
        echo "No hidden window of the program appeared within 30 s."
    fi
    import -window root "$SHOT"
    /usr/lib/wine/wineserver -k
'
echo "Screenshot: $SHOT"
