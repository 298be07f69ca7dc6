#!/usr/bin/env bash
# Builds Vistrel when needed and runs it under Wine.
#
#   tools/run.sh
#
# - Sets the machine up and builds like tools/test.sh, into build/ (VISTREL_BUILD_DIR
#   moves it); only what Vistrel.exe needs is built, Snapwick.exe (the area picker) with it.
# - Runs it in a Wine prefix of its own that is kept between runs
#   (~/.cache/vistrel/run-prefix, or VISTREL_RUN_PREFIX): code page 936, Chinese
#   fonts, crashes end the program; its drives are C: and the program's folder
#   build/bin as D:. The capture devices (VistrelCapture.dll) are
#   registered in it at every start, from the build.
# - Uses the current display ($DISPLAY). Without one it starts a private Xvfb
#   (1280x800) with xcompmgr and a PulseAudio null sink, and takes a screenshot
#   every few seconds into build/run-shots/ (VISTREL_SHOTS moves it).
# Returns when Vistrel ends (close its window) or on Ctrl+C; stops only what it started.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
# shellcheck source=tools/lib.sh
. "$here/lib.sh"

build=${VISTREL_BUILD_DIR:-$root/build}
prefix=${VISTREL_RUN_PREFIX:-$(deps_root)/run-prefix}
shots=${VISTREL_SHOTS:-$build/run-shots}
shot_every=5  # seconds

build_program() {
  local deps; deps=$("$here/setup.sh" | tail -n 1)
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DVISTREL_DEPS_PREFIX="$deps" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" --target Vistrel
}

pids=()
run_dir=$(mktemp -d "${TMPDIR:-/tmp}/vistrel-run.XXXXXX")
program_pid=

cleanup() {
  local status=$?
  if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; fi
  if [ -d "$prefix" ]; then WINEPREFIX=$prefix stop_wineserver; fi
  local i
  for ((i=${#pids[@]}-1; i>=0; i--)); do kill "${pids[$i]}" 2>/dev/null || true; done
  for i in "${pids[@]}"; do wait "$i" 2>/dev/null || true; done
  rm -rf "$run_dir"
  exit $status
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A copy of the booted template the first time, kept afterwards.
prepare_prefix() {
  if [ ! -f "$prefix/.vistrel-run" ]; then
    log "making the Wine prefix $prefix"
    local tpl; tpl=$(template_prefix)
    rm -rf "$prefix"; mkdir -p "$(dirname "$prefix")"
    cp -a "$tpl" "$prefix"
    touch "$prefix/.vistrel-run"
  fi
  # Its drives: C: and the program's folder as D:, never the host's root, where
  # the program would put its default output folder ("Tessel录屏" at the root of
  # the drive with the most space).
  set_drives "$prefix" "$build/bin"
  export WINEPREFIX=$prefix
}

register_devices() {
  (cd "$build/bin" && "$wine_bin" regsvr32 /s VistrelCapture.dll) || die "VistrelCapture.dll could not be registered"
}

take_screenshots() {
  mkdir -p "$shots"
  while kill -0 "$program_pid" 2>/dev/null; do
    sleep "$shot_every"
    import -window root "$shots/vistrel-$(date +%Y%m%d-%H%M%S).png" 2>/dev/null || true
  done
}

build_program
export_wine_env
private_display=
if [ -z "${DISPLAY:-}" ]; then
  private_display=1
  start_xvfb 1280x800
  start_pulse
  log "no display: Vistrel runs on a private Xvfb ($DISPLAY) with PulseAudio;"
  log "a screenshot every ${shot_every} s goes to $shots"
else
  log "Vistrel runs on the display $DISPLAY"
fi
prepare_prefix
start_wineserver
# A private Xvfb has no window manager (see windows_managed); a real display has one.
if [ -n "$private_display" ]; then windows_managed no; else windows_managed yes; fi
register_devices

cd "$build/bin"
"$wine_bin" ./Vistrel.exe &
program_pid=$!
if [ -n "$private_display" ]; then
  take_screenshots &
  pids+=($!)
fi
status=0
wait "$program_pid" || status=$?
program_pid=
log "Vistrel ended ($status)"
exit "$status"
