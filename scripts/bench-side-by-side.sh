#!/usr/bin/env bash
# The side-by-side figure (run through `scripts/bench.sh side-by-side [RUNS]`):
# the shipped bar in NT mode with built-in sensors 1-15, Dialtally and the
# six system warning kinds (1, 2, 3, 13, 14, 15) at "Update" "1000", and conky
# showing the equivalent readings at 1 s (bench/conky-side-by-side.conf),
# started together on the same screen. For each of RUNS runs (3) it reads
# utime + stime from /proc/PID/stat of the bar's process, conky's and the
# prefix's Wine server over the same stretch (CVL_SIDE_SECONDS, 30 s) and
# prints the bar's CPU as a ratio of conky's; and the same ratio from the
# time on the processor that /proc/PID/task/*/schedstat counts in
# nanoseconds (the clock-tick figures move in 10 ms steps, a fifth of
# conky's whole figure). Then it starts the prefix's
# Wine server afresh with WINEDEBUG=+server and counts the bar's requests
# between two marks around CVL_SIDE_PASSES (20) whole passes, per pass and
# by request name (0: no count). Last, the bar's CPU time per pass: at
# "Update" "1000" over 20 s, and at "Update" "0" over CVL_SIDE_PROFILE (3000)
# passes; of the whole configuration, the pass alone, and at "Update" "0" of
# each panel and each warning alone (0: none). Each run and the count also
# break the bar down by thread (the main thread first, then the others in
# the order they started: the display thread is the second): its time on the
# processor and how often it was put on one, and its requests per pass.
# CVL_SIDE_ONLY names a part of the configuration for the runs and the count
# instead of the whole ("pass" for the pass alone, "panel-4",
# "panel-Dialtally", "warning-13", or several with commas).
# Conky (Debian's conky-std) is installed when missing.
# Writes ${CVL_SIDE_OUT:-docs/side-by-side.txt}; never fails on a figure.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-3}
seconds=${CVL_SIDE_SECONDS:-30}
passes=${CVL_SIDE_PASSES:-20}
profile=${CVL_SIDE_PROFILE:-3000}
only=${CVL_SIDE_ONLY:-}

if [ "$(id -u)" = 0 ]; then
  "$top/scripts/deps.sh"
  command -v conky >/dev/null 2>&1 ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends conky-std >/dev/null
fi
command -v conky >/dev/null 2>&1 || { echo "bench: conky is missing (conky-std)" >&2; exit 1; }
"$top/scripts/build.sh" >/dev/null
build=${CVL_BUILD_DIR:-$top/build}
build=$(cd "$build" && pwd)
out=${CVL_SIDE_OUT:-$top/docs/side-by-side.txt}
measurer=$build/wintest/testbin/cvl_side_by_side.exe

export CVL_WINE_ROOT=$build/wine-bench
. "$top/tests/harness/wine-env.sh"
cvl_wine_prefix nt
work=$(mktemp -d)
conky_pid=
finish() {
  [ -n "$conky_pid" ] && kill "$conky_pid" 2>/dev/null && wait "$conky_pid" 2>/dev/null
  cvl_wine_stop
  rm -rf "$work"
}
trap finish EXIT
cvl_display_start
export CVL_BIN="$(cvl_winpath "$build/win/bin")\\"
export CVL_TESTBIN="$(cvl_winpath "$build/wintest/testbin")\\"
export CVL_WINE_MODE=nt
tick=$(getconf CLK_TCK)

# The process whose name matches the pattern and whose environment names
# this prefix.
prefix_pid() {
  local d
  for d in /proc/[0-9]*; do
    # shellcheck disable=SC2053
    [[ "$(cat "$d/comm" 2>/dev/null)" == $1 ]] || continue
    tr '\0' '\n' <"$d/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
    echo "${d#/proc/}"
    return 0
  done
  return 1
}
# utime + stime in clock ticks (the fields after the parenthesised name).
cpu_ticks() { sed 's/.*) //' "/proc/$1/stat" | awk '{print $12 + $13}'; }
# Nanoseconds on the processor, every thread of the process.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%d", s}'; }
ms() { awk -v t="$1" -v k="$tick" 'BEGIN {printf "%.0f", 1000 * t / k}'; }
# Per thread in the order the threads started: its id, its nanoseconds on
# the processor and the times it was put on one.
thread_ns() {
  local t
  for t in /proc/"$1"/task/*; do echo "${t##*/} $(cut -d' ' -f1,3 "$t/schedstat" 2>/dev/null)"; done |
    sort -n
}
# The part of the configuration the runs and the count measure.
only_args=()
[ -n "$only" ] && only_args=(--only "$only")

figures=$work/figures
status=0
echo "CPU over the same $seconds s (utime + stime from /proc/PID/stat, 10 ms steps; and schedstat's nanoseconds):" >"$figures"
for run in $(seq "$runs"); do
  rm -f "$work/ready" "$work/hold"
  timeout -k 10 900 wine "$measurer" --ready "$(cvl_winpath "$work/ready")" \
    --hold "$(cvl_winpath "$work/hold")" "${only_args[@]}" >/dev/null 2>&1 &
  side=$!
  conky -c "$top/bench/conky-side-by-side.conf" >/dev/null 2>&1 &
  conky_pid=$!
  for _ in $(seq 1200); do [ -f "$work/ready" ] && break; sleep 0.1; done
  bar=$(prefix_pid Main.exe || true)
  server=$(prefix_pid "wineserver*" || true)
  if [ ! -f "$work/ready" ] || [ -z "$bar" ] || [ -z "$server" ]; then
    echo "run $run: the bar did not start" >>"$figures"
    status=1
  else
    load=$(cut -d' ' -f1 /proc/loadavg)
    b0=$(cpu_ticks "$bar") c0=$(cpu_ticks "$conky_pid") s0=$(cpu_ticks "$server")
    bn0=$(cpu_ns "$bar") cn0=$(cpu_ns "$conky_pid")
    thread_ns "$bar" >"$work/threads0"
    sleep "$seconds"
    b1=$(cpu_ticks "$bar") c1=$(cpu_ticks "$conky_pid") s1=$(cpu_ticks "$server")
    bn1=$(cpu_ns "$bar") cn1=$(cpu_ns "$conky_pid")
    thread_ns "$bar" >"$work/threads1"
    awk -v r="$run" -v b=$((b1 - b0)) -v c=$((c1 - c0)) -v s=$((s1 - s0)) -v k="$tick" \
      -v bn=$((bn1 - bn0)) -v cn=$((cn1 - cn0)) -v l="$load" 'BEGIN {
        printf "run %d: bar %.0f ms, conky %.0f ms, Wine server %.0f ms; bar / conky %s;" \
               " (bar + server) / conky %s (load average %s); on the processor (schedstat):" \
               " bar %.1f ms, conky %.1f ms, bar / conky %s\n", r, 1000 * b / k,
               1000 * c / k, 1000 * s / k, c ? sprintf("%.2f", b / c) : "n/a",
               c ? sprintf("%.2f", (b + s) / c) : "n/a", l, bn / 1e6, cn / 1e6,
               cn ? sprintf("%.2f", bn / cn) : "n/a" }' >>"$figures"
    awk -v main="$bar" '
      NR == FNR { ns[$1] = $2; runs[$1] = $3; next }
      $1 in ns { on = ($2 - ns[$1]) / 1e6; put = $3 - runs[$1]; n++
        line = line sprintf("%s %s %.1f ms, put on a processor %d times", n > 1 ? ";" : "",
                            $1 == main ? "main" : "thread " n, on, put) }
      END { print "  per thread:" line }' "$work/threads0" "$work/threads1" >>"$figures"
  fi
  touch "$work/hold"
  wait "$side" || status=1
  kill "$conky_pid" 2>/dev/null; wait "$conky_pid" 2>/dev/null || true
  conky_pid=
done

# The bar's requests per pass, from a trace of a server started afresh with
# WINEDEBUG=+server (a running server traces nothing).
count_requests() {
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  timeout 30 wineserver -w >/dev/null 2>&1 || true
  WINEDEBUG=+server timeout -k 10 900 wine "$measurer" --marks "$passes" \
    --out "$(cvl_winpath "$work/marks")" "${only_args[@]}" >/dev/null 2>"$work/trace" || status=1
  timeout 30 wineserver -w >/dev/null 2>&1 || true
  local counted threads self
  counted=$(sed -n 's/^passes //p' "$work/marks" 2>/dev/null || true)
  threads=$(sed -n 's/^threads //p' "$work/marks" 2>/dev/null || true)
  self=$(sed -n 's/^self //p' "$work/marks" 2>/dev/null || true)
  if [ -z "$counted" ] || ! grep -q CorvellaMarkEnd "$work/trace"; then
    echo "Requests: no marked trace" >>"$figures"
    status=1
    return
  fi
  # A request line is "tid: name( ... )"; its reply "tid: name() = ...".
  awk -v ids="$threads" -v own="$self" -v n="$counted" '
    BEGIN {
      split(ids, t0, " "); for (i in t0) bar[t0[i]] = 1
      split(own, t, " "); for (i in t) measurer[t[i]] = 1
    }
    /CorvellaMarkStart/ { on = 1; next }
    /CorvellaMarkEnd/ { exit }
    on && /^[0-9a-f]+: [a-z_0-9]+\(/ && !/^[0-9a-f]+: [a-z_0-9]+\([^(]*\) = / {
      split($0, p, ": "); name = substr(p[2], 1, index(p[2], "(") - 1)
      if (p[1] in bar) { count[name]++; total++; of[p[1]]++ } else if (!(p[1] in measurer)) others++
    }
    END {
      printf "Wine server requests per pass of the bar: %.1f (%d requests over %d passes;" \
             " the other Wine processes but the measuring one %.1f per pass)\n", total / n, total, n, others / n
      printf "By thread, per pass:"
      for (i = 1; (i in t0); i++) printf("%s %s %.1f", (i > 1) ? ";" : "", (i == 1) ? "main" : "thread " i, of[t0[i]] / n)
      print ""
      print "By request, per pass:"
      cmd = "sort -k2 -rn"
      for (k in count) printf "  %s %.1f\n", k, count[k] / n | cmd
      close(cmd)
    }' "$work/trace" >>"$figures"
}
[ "$passes" -gt 0 ] && count_requests

# CPU per pass at "Update" "0", a bar started afresh for each part.
profile_passes() {
  timeout -k 10 1800 wine "$measurer" --profile "$profile" \
    --out "$(cvl_winpath "$work/profile")" >/dev/null 2>&1 || status=1
  if [ ! -s "$work/profile" ]; then
    echo "CPU per pass: no figures" >>"$figures"
    status=1
    return
  fi
  {
    echo "The bar's CPU time per pass in ms (GetProcessTimes; a bar started afresh for each line):"
    echo "the whole configuration, the pass alone (the probe's warning only), each entry alone with the probe."
    cat "$work/profile"
  } >>"$figures"
}
[ "$profile" -gt 0 ] && profile_passes

{
  echo "Corvella side by side with conky ($(date -u '+%Y-%m-%d %H:%M UTC'), commit $(git -C "$top" rev-parse --short HEAD 2>/dev/null || echo unknown))"
  echo "Machine: $(lscpu | sed -n 's/^Model name:[[:space:]]*//p' | head -n1), $(nproc) cores available; $(. /etc/os-release && echo "$PRETTY_NAME"), Linux $(uname -r)"
  echo "Wine: $(wine --version) in nt mode, Xvfb 1024x768x24; $(conky -v 2>/dev/null | head -n1 | cut -d' ' -f1-2)"
  echo "Bar: built-in sensors 1-15 and Dialtally; warning kinds 1, 2, 3, 13, 14, 15 and the pass probe; \"Update\" \"1000\""
  [ -n "$only" ] && echo "The runs and the count: $only alone, with the pass probe"
  echo "Conky: bench/conky-side-by-side.conf, update_interval 1"
  echo
  cat "$figures"
} >"$out"
cat "$out"
[ $status -eq 0 ] || echo "bench: a figure could not be taken" >&2
exit $status
