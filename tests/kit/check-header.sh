#!/usr/bin/env bash
# The kit's header compiles without a warning as C89 and as C++ (C++98 and
# C++17), alone and after <windows.h>, with the MinGW compilers authors use;
# as C89 also with the host compiler, which is not a Windows compiler.
set -u
src=${CVL_SOURCE:?CVL_SOURCE must name the source tree}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
warnings="-Wall -Wextra -pedantic -Werror"

printf '#include "CvlPlugin.h"\nint cvl_unused;\n' > "$work/alone.c"
printf '#include <windows.h>\n#include "CvlPlugin.h"\nCVL_BITMAP CVL_CALL SensorIcon(void) { return (HBITMAP)0; }\n' > "$work/windows.c"

compile() {  # compiler language standard file
  if "$1" -x "$2" -std="$3" $warnings -I"$src/sdk" -c "$work/$4" -o "$work/out.o"; then
    echo "ok: $1 -std=$3 $4"
  else
    echo "FAIL: $1 -std=$3 $4"
    fail=1
  fi
}
for file in alone.c windows.c; do
  compile i686-w64-mingw32-gcc c c89 "$file"
  compile i686-w64-mingw32-g++ c++ c++98 "$file"
  compile i686-w64-mingw32-g++ c++ c++17 "$file"
done
compile gcc c c89 alone.c
exit $fail
