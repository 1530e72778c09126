#!/usr/bin/env bash
# A shipped DLL exports exactly the named functions, by undecorated name.
#   check-exports.sh Chipwatch.dll InitialiseLM78 GetTemperature ...
set -eu
dll="$CVL_BIN/$1"
shift
[ -f "$dll" ] || { echo "missing $dll"; exit 1; }
names=$(i686-w64-mingw32-objdump -p "$dll" |
  awk '/\[Ordinal\/Name Pointer\] Table/ {t=1; next} t && /^[ \t]*\[/ {print $NF} t && /^$/ {t=0}' | sort)
expected=$(printf '%s\n' "$@" | sort)
if [ "$names" != "$expected" ]; then
  echo "exports of $dll:"; echo "$names"
  echo "expected:"; echo "$expected"
  exit 1
fi
echo "$(basename "$dll") exports: $(echo $names)"
