#!/usr/bin/env bash
# Builds everything and runs the bar under Wine in Windows 98 mode, with a
# private Wine prefix and an Xvfb display when there is no display.
#   scripts/run.sh [nt]     (nt: Wine's default NT mode instead)
# The bar runs until its Exit command (right-click the bar) or Ctrl+C.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:-win98}
[ "$(id -u)" = 0 ] && "$top/scripts/deps.sh"
"$top/scripts/build.sh"
build=${CVL_BUILD_DIR:-$top/build}
build=$(cd "$build" && pwd)
export CVL_WINE_ROOT=$build/wine-run
. "$top/tests/harness/wine-env.sh"
cvl_wine_prefix "$mode"
trap cvl_wine_stop EXIT
cvl_display_start
echo "Corvella runs on display $DISPLAY (Wine prefix $WINEPREFIX)."
# The launcher starts the bar with this exact argument.
cd "$build/win/bin"
# In the background, so that a signal reaches this script at once and the
# trap ends the prefix's wineserver (and with it the bar) and our Xvfb.
wine Main.exe SplashLaunch &
trap 'cvl_wine_stop; exit 130' INT TERM
wait $!
