#!/usr/bin/env bash
# The benchmark of the shipped bar under Wine: builds everything, then runs
# the measuring program (tests/perf/MeasureBar.cpp, cvl_measure.exe) in a
# private Wine prefix of its own, which starts Main.exe with every built-in
# sensor 1-24, both shipped plug-ins and every built-in warning kind and
# reads the figures from the process's own accounting. Reports; never fails
# on a figure (the exit status is nonzero only when a figure could not be
# taken).
#   scripts/bench.sh [win98|nt] [measuring options: --passes N --seconds S --rounds R]
#   scripts/bench.sh side-by-side [RUNS]   the bar beside conky (bench-side-by-side.sh)
# Writes the figures with a description of the machine to
# ${CVL_BENCH_OUT:-docs/benchmarks.txt} and prints them.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
mode=win98
[ "${1:-}" = side-by-side ] && { shift; exec "$top/scripts/bench-side-by-side.sh" "$@"; }
case "${1:-}" in win98|nt) mode=$1; shift ;; esac

[ "$(id -u)" = 0 ] && "$top/scripts/deps.sh"
"$top/scripts/build.sh" >/dev/null
build=${CVL_BUILD_DIR:-$top/build}
build=$(cd "$build" && pwd)
out=${CVL_BENCH_OUT:-$top/docs/benchmarks.txt}

export CVL_WINE_ROOT=$build/wine-bench
. "$top/tests/harness/wine-env.sh"
cvl_wine_prefix "$mode"
trap cvl_wine_stop EXIT
cvl_display_start
export CVL_BIN="$(cvl_winpath "$build/win/bin")\\"
export CVL_TESTBIN="$(cvl_winpath "$build/wintest/testbin")\\"
export CVL_WINE_MODE=$mode

figures=$(mktemp)
status=0
timeout -k 10 3600 wine "$build/wintest/testbin/cvl_measure.exe" "$@" \
  --out "$(cvl_winpath "$figures")" >/dev/null || status=$?

first() { sed -n "s/^$1[[:space:]]*:[[:space:]]*//p" "$2" 2>/dev/null | head -n1; }
{
  echo "Corvella benchmark ($(date -u '+%Y-%m-%d %H:%M UTC'), commit $(git -C "$top" rev-parse --short HEAD 2>/dev/null || echo unknown))"
  echo "Machine: $(first 'Model name' <(lscpu)), $(nproc) cores available," \
       "$(awk '/MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo) memory;" \
       "$(. /etc/os-release && echo "$PRETTY_NAME"), Linux $(uname -r)"
  echo "Wine: $(wine --version) in $mode mode, Xvfb 1024x768x24"
  echo
  cat "$figures"
} >"$out"
rm -f "$figures"
cat "$out"
[ $status -eq 0 ] || echo "bench.sh: the measuring program failed (status $status)" >&2
exit $status
