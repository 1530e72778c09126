#!/usr/bin/env bash
# Runs one Windows test program under Wine.
#   wine-test.sh MODE PROGRAM [ARGS...]     MODE: win98 | nt
# Takes the mode's prefix for itself (one test per prefix at a time), starts
# Xvfb when there is no display, bounds the run by CVL_TEST_TIMEOUT seconds,
# and leaves no wineserver or Xvfb behind. The program sees CVL_BIN and
# CVL_TESTBIN as Windows paths ending in a backslash.
set -u
here=$(cd "$(dirname "$0")" && pwd)
mode=$1
shift
. "$here/wine-env.sh"

exec 9>"$CVL_WINE_ROOT/.$mode.lock" 2>/dev/null || { mkdir -p "$CVL_WINE_ROOT"; exec 9>"$CVL_WINE_ROOT/.$mode.lock"; }
flock 9

cvl_wine_prefix "$mode" || exit 1
trap cvl_wine_stop EXIT
cvl_display_start

[ -n "${CVL_BIN:-}" ] && export CVL_BIN="$(cvl_winpath "$CVL_BIN")\\"
[ -n "${CVL_TESTBIN:-}" ] && export CVL_TESTBIN="$(cvl_winpath "$CVL_TESTBIN")\\"
export CVL_WINE_MODE=$mode

# A program that trades messages with Wine's server all the time can run on
# one processor (CVL_ONE_CPU): on a virtual machine, waking the idle other
# processor for every round trip costs more than the work itself.
pin=
[ -n "${CVL_ONE_CPU:-}" ] && command -v taskset >/dev/null && pin="taskset -c 0"

timeout -k 10 "${CVL_TEST_TIMEOUT:-300}" $pin wine "$@"
rc=$?
[ $rc -eq 124 ] && echo "wine-test: $1 timed out after ${CVL_TEST_TIMEOUT:-300} s" >&2
exit $rc
