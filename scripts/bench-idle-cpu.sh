#!/bin/sh
# CPU used by a program sitting idle under Wine: the program's own process
# and the Wine server, over a number of seconds, as a share of one core.
#     scripts/bench-idle-cpu.sh <exe> <seconds> <label>
# The exe is started in a fresh copy of its folder; after a few seconds of
# settling (the first slide-out, the keeper of the hidden window starts) the
# jiffies of both processes are read from /proc before and after the period.
EXE="$1"; SECONDS_IDLE="${2:-60}"; LABEL="${3:-$(basename "$1")}"
WINE=/usr/lib/wine/wine64
DIR=$(mktemp -d)
cp "$EXE" "$DIR/"
NAME=$(basename "$EXE")
$WINE "$DIR/$NAME" </dev/null >/dev/null 2>&1 &
sleep 5
ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
PROGRAM=$(pgrep -f "$DIR/$NAME" | head -n 1)
# The server of this prefix works in a folder named after the prefix's device
# and inode; other prefixes may have servers of their own.
SERVERDIR=$(printf 'server-%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))
SERVER=""
for pid in $(pgrep wineserver); do
    case "$(readlink "/proc/$pid/cwd")" in */$SERVERDIR) SERVER=$pid ;; esac
done
if [ -z "$PROGRAM" ] || [ -z "$SERVER" ]; then
    echo "$LABEL: the program or the Wine server is not running" >&2
    rm -rf "$DIR"
    exit 1
fi
P0=$(ticks "$PROGRAM"); S0=$(ticks "$SERVER")
sleep "$SECONDS_IDLE"
P1=$(ticks "$PROGRAM"); S1=$(ticks "$SERVER")
HZ=$(getconf CLK_TCK)
awk -v p=$((P1 - P0)) -v s=$((S1 - S0)) -v hz="$HZ" -v t="$SECONDS_IDLE" -v label="$LABEL" \
    'BEGIN { printf "%s idle over %d s: program %.2f%%, Wine server %.2f%%, together %.2f%% of a core\n",
             label, t, 100 * p / hz / t, 100 * s / hz / t, 100 * (p + s) / hz / t }'
kill "$PROGRAM" 2>/dev/null
sleep 1
rm -rf "$DIR"
