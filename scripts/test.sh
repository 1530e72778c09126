#!/usr/bin/env bash
# Builds everything and runs every test: the native suites and, through Wine,
# the Windows suites in Windows 98 and NT modes.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
[ "$(id -u)" = 0 ] && "$top/scripts/deps.sh"
"$top/scripts/build.sh"
build=${CVL_BUILD_DIR:-$top/build}
ctest --test-dir "$build/host" --output-on-failure -j "${CVL_TEST_JOBS:-2}" "$@"
