#!/usr/bin/env bash
# Builds the kit's template plug-in as an author would: the sdk folder copied
# alone into an empty folder outside the source tree, then the build command
# the template's Makefile documents for a MinGW cross-compiler. The result
# goes to $CVL_TESTBIN/kit/Template.cvl for the Windows tests that load it
# (tests/kit/CvlCheckWinTest.cpp); an earlier result is removed first, so a
# failed build can never leave an old plug-in to pass with.
set -u
src=${CVL_SOURCE:?CVL_SOURCE must name the source tree}
out=${CVL_TESTBIN:?CVL_TESTBIN must name the test binaries folder}/kit
rm -rf "$out"
mkdir -p "$out"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$src/sdk" "$work/sdk"
cd "$work/sdk/template" || exit 1
make CROSS=i686-w64-mingw32- || { echo "FAIL: the template does not build"; exit 1; }
[ -f Template.cvl ] || { echo "FAIL: make left no Template.cvl"; exit 1; }
cp Template.cvl "$out/"
echo "built $(stat -c %s Template.cvl) bytes from a copy of the kit in $work"
