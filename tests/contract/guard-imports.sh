#!/usr/bin/env bash
# The shipped plug-in guard stays on the thread's frame-based handler chain:
# Windows 95/98 have no vectored exception handlers, and kernel32 there does
# export RtlUnwind.
set -eu
lib="$(dirname "$CVL_BIN")/shared/libcvl_contract_win.a"
[ -f "$lib" ] || { echo "missing $lib" >&2; exit 1; }
undefined=$(i686-w64-mingw32-nm -u "$lib")
if ! grep -q '_RtlUnwind@16' <<<"$undefined"; then
  echo "the guard no longer unwinds through RtlUnwind" >&2
  exit 1
fi
if grep -E 'Vectored(Exception|Continue)Handler' <<<"$undefined"; then
  echo "the guard uses vectored handlers, which Windows 98 lacks" >&2
  exit 1
fi
echo "guard imports: RtlUnwind, no vectored handlers"
