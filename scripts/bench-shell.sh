#!/bin/sh
# Runs the shell timing programs (bench/shell) under Wine and prints their
# figures: start-up time, opening, leaving and saving a big note, listing a
# big notes folder, slides, a search keystroke, the search across all notes, a
# whole-note encryption and the 50 ms refresh tick.
# Called by `make bench` inside Xvfb:
#     scripts/bench-shell.sh <Windows build folder> <Wine prefix>
# Like the tests' wine-emulator.sh it starts a persistent wineserver first, so
# the programs do not wait for the prefix's services to start and stop.
BIN="$1"; PREFIX="$2"
if [ -z "$BIN" ] || [ -z "$PREFIX" ]; then
    echo "usage: $0 <build/win folder> <wineprefix>" >&2
    exit 2
fi
BIN=$(cd "$BIN" && pwd) || exit 1
mkdir -p "$PREFIX" && PREFIX=$(cd "$PREFIX" && pwd) || exit 1
export WINEPREFIX="$PREFIX" WINEDEBUG=-all LC_ALL=ru_RU.UTF-8
WINE=/usr/lib/wine/wine64
SERVER=/usr/lib/wine/wineserver
if $SERVER -p60 </dev/null >/dev/null 2>&1; then
    $WINE wineboot </dev/null >/dev/null 2>&1
fi
ERRORS=$(mktemp)
rc=0
for program in startup_bench startup_phases_bench open_note_bench leave_note_bench enumerate_notes_bench slide_bench save_note_bench search_bench all_notes_search_bench note_encryption_bench refresh_bench; do
    echo
    if [ ! -f "$BIN/$program.exe" ]; then
        echo "$program: $BIN/$program.exe is missing" >&2
        rc=1
        continue
    fi
    # Wine reports every look at the Z: drive's volume label (the program's
    # folder tree reads the drives); that line is noise here.
    if ! $WINE "$BIN/$program.exe" </dev/null 2>"$ERRORS"; then
        echo "$program failed" >&2
        rc=1
    fi
    grep -v 'FS volume label and serial are not available' "$ERRORS" >&2
done
rm -f "$ERRORS"
# The hidden program with the keeper of its one-pixel line running, beside
# the minimal window program (the platform's floor).
echo
IDLE=${QUIVRA_IDLE_SECONDS:-60}
"$(dirname "$0")/bench-idle-cpu.sh" "$BIN/quivra.exe" "$IDLE" "quivra.exe (hidden)" || rc=1
"$(dirname "$0")/bench-idle-cpu.sh" "$BIN/minimal_window.exe" "$IDLE" "minimal window" || rc=1
$SERVER -k
exit $rc
