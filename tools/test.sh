#!/usr/bin/env bash
# Checks the format, builds everything and runs every test under Wine: the one
# command CI runs.
# Sets the machine up first when it needs it (tools/setup.sh; cached after the
# first run). Extra arguments go to ctest, e.g. tools/test.sh -R common_tests;
# VISTREL_TARGETS="a b" builds only those targets, VISTREL_BUILD_DIR moves the build.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
build=${VISTREL_BUILD_DIR:-$root/build}

prefix=$("$here/setup.sh" | tail -n 1)
"$here/format.sh" --check
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DVISTREL_DEPS_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release >/dev/null
if [ -n "${VISTREL_TARGETS:-}" ]; then
  # shellcheck disable=SC2086
  cmake --build "$build" --target $VISTREL_TARGETS
else
  cmake --build "$build"
fi
"$here/testenv.sh" ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "$@"
