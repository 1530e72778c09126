#!/usr/bin/env bash
# The committed pictures are what their pixel art generates, and are 16 x 16.
set -u
src=${CVL_SOURCE:?}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
for pair in plugins/dialtally/art/MODEM plugins/resource/art/RES; do
  python3 "$src/plugins/dialtally/art/pixelart.py" "$src/$pair.txt" "$tmp/out.bmp" || { failures=$((failures + 1)); continue; }
  if ! cmp -s "$tmp/out.bmp" "$src/$pair.bmp"; then
    echo "FAIL: $pair.bmp differs from what $pair.txt generates"
    failures=$((failures + 1))
  fi
  size=$(python3 -c "import struct,sys; d=open(sys.argv[1],'rb').read(); print('%dx%d' % struct.unpack('<ii', d[18:26]))" "$src/$pair.bmp")
  [ "$size" = "16x16" ] || { echo "FAIL: $pair.bmp is $size"; failures=$((failures + 1)); }
done
[ $failures -eq 0 ] && echo "pictures match their pixel art"
exit $((failures > 0))
