#!/usr/bin/env bash
# Configures and builds the three trees under ${CVL_BUILD_DIR:-build}:
#   win      the shipped binaries (MinGW-w64, win32 thread model) in win/bin
#   wintest  Windows test programs and stand-ins (MinGW-w64, posix thread model)
#   host     the portable core with its native tests; its CTest runs everything
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build=${CVL_BUILD_DIR:-$top/build}
mkdir -p "$build"
build=$(cd "$build" && pwd)

configure() {  # tree toolchain
  local dir=$build/$1
  if [ ! -f "$dir/build.ninja" ]; then
    local tc=()
    [ -n "$2" ] && tc=(-DCMAKE_TOOLCHAIN_FILE="$top/cmake/$2")
    cmake -S "$top" -B "$dir" -G Ninja -DCVL_TREE="$1" "${tc[@]}" \
      -DCMAKE_BUILD_TYPE=Release \
      -DCVL_WIN_DIR="$build/win" -DCVL_WINTEST_DIR="$build/wintest" -DCVL_WINE_ROOT="$build/wine" >/dev/null
  fi
}

configure win toolchain-mingw32-win32.cmake
configure wintest toolchain-mingw32-posix.cmake
configure host ""
for tree in win wintest host; do
  cmake --build "$build/$tree" -- -k 0
done
echo "Shipped binaries: $build/win/bin"
