#!/usr/bin/env bash
# Runs the latency benchmark (not a test) in Vistrel's test environment: a desktop
# of 1920x1080, the capture devices registered, and Vistrel.exe copied into a folder
# of its own (it writes its ini, list and log files beside itself). The recordings
# are kept in <build>/latency-out.
#
#   bench/latency.sh [runs]   (default 5 with the countdown and 5 without)
# VISTREL_BUILD_DIR moves the build folder (default build-bench).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
wine=/usr/lib/wine/wine64

if [ "${1:-}" = --in-env ]; then
  # Inside tools/testenv.sh: register, run, unregister.
  build=$2 runs=$3
  program=$build/latency-program out=$build/latency-out
  rm -rf "$program" "$out"
  mkdir -p "$program" "$out"
  cp "$build/bin/Vistrel.exe" "$build/bin/Snapwick.exe" "$build/bin/Areaprobe.dll" "$program/"
  (cd "$build/devices" && "$wine" regsvr32 /s VistrelCapture.dll)
  status=0
  (cd "$out" && "$wine" "$build/bench/vistrel_latency_bench.exe" --runs "$runs" \
    --program "$("$wine" winepath -w "$program" 2>/dev/null)" \
    --out "$("$wine" winepath -w "$out" 2>/dev/null)") || status=$?
  (cd "$build/devices" && "$wine" regsvr32 /s /u VistrelCapture.dll) || true
  exit $status
fi

runs=${1:-5}
build=${VISTREL_BUILD_DIR:-$root/build-bench}
prefix=$("$root/tools/setup.sh" | tail -n 1)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DVISTREL_DEPS_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target vistrel_latency_bench Vistrel vistrel_capture
VISTREL_SCREEN=1920x1080 "$root/tools/testenv.sh" "$here/latency.sh" --in-env "$build" "$runs"
