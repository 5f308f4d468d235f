#!/bin/sh
# Installs what building, running and testing need on Debian 12. Safe to run
# again: it only calls apt-get when a package is missing.
#
# Only 64-bit Wine is installed. Machines without 32-bit support cannot run
# 32-bit Wine, and with wine32 present /usr/bin/wine would pick it and fail.
set -eu

packages="cmake ninja-build
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  googletest
  wine wine64 fonts-wine
  xvfb xauth x11-utils imagemagick"

missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done

if [ -n "$missing" ]; then
    echo "Installing:$missing"
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends $missing
fi
