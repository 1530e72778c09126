#!/usr/bin/env bash
# Fuzzes the bar's bad-input surface (tests/fuzz) for SECONDS (default 60).
#   scripts/fuzz.sh [SECONDS] [libFuzzer options ...]
# Builds the target with clang, libFuzzer and the address and undefined
# behaviour sanitizers in ${CVL_BUILD_DIR:-build}/fuzz and runs it there: the
# corpus grows in fuzz/corpus, findings go to fuzz/findings, and the exit
# status is nonzero on a finding. Without clang++ it runs the seeded random
# loop of the ordinary host tree (host/tests/fuzz/cvl_fuzz_loop, or
# $CVL_FUZZ_LOOP) for the same time instead.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build=${CVL_BUILD_DIR:-$top/build}
mkdir -p "$build"
build=$(cd "$build" && pwd)
seconds=${1:-60}
[ $# -gt 0 ] && shift

if ! command -v clang++ >/dev/null 2>&1; then
  loop=${CVL_FUZZ_LOOP:-$build/host/tests/fuzz/cvl_fuzz_loop}
  if [ ! -x "$loop" ]; then
    echo "fuzz.sh: no clang++ and no $loop (build the host tree first)" >&2
    exit 1
  fi
  echo "fuzz.sh: clang++ not found; seeded random loop under the host sanitizers"
  exec "$loop" "$seconds" "${CVL_FUZZ_SEED:-$(date +%s)}"
fi

fuzz=$build/fuzz
if [ ! -f "$fuzz/build.ninja" ]; then
  cmake -S "$top" -B "$fuzz" -G Ninja -DCVL_TREE=host -DCVL_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$fuzz" --target cvl_fuzz >/dev/null

# One seed per area (the first byte chooses it), so every area is reached at once.
mkdir -p "$fuzz/corpus" "$fuzz/findings"
for area in 0 1 2 3 4 5 6 7; do
  seed=$fuzz/corpus/seed-$area
  [ -f "$seed" ] || printf "\\$(printf %03o "$area")0123456789abcdefghijklmnopqrstuvwxyz" >"$seed"
done

exec "$fuzz/tests/fuzz/cvl_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$fuzz/findings/" "$@" "$fuzz/corpus"
