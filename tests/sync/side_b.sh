#!/bin/sh
# Runs the sync driver in the other side's Wine prefix (its own wineserver),
# its output to a file:  side_b.sh <prefix> <driver.exe> <output file> <driver's arguments...>
prefix="$1"; driver="$2"; out="$3"; shift 3
export WINEPREFIX="$prefix" WINEDEBUG=-all LC_ALL=ru_RU.UTF-8
/usr/lib/wine/wineserver -p60 </dev/null >/dev/null 2>&1
/usr/lib/wine/wine64 "$driver" "$@" >"$out" 2>/dev/null
