#!/bin/sh
# Installs the Debian packages the build, the tests and the program need.
# Installs nothing when every package is already there. An entry "a|b" is
# there when either is, and installs a: LibreOffice Writer without its GUI
# reads the notes the program saves in the interop test, and a full Writer
# does as well (the two conflict, so a full one is not replaced).
set -e
PACKAGES="cmake make g++ googletest libbenchmark-dev \
g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev wine64 \
xvfb xauth x11-utils xdotool imagemagick clang-format clang-tidy locales libssl-dev syncthing \
libreoffice-writer-nogui|libreoffice-writer"
missing=""
installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}
for entry in $PACKAGES; do
    found=""
    for p in $(echo "$entry" | tr '|' ' '); do
        installed "$p" && found=1
    done
    [ -n "$found" ] || missing="$missing ${entry%%|*}"
done
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi
# Wine maps file names through the C library's locale: without a real
# ru_RU.UTF-8 locale, names outside ASCII cannot be created.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
    echo "Generating the ru_RU.UTF-8 locale"
    $SUDO sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
fi
