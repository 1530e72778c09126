#!/usr/bin/env bash
# Builds everything and runs the bar under Wine in Windows 98 mode, with a
# private Wine prefix and an Xvfb display when there is no display.
#   scripts/run.sh [nt]     (nt: Wine's default NT mode instead)
# A prefix without a panel list first gets a demonstration configuration:
# a few built-in panels and the shipped plug-ins that have been built.
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
. "$top/scripts/screenshots/bar-config.sh"
cvl_wine_prefix "$mode"
trap cvl_wine_stop EXIT
cvl_display_start
if ! timeout 60 wine reg query 'HKLM\Software\Veltrop\Corvella\Panels' /v NoOfPanels >/dev/null 2>&1; then
  echo "Writing the demonstration configuration into $WINEPREFIX"
  cvl_demo_config "$build/win/bin" >"$WINEPREFIX/demo.reg"
  timeout 60 wine regedit /S "$(cvl_winpath "$WINEPREFIX/demo.reg")"
fi
# Our own Xvfb has no window manager: Wine draws the windows itself.
[ -n "$cvl_xvfb_pid" ] && timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
echo "Corvella runs on display $DISPLAY (Wine prefix $WINEPREFIX)."
# The launcher starts the bar with this exact argument.
cd "$build/win/bin"
# In the background, so that a signal reaches this script at once and the
# trap ends the prefix's wineserver (and with it the bar) and our Xvfb.
wine Main.exe SplashLaunch &
trap 'cvl_wine_stop; exit 130' INT TERM
wait $!
