# Sourced by the Wine harness scripts: a private Wine prefix per mode and a
# display. Never touches the user's own ~/.wine.
#   cvl_wine_prefix MODE   creates (once) and selects $CVL_WINE_ROOT/MODE
#   cvl_display_start      starts Xvfb when there is no display
#   cvl_wine_stop          ends the prefix's wineserver and our Xvfb

: "${CVL_WINE_ROOT:?CVL_WINE_ROOT must name the folder of the test prefixes}"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win32
cvl_xvfb_pid=

cvl_wine_prefix() {
  local mode=$1
  mkdir -p "$CVL_WINE_ROOT"
  export WINEPREFIX="$CVL_WINE_ROOT/$mode"
  if [ ! -f "$WINEPREFIX/.cvl-ready-2" ]; then
    rm -rf "$WINEPREFIX"
    timeout 300 wineboot -i >/dev/null 2>&1 || { echo "wineboot failed for $mode" >&2; return 1; }
    case $mode in
      win98) timeout 60 wine reg add 'HKCU\Software\Wine' /v Version /d win98 /f >/dev/null 2>&1 ;;
      nt) ;;
      *) echo "unknown Wine mode $mode" >&2; return 1 ;;
    esac
    # Tests set library load orders here; the loader only watches a key that
    # exists when a program starts.
    timeout 60 wine reg add 'HKCU\Software\Wine\DllOverrides' /f >/dev/null 2>&1
    # Wine draws the frames itself: with no window manager on the private
    # screen, a managed window waits two seconds for one at every close.
    timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    timeout 60 wineserver -w
    touch "$WINEPREFIX/.cvl-ready-2"
  fi
}

cvl_display_start() {
  [ -n "${DISPLAY:-}" ] && return 0
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 7 -screen 0 1024x768x24 -nolisten tcp 7>"$fdfile" >/dev/null 2>&1 &
  cvl_xvfb_pid=$!
  local i
  for i in $(seq 100); do
    [ -s "$fdfile" ] && break
    sleep 0.05
  done
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
}

cvl_wine_stop() {
  timeout 30 wineserver -k >/dev/null 2>&1
  timeout 30 wineserver -w >/dev/null 2>&1
  if [ -n "$cvl_xvfb_pid" ]; then
    kill "$cvl_xvfb_pid" 2>/dev/null
    wait "$cvl_xvfb_pid" 2>/dev/null
    cvl_xvfb_pid=
  fi
}

# Z:\... form of a host path, for programs running inside Wine.
cvl_winpath() {
  local p
  p=$(readlink -f "$1")
  echo "Z:${p//\//\\}"
}
