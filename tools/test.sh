#!/usr/bin/env bash
# Checks the format, builds everything and runs every test under Wine: the one
# command CI runs.
# Sets the machine up first when it needs it (tools/setup.sh; cached after the
# first run). Extra arguments go to ctest, e.g. tools/test.sh -R common_tests;
# VISTREL_TARGETS="a b" builds only those targets and the programs of the tests
# chosen (never runs a test program older than the code), VISTREL_BUILD_DIR moves
# the build. Each test program runs in a test environment of its own
# (tools/testenv.sh), all of them side by side. Cases that skipped are listed at
# the end; a run that chose no test fails.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
build=${VISTREL_BUILD_DIR:-$root/build}

prefix=$("$here/setup.sh" | tail -n 1)
"$here/format.sh" --check
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DVISTREL_DEPS_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON >/dev/null
if [ -n "${VISTREL_TARGETS:-}" ]; then
  # Every test is labelled with the targets it runs.
  chosen=$(ctest --test-dir "$build" -N -V "$@" | awk '/^Labels:/ { for (i = 2; i <= NF; i++) print $i }' | sort -u)
  # shellcheck disable=SC2086
  cmake --build "$build" --target $VISTREL_TARGETS $chosen
else
  cmake --build "$build"
fi
status=0
# A test program that fails is run once more (both runs stand in the output): the
# programs that drive real input under Wine still fail now and then when all of them
# run at once on a loaded machine, and a fault of the program fails both runs.
ctest --test-dir "$build" --output-on-failure --no-tests=error --repeat until-pass:2 -j "$(nproc)" "$@" || status=$?
skipped=$(grep -h '^\[  SKIPPED \] [A-Za-z_]' "$build"/Testing/Temporary/LastTest.log 2>/dev/null |
  sed 's/ ([0-9]* ms)$//' | sort -u || true)
if [ -n "$skipped" ]; then
  echo "Skipped cases (see their reasons in $build/Testing/Temporary/):"
  echo "$skipped"
fi
exit $status
