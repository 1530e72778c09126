#!/usr/bin/env bash
# Takes the README's pictures of the bar under Wine on a private Xvfb screen
# (1024 x 768) and writes them as PNG files into docs/:
#   bar-docked.png    docked at the bottom with several panels
#   bar-floating.png  floating with its title bar
#   bar-shaded.png    docked at the top with the colour shade
# Needs a build (scripts/build.sh); uses xwd and ImageMagick's convert.
#   scripts/screenshots/bar.sh
set -eu
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${CVL_BUILD_DIR:-$top/build}
build=$(cd "$build" && pwd)
bin=$build/win/bin
out=$top/docs
export CVL_WINE_ROOT=$build/wine-shots
unset DISPLAY  # always our own screen, whatever display the caller has
. "$top/tests/harness/wine-env.sh"
. "$top/scripts/screenshots/bar-config.sh"
cvl_wine_prefix win98
trap cvl_wine_stop EXIT
cvl_display_start
# No window manager on this screen: Wine draws title bars and borders itself.
timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

# shot NAME CROP SETTING=VALUE...: runs the bar with the demonstration panels
# and those settings, and keeps the CROP (WxH+X+Y) of the screen.
shot() {
  local name=$1 crop=$2
  shift 2
  timeout 60 wine reg delete 'HKLM\Software\Veltrop' /f >/dev/null 2>&1 || true
  cvl_demo_config "$bin" "$@" >"$WINEPREFIX/shot.reg"
  timeout 60 wine regedit /S "$(cvl_winpath "$WINEPREFIX/shot.reg")"
  (cd "$bin" && timeout 60 wine Main.exe SplashLaunch >/dev/null 2>&1 &)
  sleep 6
  xwd -root -silent -display "$DISPLAY" -out "$WINEPREFIX/shot.xwd"
  convert "$WINEPREFIX/shot.xwd" -crop "$crop" +repage "$out/$name.png"
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  timeout 30 wineserver -w >/dev/null 2>&1 || true
  echo "docs/$name.png"
}

shot bar-docked 1024x40+0+728 BarPosition=BOTTOM
shot bar-floating 660x110+90+90 BarPosition=FLOATING TitleBar=TRUE
shot bar-shaded 1024x40+0+0 BarPosition=TOP ShadeBar=TRUE ShadeAmount=60
