#!/usr/bin/env bash
# Runs the recording benchmark (not a test) in Vistrel's test environment: a desktop
# of 1920x1080, the capture devices registered, and FFmpeg alone from the dependency
# cache for comparison. The recordings are kept in <build>/bench-out.
#
#   bench/run.sh [seconds] [repeats]   (default 10 s; both at once 5 times per size)
# VISTREL_BUILD_DIR moves the build folder (default build-bench).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
wine=/usr/lib/wine/wine64

if [ "${1:-}" = --in-env ]; then
  # Inside tools/testenv.sh: register, run, unregister.
  build=$2 prefix=$3 seconds=$4 repeat=$5
  capture_dir=$build/devices
  mkdir -p "$build/bench-out"
  # ffmpeg.exe is linked against the toolchain's thread library.
  export WINEPATH="$("$wine" winepath -w /usr/x86_64-w64-mingw32/lib 2>/dev/null)"
  (cd "$capture_dir" && "$wine" regsvr32 /s VistrelCapture.dll)
  status=0
  # Run from the output folder: the recorder appends its list file to the current one.
  (cd "$build/bench-out" && "$wine" "$build/bench/vistrel_bench.exe" --seconds "$seconds" --repeat "$repeat" \
    --ffmpeg "$("$wine" winepath -w "$prefix/bin/ffmpeg.exe" 2>/dev/null)" \
    --out "$("$wine" winepath -w "$build/bench-out" 2>/dev/null)") || status=$?
  (cd "$capture_dir" && "$wine" regsvr32 /s /u VistrelCapture.dll) || true
  exit $status
fi

seconds=${1:-10}
repeat=${2:-5}
build=${VISTREL_BUILD_DIR:-$root/build-bench}
prefix=$("$root/tools/setup.sh" | tail -n 1)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DVISTREL_DEPS_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target vistrel_bench vistrel_capture
VISTREL_SCREEN=1920x1080 "$root/tools/testenv.sh" --host-root "$here/run.sh" --in-env "$build" "$prefix" "$seconds" "$repeat"
