#!/bin/sh
# Installs what building, running, testing and releasing need on Debian 12.
# Safe to run again: it only calls apt-get when a package is missing.
#
# 32-bit code runs on some machines of this kind and not on others (a kernel
# setting). The i386 C library is installed everywhere, and its loader tells
# which kind this is (scripts/lib/runs-32-bit). Only where 32-bit code runs
# is 32-bit Wine installed: elsewhere /usr/bin/wine would pick it and fail.
# The scripts always call 64-bit Wine by its own name, so it works on both.
set -eu
cd "$(dirname "$0")/.."

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi

missing_of() {
    missing=""
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing="$missing $package"
        fi
    done
    echo "$missing"
}

install() {
    missing=$(missing_of "$@")
    if [ -n "$missing" ]; then
        echo "Installing:$missing"
        $sudo apt-get update -q
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends $missing
    fi
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi

install cmake ninja-build \
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 \
  googletest \
  wine wine64 fonts-wine \
  xvfb xauth x11-utils imagemagick \
  python3 \
  libc6:i386

if scripts/lib/runs-32-bit; then
    install wine32:i386
fi
