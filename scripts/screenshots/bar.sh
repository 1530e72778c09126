#!/usr/bin/env bash
# Takes the README's pictures of the bar under Wine on a private Xvfb screen
# (1024 x 768) and writes them as PNG files into docs/:
#   bar-docked.png    docked at the bottom with the panels setup gives
#   bar-floating.png  floating with its title bar
#   bar-shaded.png    docked at the top with the colour shade
#   bar-graphs.png    docked at the bottom with the history graphs (and its
#                     left part as help/images/graphs.png)
#   bar-graphs-shaded.png  the graphs with the shade and a dark blue font
# Each picture starts from a fresh installation by the setup program, with
# the configuration it seeds and a few settings changed, and is taken by
# BarPeek.exe. Needs a build (scripts/build.sh). Names given take only those
# pictures.
#   scripts/screenshots/bar.sh [NAME...]
set -eu
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${CVL_BUILD_DIR:-$top/build}
build=$(cd "$build" && pwd)
setup=$build/win/setup/CorvellaSetup.exe
peek=$build/wintest/testbin/BarPeek.exe
out=$top/docs
[ -f "$peek" ] || { echo "missing $peek: build first" >&2; exit 1; }
export CVL_WINE_ROOT=$build/wine-shots
unset DISPLAY  # always our own screen, whatever display the caller has
. "$top/tests/harness/wine-env.sh"
. "$top/scripts/wine-install.sh"
cvl_wine_prefix win98
# errexit off: the stop goes on past a wineserver that has already ended.
trap 'set +e; cvl_wine_stop' EXIT
cvl_display_start
# No window manager on this screen: Wine draws title bars and borders itself.
timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

wanted=" $* "
# shot NAME X Y W H SECONDS [SECTION/NAME=VALUE...]: installs afresh, changes
# those settings, starts the bar through its launcher (without the logo) and
# keeps that rectangle of the screen after the bar has run for that long.
shot() {
  local name=$1 x=$2 y=$3 w=$4 h=$5 seconds=$6
  shift 6
  [ "$wanted" = "  " ] || [[ "$wanted" == *" $name "* ]] || return 0
  timeout 60 wine reg delete 'HKLM\Software\Veltrop' /f >/dev/null 2>&1 || true
  cvl_install "$setup"
  local kv path
  for kv in Settings/ShowSplash=FALSE "$@"; do
    path=${kv%%=*}
    timeout 60 wine reg add "HKLM\\Software\\Veltrop\\Corvella\\${path%%/*}" \
      /v "${path#*/}" /d "${kv#*=}" /f >/dev/null 2>&1
  done
  (setsid timeout 60 wine "${cvl_installed_dir}Launcher.exe" >/dev/null 2>&1 &)
  timeout 90 wine "$peek" texts >/dev/null
  # A graph picture shows a busy spike: one core kept busy for a while.
  # A graph picture shows the processor's recent history: one core kept busy
  # in three bursts of growing length within the last 20 s before the
  # picture (a cell's width of columns at two passes a second), then idle.
  [[ "$name" == bar-graphs* ]] && (sleep 26; for on in 2 3 4; do
    timeout "$on" sh -c 'while :; do :; done' || true; sleep 2; done) &
  sleep "$seconds"  # placed, painted and showing its second reading at least
  timeout 60 wine "$peek" shot "$(cvl_winpath "$out/$name.png")" "$x" "$y" "$w" "$h" >/dev/null
  if [ "$name" = bar-graphs ]; then  # the help page's picture: the left part of it
    timeout 60 wine "$peek" shot "$(cvl_winpath "$top/help/images/graphs.png")" 0 "$y" 560 "$h" \
      >/dev/null
  fi
  timeout 40 wine "$peek" close >/dev/null || true
  timeout 30 wineserver -w >/dev/null 2>&1 || true
  echo "docs/$name.png"
}

shot bar-docked 0 728 1024 40 3 Settings/BarPosition=BOTTOM
shot bar-floating 90 90 560 110 3 Settings/BarPosition=FLOATING Settings/TitleBar=TRUE \
  Position/LEFT=100 Position/TOP=100 Position/WIDTH=520
shot bar-shaded 0 0 1024 40 3 Settings/BarPosition=TOP Settings/ShadeBar=TRUE Settings/ShadeAmount=60
# Two passes a second for 45 s: histories that fill the narrow cells.
shot bar-graphs 0 728 1024 40 45 Settings/BarPosition=BOTTOM Settings/PanelGraphs=TRUE \
  Settings/Update=500
shot bar-graphs-shaded 0 0 1024 40 45 Settings/BarPosition=TOP Settings/PanelGraphs=TRUE \
  Settings/Update=500 Settings/ShadeBar=TRUE Settings/ShadeAmount=60 Settings/FontColor=8388608
