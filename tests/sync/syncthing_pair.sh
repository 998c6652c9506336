#!/bin/sh
# Two Syncthing instances on this machine sharing one folder between two
# local folders, as two computers of a user share their notes: loopback
# addresses only (no discovery, no relays, no NAT), static addresses, their
# own homes under <root>.
#     syncthing_pair.sh up <root> <folder A> <folder B>   starts both, returns once a
#                                                       file written in A shows in B
#     syncthing_pair.sh down <root>                     stops both
set -u
cmd="$1"; root="$2"
mkdir -p "$root"
exec >>"$root/pair.log" 2>&1
if [ "$cmd" = down ]; then
    for side in a b; do
        [ -f "$root/$side.pid" ] && kill "$(cat "$root/$side.pid")" 2>/dev/null
    done
    sleep 1
    for side in a b; do
        [ -f "$root/$side.pid" ] && kill -9 "$(cat "$root/$side.pid")" 2>/dev/null
        rm -f "$root/$side.pid"
    done
    exit 0
fi
folderA="$3"; folderB="$4"
mkdir -p "$folderA" "$folderB"
base=$((21000 + $$ % 4000 * 2))
id() {
    syncthing generate --home="$root/$1" --no-default-folder 2>&1 |
        sed -n 's/.*Device ID: *\([A-Z0-9-]*\).*/\1/p' | head -n 1
}
idA=$(id a); idB=$(id b)
[ -n "$idA" ] && [ -n "$idB" ] || { echo "syncthing generate failed" >&2; exit 1; }
config() { # home folder listenPort guiPort addressOfB
    cat >"$root/$1/config.xml" <<XML
<configuration version="36">
    <folder id="notes" label="notes" path="$2" type="sendreceive" rescanIntervalS="3600"
            fsWatcherEnabled="true" fsWatcherDelayS="1" ignorePerms="true" autoNormalize="true"
            maxConflicts="10" copyOwnershipFromParent="false" order="random">
        <device id="$idA"></device>
        <device id="$idB"></device>
        <minDiskFree unit="%">0</minDiskFree>
    </folder>
    <device id="$idA" name="a" compression="metadata"><address>tcp://127.0.0.1:$base</address></device>
    <device id="$idB" name="b" compression="metadata"><address>$5</address></device>
    <gui enabled="true" tls="false"><address>127.0.0.1:$4</address></gui>
    <options>
        <listenAddress>tcp://127.0.0.1:$3</listenAddress>
        <globalAnnounceEnabled>false</globalAnnounceEnabled>
        <localAnnounceEnabled>false</localAnnounceEnabled>
        <relaysEnabled>false</relaysEnabled>
        <natEnabled>false</natEnabled>
        <urAccepted>-1</urAccepted>
        <startBrowser>false</startBrowser>
        <crashReportingEnabled>false</crashReportingEnabled>
        <autoUpgradeIntervalH>0</autoUpgradeIntervalH>
        <minHomeDiskFree unit="%">0</minHomeDiskFree>
    </options>
</configuration>
XML
}
# Only B dials: two sides dialling each other at once lose their first
# connection to a timeout of 20 s.
config a "$folderA" "$base" $((base + 2)) dynamic
config b "$folderB" $((base + 1)) $((base + 3)) "tcp://127.0.0.1:$((base + 1))"
for side in a b; do
    STNODEFAULTFOLDER=1 nohup syncthing serve --home="$root/$side" --no-browser --no-restart \
        --logfile="$root/$side.log" >/dev/null 2>&1 &
    echo $! >"$root/$side.pid"
done
probe=".sync-probe-$$.txt"
echo ready >"$folderA/$probe"
for i in $(seq 1 300); do
    if [ -f "$folderB/$probe" ]; then
        rm -f "$folderA/$probe"
        exit 0
    fi
    sleep 0.2
done
echo "the two Syncthing instances did not sync within 60 s" >&2
exit 1
