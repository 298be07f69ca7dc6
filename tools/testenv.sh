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

wine_bin=/usr/lib/wine/wine64
wineserver_bin=/usr/lib/wine/wineserver64
screen_size=${VISTREL_SCREEN:-1280x800}

keep_prefix=
if [ "${1:-}" = --keep-prefix ]; then keep_prefix=$2; shift 2; fi
[ $# -gt 0 ] || die "usage: testenv.sh [--keep-prefix DIR] command args..."

export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64

pids=()
run_dir=$(mktemp -d "${TMPDIR:-/tmp}/vistrel-env.XXXXXX")

cleanup() {
  local status=$?
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    "$wineserver_bin" -k >/dev/null 2>&1 || true   # only this prefix's server
    "$wineserver_bin" -w >/dev/null 2>&1 || true
  fi
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

start_xvfb() {
  local fifo=$run_dir/display
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${screen_size}x24" -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
  pids+=($!)
  local n; read -r n <"$fifo" || die "Xvfb did not start"
  export DISPLAY=:$n
  xcompmgr >/dev/null 2>&1 &
  pids+=($!)
}

start_pulse() {
  local dir=$run_dir/pulse
  mkdir -p "$dir"
  HOME=$dir PULSE_RUNTIME_PATH=$dir pulseaudio -n --daemonize=no --exit-idle-time=-1 --disable-shm=yes \
    -L "module-null-sink sink_name=nullout sink_properties=device.description=NullOut" \
    -L "module-native-protocol-unix socket=$dir/pulse-native auth-anonymous=1" \
    -L module-always-sink >"$dir/log" 2>&1 &
  pids+=($!)
  export PULSE_SERVER=unix:$dir/pulse-native
  for _ in $(seq 100); do [ -S "$dir/pulse-native" ] && return 0; sleep 0.05; done
  die "PulseAudio did not start (see $dir/log)"
}

# The booted template prefix, made once per Wine version and this script.
template_prefix() {
  local key; key=$( { cat "${BASH_SOURCE[0]}"; dpkg-query -W -f='${Version}' wine64; } | sha256sum | cut -c1-12)
  local tpl; tpl=$(deps_root)/wineprefix-$key
  if [ ! -f "$tpl/.complete" ]; then
    log "booting a Wine prefix template (once)"
    rm -rf "$tpl"; mkdir -p "$tpl"
    WINEPREFIX=$tpl "$wine_bin" wineboot -i >/dev/null 2>&1
    configure_prefix "$tpl"
    WINEPREFIX=$tpl "$wineserver_bin" -k >/dev/null 2>&1 || true
    WINEPREFIX=$tpl "$wineserver_bin" -w >/dev/null 2>&1 || true
    touch "$tpl/.complete"
  fi
  echo "$tpl"
}

configure_prefix() {
  local prefix=$1 reg=$run_dir/setup.reg
  local font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
  [ -f "$font" ] && cp "$font" "$prefix/drive_c/windows/Fonts/"
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    # An unhandled exception ends the process at once instead of opening a debugger.
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug]\r\n"Debugger"=""\r\n"Auto"="1"\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    for f in SimSun "Microsoft YaHei" Tahoma "MS Shell Dlg" "MS Shell Dlg 2" Arial "宋体" "微软雅黑"; do
      printf '"%s"="WenQuanYi Micro Hei"\r\n' "$f"
    done
    printf '\r\n'
  } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
  WINEPREFIX=$prefix "$wine_bin" regedit /S "$(WINEPREFIX=$prefix "$wine_bin" winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
}

start_wine() {
  local tpl; tpl=$(template_prefix)
  local prefix=${keep_prefix:-$run_dir/prefix}
  rm -rf "$prefix"; mkdir -p "$(dirname "$prefix")"
  cp -a "$tpl" "$prefix"
  export WINEPREFIX=$prefix
  # The server and Wine's own services outlive the programs that start them; start
  # them here with no inherited output, or whoever reads a test's output (ctest, a
  # pipe) would wait for them to close it.
  "$wineserver_bin" -p </dev/null >/dev/null 2>&1
  "$wine_bin" wineboot -u </dev/null >/dev/null 2>&1 || true
}

start_xvfb
start_pulse
start_wine
export VISTREL_TESTENV=1 VISTREL_WINE=$wine_bin
"$@"
