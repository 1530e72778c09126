#!/usr/bin/env bash
# Checks the link results of the shipped plug-ins: each exports exactly the
# functions of its table under their plain names, binds the settings
# library's About box by ordinal 3 only, and Resource.cvl binds the resource
# meter's function by its literal name. Also the stand-in rsrc32.dll.
set -u
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

exports_of() {  # file -> export names, one a line, sorted
  "$objdump" -p "$1" | awk '/\[Ordinal\/Name Pointer\] Table/{on=1; next} on && /^$/{on=0} on{print $NF}' | sort
}

imports_from() {  # file dll -> "ordinal-or-name" lines of that DLL's imports
  "$objdump" -p "$1" | awk -v dll="$2" '
    /DLL Name:/ {on = (tolower($3) == tolower(dll)); next}
    on && /^$/ {on = 0}
    on && /vma:/ {next}
    on && NF >= 3 {print ($3 == "<none>" ? "ordinal " $2 : $3)}'
}

expect_exports() {  # file names...
  local file=$1
  shift
  if [ ! -f "$file" ]; then
    fail "$file is missing"
    return
  fi
  local want got
  want=$(printf '%s\n' "$@" | sort)
  got=$(exports_of "$file")
  [ "$got" = "$want" ] || fail "$(basename "$file") exports:
$got
expected:
$want"
}

expect_imports() {  # file dll expected-lines
  local got
  got=$(imports_from "$1" "$2")
  [ "$got" = "$3" ] || fail "$(basename "$1") imports from $2: '${got}', expected '$3'"
}

sensor=(PluginName PluginFacilities PluginDisplaySettings SensorFunction SensorDescription
        SensorToolTip SensorIcon SensorWidth)
warning=(WarningFunction WarningMessage WarningDescription WarningVal WarningMax WarningMin
         WarningIncrement)

expect_exports "$CVL_BIN/Dialtally.cvl" "${sensor[@]}"
expect_exports "$CVL_BIN/Resource.cvl" "${sensor[@]}" "${warning[@]}"

for plugin in Dialtally Resource; do
  [ -f "$CVL_BIN/$plugin.cvl" ] || continue
  expect_imports "$CVL_BIN/$plugin.cvl" cvl.dll "ordinal 3"
done
[ -f "$CVL_BIN/Resource.cvl" ] &&
  expect_imports "$CVL_BIN/Resource.cvl" rsrc32.dll "_MyGetFreeSystemResources32@4"
# The remote-access library is looked up at run time, never bound at load.
[ -f "$CVL_BIN/Dialtally.cvl" ] && expect_imports "$CVL_BIN/Dialtally.cvl" rasapi32.dll ""
[ -f "$CVL_BIN/Dialtally.cvl" ] && expect_imports "$CVL_BIN/Dialtally.cvl" rsrc32.dll ""

expect_exports "$CVL_TESTBIN/rsrc32.dll" "_MyGetFreeSystemResources32@4"

[ $failures -eq 0 ] && echo "plug-in binaries: exports and imports as expected"
exit $((failures > 0))
