#!/usr/bin/env bash
# Runs a command inside a test environment of its own and tears it down after:
#   - a Wine prefix of its own, copied from a booted template kept in the cache
#     (code page 936, crashes exit at once, Chinese fonts); its drives are its own
#     C: and the command's folder as D:, never the host's root, so that nothing a
#     program does by default (a folder at the root of the drive with the most
#     space) lands outside what the run owns; host programs are reached by their
#     \\?\unix\ paths;
#   - its own Xvfb on a free display with xcompmgr, so layered windows blend;
#   - a PulseAudio server of its own with a null sink whose monitor is a capture
#     device ("what plays");
#   - a persistent wineserver for the run;
#   - the DLLs named in VISTREL_REGISTER (file names in the folder, space
#     separated) registered with regsvr32, as an installer would.
# Everything it started is stopped at the end by its own pids. Every test program
# runs in one of these (tests/CMakeLists.txt), so programs never share a screen,
# a sink, a registry or a drive.
#
#   tools/testenv.sh [--folder DIR] [--host-root] [--keep-prefix DIR] command args...
# --folder DIR: the command runs in DIR, which is drive D: (default: the current
# folder). --host-root also maps the host's root as Z:, for tools that are not
# tests and reach files anywhere. The command sees WINEPREFIX, DISPLAY,
# PULSE_SERVER, VISTREL_WINE and VISTREL_TESTENV=1.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tools/lib.sh
. "$here/lib.sh"

screen_size=${VISTREL_SCREEN:-1280x800}

keep_prefix= folder=$PWD host_root=
while [ $# -gt 0 ]; do
  case $1 in
    --keep-prefix) keep_prefix=$2; shift 2 ;;
    --folder) folder=$(cd "$2" && pwd); shift 2 ;;
    --host-root) host_root=1; shift ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || die "usage: testenv.sh [--folder DIR] [--host-root] [--keep-prefix DIR] command args..."

export_wine_env

pids=()
run_dir=$(mktemp -d "${TMPDIR:-/tmp}/vistrel-env.XXXXXX")

cleanup() {
  local status=$?
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then stop_wineserver; fi
  local p
  for ((i=${#pids[@]}-1; i>=0; i--)); do
    p=${pids[$i]}
    kill "$p" 2>/dev/null || true
  done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  if [ -z "$keep_prefix" ]; then rm -rf "$run_dir"; fi
  exit $status
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A copy of the booted template with this run's drives.
copy_prefix() {
  local tpl; tpl=$(template_prefix)
  rm -rf "$prefix"; mkdir -p "$(dirname "$prefix")"
  cp -a "$tpl" "$prefix"
  set_drives "$prefix" "$folder"
  if [ -n "$host_root" ]; then ln -s / "$prefix/dosdevices/z:"; fi
}

# ctest ends a test that runs too long with SIGKILL, which this script cannot
# trap: a watcher stops what it started once the script is gone.
watch_for_kill() {
  local parent=$$ started="${pids[*]}"
  (
    while kill -0 "$parent" 2>/dev/null; do sleep 1; done
    stop_wineserver
    # shellcheck disable=SC2086
    kill $started 2>/dev/null || true
    if [ -z "$keep_prefix" ]; then rm -rf "$run_dir"; fi
  ) </dev/null >/dev/null 2>&1 &
  pids+=($!)
}

register_dlls() {
  local dll
  for dll in ${VISTREL_REGISTER:-}; do
    (cd "$folder" && "$wine_bin" regsvr32 /s "$dll" </dev/null) || die "$dll could not be registered in the test prefix"
  done
}

# The sound server comes up while the display starts and the prefix is copied
# (a template booted on the way has the display); Wine starts once all are there.
prefix=${keep_prefix:-$run_dir/prefix}
launch_pulse
start_xvfb "$screen_size"
copy_prefix
wait_for_pulse
export WINEPREFIX=$prefix
start_wineserver
watch_for_kill
register_dlls
export VISTREL_TESTENV=1 VISTREL_WINE=$wine_bin
cd "$folder"
"$@"
