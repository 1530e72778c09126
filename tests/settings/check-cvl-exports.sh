#!/usr/bin/env bash
# The export table of the shipped cvl.dll: ordinal 1 named "1", ordinal 3
# named "ShowAbout", ordinal 4 named "4", nothing else; and a program built
# with the import library binds ordinals 3 and 4 of cvl.dll, not names.
set -u
dll=$CVL_BIN/cvl.dll
client=$CVL_TESTBIN/cvl_ordinal_client.exe
objdump=i686-w64-mingw32-objdump
fail=0
[ -f "$dll" ] || { echo "missing $dll"; exit 1; }

table=$($objdump -p "$dll")
base=$(echo "$table" | awk '/^Ordinal Base/ {print $3}')
[ "$base" = 1 ] || { echo "ordinal base is '$base', not 1"; fail=1; }
# "[Ordinal/Name Pointer] Table" lines read "[  n] name" with n = ordinal - base.
names=$(echo "$table" | awk '/\[Ordinal\/Name Pointer\] Table/ {on=1; next}
  on && /^[[:space:]]*\[/ {gsub(/[\[\]]/, " "); print $1 + 1 "=" $2; next}
  on {exit}' | sort)
want=$(printf '1=1\n3=ShowAbout\n4=4\n' | sort)
if [ "$names" != "$want" ]; then
  echo "exported names are:"; echo "$names"; echo "expected:"; echo "$want"; fail=1
fi

if [ -f "$client" ]; then
  imports=$($objdump -p "$client" | awk '/DLL Name: cvl.dll/ {on=1; next}
    on && /DLL Name:/ {exit}
    on && NF == 3 && $2 ~ /^[0-9]+$/ {print $2 ":" $3}' | sort)
  wanti=$(printf '3:<none>\n4:<none>\n' | sort)
  if [ "$imports" != "$wanti" ]; then
    echo "the client's imports of cvl.dll are:"; echo "$imports"; echo "expected:"; echo "$wanti"; fail=1
  fi
else
  echo "missing $client"; fail=1
fi
[ $fail = 0 ] && echo "cvl.dll exports and ordinal imports are as expected"
exit $fail
