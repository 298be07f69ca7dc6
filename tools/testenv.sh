#!/usr/bin/env bash
# Runs a command inside Vistrel's test environment and tears the environment down:
#   - a Wine prefix of its own, copied from a booted template kept in the cache
#     (code page 936, crashes exit at once, Chinese fonts);
#   - its own Xvfb on a free display with xcompmgr, so layered windows blend;
#   - a PulseAudio server of its own with a null sink whose monitor is a capture
#     device ("what plays");
#   - a persistent wineserver for the run.
# Everything it started is stopped at the end by its own pids.
#
#   tools/testenv.sh [--keep-prefix DIR] command args...
# The command sees WINEPREFIX, DISPLAY, PULSE_SERVER and VISTREL_TESTENV=1.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tools/lib.sh
. "$here/lib.sh"

screen_size=${VISTREL_SCREEN:-1280x800}

keep_prefix=
if [ "${1:-}" = --keep-prefix ]; then keep_prefix=$2; shift 2; fi
[ $# -gt 0 ] || die "usage: testenv.sh [--keep-prefix DIR] command args..."

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

start_wine() {
  local tpl; tpl=$(template_prefix)
  local prefix=${keep_prefix:-$run_dir/prefix}
  rm -rf "$prefix"; mkdir -p "$(dirname "$prefix")"
  cp -a "$tpl" "$prefix"
  export WINEPREFIX=$prefix
  start_wineserver
}

start_xvfb "$screen_size"
start_pulse
start_wine
export VISTREL_TESTENV=1 VISTREL_WINE=$wine_bin
"$@"
