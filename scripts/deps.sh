#!/usr/bin/env bash
# Installs what building and testing need on Debian 12 (run as root).
# Quick when everything is already present.
set -eu
need=()
have() { command -v "$1" >/dev/null 2>&1; }
have i686-w64-mingw32-g++-win32 || need+=(mingw-w64 g++-mingw-w64-i686)
have cmake || need+=(cmake)
have ninja || need+=(ninja-build)
have g++ || need+=(g++)
have make || need+=(make)   # the plug-in kit's template is built by its Makefile
have Xvfb || need+=(xvfb)
have xauth || need+=(xauth)
have makensis || need+=(nsis)
have flock || need+=(util-linux)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
[ -f /usr/include/benchmark/benchmark.h ] || need+=(libbenchmark-dev)
if ! have wine || ! dpkg -s wine32:i386 >/dev/null 2>&1; then
  need+=(wine wine32:i386 wine64)
fi
[ ${#need[@]} -eq 0 ] && exit 0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${need[@]}"
