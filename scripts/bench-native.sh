#!/usr/bin/env bash
# Builds and runs the native micro-benchmarks (bench/) in a tree of their
# own, ${CVL_BUILD_DIR:-build}/bench: the portable code with -O2 and without
# the sanitizers of the ordinary host tree. Arguments go to the benchmark
# program (for example --benchmark_repetitions=5).
#   scripts/bench-native.sh [benchmark options ...]
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build=${CVL_BUILD_DIR:-$top/build}
mkdir -p "$build"
build=$(cd "$build" && pwd)
bench=$build/bench
if [ ! -f "$bench/build.ninja" ]; then
  cmake -S "$top" -B "$bench" -G Ninja -DCVL_TREE=host -DCVL_BENCH=ON \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$bench" --target cvl_bench_pass cvl_bench_arrange >/dev/null
"$bench/bench/cvl_bench_pass" "$@"
"$bench/bench/cvl_bench_arrange" "$@"
