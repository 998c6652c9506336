#!/bin/sh
# Installs the Debian packages the build, the tests and the program need.
# Installs nothing when every package is already there.
set -e
PACKAGES="cmake make g++ googletest libbenchmark-dev \
g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev wine64 \
xvfb xauth x11-utils xdotool imagemagick clang-format"
missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
