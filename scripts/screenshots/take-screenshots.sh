#!/usr/bin/env bash
# Takes PNG pictures of every tab of the settings dialog, both add dialogs,
# the About box and the hardware monitoring dialog under Wine and Xvfb, into
# docs/screenshots.
#   CVL_BUILD_DIR=/path/to/build scripts/screenshots/take-screenshots.sh
# Needs a finished build (scripts/build.sh) in CVL_BUILD_DIR.
set -eu
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${CVL_BUILD_DIR:-$top/build}" && pwd)
out=$top/docs/screenshots
tool=$build/wintest/testbin/settings_screenshots.exe
[ -f "$tool" ] || { echo "missing $tool: build first" >&2; exit 1; }
[ -f "$build/win/bin/cvl.dll" ] || { echo "missing cvl.dll: build first" >&2; exit 1; }

export CVL_WINE_ROOT=$build/wine-screenshots
. "$top/tests/harness/wine-env.sh"
unset DISPLAY  # always a fresh Xvfb: nothing else on the screen
cvl_wine_prefix win98
trap cvl_wine_stop EXIT
cvl_display_start

tmp=$(mktemp -d)
export CVL_BIN="$(cvl_winpath "$build/win/bin")\\"
# A virtual desktop, so Wine draws the windows' frames and title bars itself.
timeout 120 wine explorer /desktop=shots,800x600 "$tool" "$(cvl_winpath "$tmp")\\"
mkdir -p "$out"
python3 "$top/scripts/screenshots/bmp2png.py" "$tmp"/*.bmp >/dev/null
cp "$tmp"/*.png "$out/"
rm -rf "$tmp"
ls -1 "$out"
