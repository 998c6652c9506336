#!/bin/sh
# Prepares the private Wine prefix used by the tests and by `make run`:
# no crash debugger (a crash would hang in winedbg), unmanaged windows (hiding a
# managed window takes seconds). Must run under the X server the tests use.
set -e
PREFIX="$1"
[ -f "$PREFIX/.quivra-ready" ] && exit 0
export WINEPREFIX="$PREFIX" WINEDEBUG=-all LC_ALL=ru_RU.UTF-8
mkdir -p "$PREFIX"
WINE=/usr/lib/wine/wine64
$WINE wineboot -i >/dev/null 2>&1 || true
$WINE reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d false /f >/dev/null 2>&1
$WINE reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 0 /f >/dev/null 2>&1
$WINE reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
$WINE reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
/usr/lib/wine/wineserver -w
touch "$PREFIX/.quivra-ready"
