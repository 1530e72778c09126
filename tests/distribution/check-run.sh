#!/usr/bin/env bash
# The run command without a display, on the finished build: it installs with
# the setup, starts the launcher, prints ten lines of the six seeded panels'
# texts, saves a 1024 x 768 PNG picture, ends with 0 and leaves no process
# of its Wine prefix (bar, wineserver, Xvfb) behind.
set -u
src=${CVL_SOURCE:?}
build=$(cd "${CVL_BIN:?}/../.." && pwd)
root=$build/wine-runtest  # not the developer's own run prefix
out=$(mktemp)
trap 'rm -f "$out"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -f "$root/screenshot.png"
env -u DISPLAY CVL_SKIP_BUILD=1 CVL_BUILD_DIR="$build" CVL_RUN_ROOT="$root" \
  bash "$src/scripts/run.sh" >"$out" 2>&1
rc=$?
cat "$out"
[ $rc -eq 0 ] || fail "exit code $rc"

# CPU | memory | running time | dial-up this month | time | date
line='^ +[0-9]+\.[0-9] s  [0-9]+% \| [0-9]+Mb / [0-9]+% \| [0-9]+:[0-5][0-9]:[0-5][0-9] \| 0 / 0:00:00 \| [^|]+ \| [^|]+$'
n=$(grep -cE "$line" "$out")
[ "$n" -eq 10 ] || fail "$n lines of panel texts, want 10"
grep -q '^Corvella has ended\.$' "$out" || fail "the bar was not closed"

png=$root/screenshot.png
if [ -f "$png" ]; then
  head=$(od -An -tx1 -N24 "$png" | tr -d ' \n')
  [ "${head:0:16}" = 89504e470d0a1a0a ] || fail "not a PNG file"
  [ "${head:32:16}" = 0000040000000300 ] || fail "not 1024 x 768: ${head:32:16}"
else
  fail "no picture saved"
fi

sleep 1
for env in /proc/[0-9]*/environ; do
  if tr '\0' '\n' 2>/dev/null <"$env" | grep -qx "WINEPREFIX=$root/win98"; then
    pid=${env#/proc/}
    fail "left behind: $(tr '\0' ' ' 2>/dev/null <"/proc/${pid%/environ}/cmdline")"
  fi
done

[ $failures -eq 0 ] && echo "the run command ran the installed bar and ended cleanly"
exit $((failures > 0))
