#!/usr/bin/env bash
# Chipwatch.dll exports exactly its seven functions, by undecorated name.
set -eu
dll="$CVL_BIN/Chipwatch.dll"
[ -f "$dll" ] || { echo "missing $dll"; exit 1; }
names=$(i686-w64-mingw32-objdump -p "$dll" |
  awk '/\[Ordinal\/Name Pointer\] Table/ {t=1; next} t && /^[ \t]*\[/ {print $NF} t && /^$/ {t=0}' | sort)
expected=$(printf '%s\n' GetFan GetFudgeFactor GetTemperature GetUnknown GetVoltage \
  InitialiseLM78 SetFudgeFactor | sort)
if [ "$names" != "$expected" ]; then
  echo "exports of Chipwatch.dll:"; echo "$names"
  echo "expected:"; echo "$expected"
  exit 1
fi
echo "Chipwatch.dll exports: $(echo $names)"
