#!/usr/bin/env bash
# Builds everything, installs Corvella with its own setup program into a
# private Wine prefix and starts it through the installed Launcher.exe, as
# the Start-menu shortcut does (logo, then Main.exe SplashLaunch).
#   scripts/run.sh [nt]     Windows 98 mode by default; nt: Wine's NT mode
# The prefix is <build>/wine-run/<mode> ($CVL_RUN_ROOT/<mode>), never ~/.wine.
# A first installation there gets the setup's panels; later runs update the
# files and keep the settings.
# With a display ($DISPLAY) the bar shows there until it exits (its Exit
# command) or Ctrl+C, which closes it. Without one it runs on a private Xvfb
# screen: the panel texts are printed once a second for ten seconds, a
# picture of the screen is saved as <build>/wine-run/screenshot.png, and the
# bar, Wine and Xvfb are ended.
# CVL_SKIP_BUILD=1 runs the last build as it is (no toolchain check, no build).
set -eu -o pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:-win98}
case $mode in
  win98 | nt) ;;
  *) echo "usage: scripts/run.sh [win98|nt]" >&2; exit 2 ;;
esac
if [ "${CVL_SKIP_BUILD:-}" != 1 ]; then
  [ "$(id -u)" = 0 ] && "$top/scripts/deps.sh"
  "$top/scripts/build.sh"
fi
build=${CVL_BUILD_DIR:-$top/build}
build=$(cd "$build" && pwd)
setup=$build/win/setup/CorvellaSetup.exe
peek=$build/wintest/testbin/BarPeek.exe
[ -f "$peek" ] || { echo "missing $peek: build first" >&2; exit 1; }

export CVL_WINE_ROOT=${CVL_RUN_ROOT:-$build/wine-run}
mkdir -p "$CVL_WINE_ROOT"
shot=$CVL_WINE_ROOT/screenshot.png
. "$top/tests/harness/wine-env.sh"
. "$top/scripts/wine-install.sh"
headless=
[ -z "${DISPLAY:-}" ] && headless=1

echo "Preparing the Wine prefix $CVL_WINE_ROOT/$mode ($mode mode)"
cvl_wine_prefix "$mode"
# errexit off: the stop goes on past a wineserver that has already ended.
trap 'set +e; cvl_wine_stop' EXIT
cvl_display_start
x11='HKCU\Software\Wine\X11 Driver'
if [ -n "$headless" ]; then
  # Our Xvfb has no window manager: Wine draws the windows itself.
  timeout 60 wine reg add "$x11" /v Managed /d N /f >/dev/null 2>&1
else
  timeout 60 wine reg delete "$x11" /v Managed /f >/dev/null 2>&1 || true
fi

echo "Installing Corvella: CorvellaSetup.exe /S"
cvl_install "$setup"
echo "Installed in $cvl_installed_dir"

# Ctrl+C closes the bar the way setup does, so it runs its exit sequence.
stop() {
  trap - INT TERM
  set +e
  echo
  echo "Closing Corvella"
  timeout 40 wine "$peek" close | cat
  exit 130
}
trap stop INT TERM

# In a session of its own, so that Ctrl+C in this terminal reaches only this
# script, which closes the bar properly.
echo "Starting ${cvl_installed_dir}Launcher.exe on display $DISPLAY"
setsid -w timeout 60 wine "${cvl_installed_dir}Launcher.exe" &
wait $! || { echo "Launcher.exe failed." >&2; exit 1; }

if [ -z "$headless" ]; then
  echo "Corvella runs. Right-click the bar for its menu; Exit or Ctrl+C ends it."
  # The wineserver ends a few seconds after the last program of the prefix.
  wineserver -w &
  wait $! || true
  echo "Corvella has ended."
  exit 0
fi

# BarPeek's output goes through a pipe: on a terminal Wine's console would
# add its cursor codes.
echo "Panel texts, once a second:"
rc=0
setsid -w timeout 90 wine "$peek" texts 10 1000 | cat || rc=$?
if [ $rc -eq 0 ]; then
  setsid -w timeout 60 wine "$peek" shot "$(cvl_winpath "$shot")" | cat || rc=$?
fi
closed=0
setsid -w timeout 40 wine "$peek" close | cat || closed=$?
[ $rc -eq 0 ] && rc=$closed
timeout 30 wineserver -w || true
[ $rc -eq 0 ] && echo "Screenshot: $shot"
exit $rc
