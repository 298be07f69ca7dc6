# Shared helpers of the tools/ scripts (sourced, not run).

log() { echo "[vistrel] $*" >&2; }
die() { echo "[vistrel] error: $*" >&2; exit 1; }

tools_dir() { cd "$(dirname "${BASH_SOURCE[0]}")" && pwd; }

# Where the cross-built dependencies and the booted Wine prefix live: outside the
# clone, so every checkout on the machine shares them.
deps_root() { echo "${VISTREL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vistrel}"; }

# The cache key: what the dependency build is made from. The script and the
# toolchain file that build it, and every source package version it may take.
deps_key() {
  local t; t=$(tools_dir)
  {
    cat "$t/setup.sh" "$t/../cmake/mingw-w64-x86_64.cmake"
    for p in ffmpeg x264 lame mimalloc tinyxml2 zlib; do
      apt-cache showsrc --only-source "$p" 2>/dev/null | awk '/^Version:/{print $2}' | sort -uV
    done
    dpkg-query -W -f='${Version}\n' googletest g++-mingw-w64-x86-64-posix 2>/dev/null
  } | sha256sum | cut -c1-16
}

# --- Wine, display and sound for the project's programs (testenv.sh, run.sh) ---
# The functions below use the caller's run_dir (a scratch folder) and append what
# they start to the caller's array pids, so that the caller stops it by pid.

wine_bin=/usr/lib/wine/wine64
wineserver_bin=/usr/lib/wine/wineserver64

# Code page 936 (the "chs" locale the programs rely on; VISTREL_LOCALE names another,
# e.g. C.UTF-8 for code page 1252), quiet Wine, no Mono/Gecko prompts, no menu
# entries written to the desktop.
export_wine_env() {
  local locale=${VISTREL_LOCALE:-zh_CN.UTF-8}
  export LANG=$locale LC_ALL=$locale
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export WINEARCH=win64
}

# A private Xvfb of the given size (e.g. 1280x800) on a free display, with xcompmgr
# so that layered windows blend; exports DISPLAY.
start_xvfb() {
  local size=$1 fifo=$run_dir/display
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
  pids+=($!)
  local n; read -r n <"$fifo" || die "Xvfb did not start"
  export DISPLAY=:$n
  xcompmgr >/dev/null 2>&1 &
  pids+=($!)
}

# A private PulseAudio with the null sink "nullout" (its monitor is a capture
# device: "what plays"); exports PULSE_SERVER.
start_pulse() {
  launch_pulse
  wait_for_pulse
}

# start_pulse in two halves, so that other things start while it comes up.
launch_pulse() {
  local dir=$run_dir/pulse
  mkdir -p "$dir"
  HOME=$dir PULSE_RUNTIME_PATH=$dir pulseaudio -n --daemonize=no --exit-idle-time=-1 --disable-shm=yes \
    -L "module-null-sink sink_name=nullout sink_properties=device.description=NullOut" \
    -L "module-native-protocol-unix socket=$dir/pulse-native auth-anonymous=1" \
    -L module-always-sink >"$dir/log" 2>&1 &
  pids+=($!)
  export PULSE_SERVER=unix:$dir/pulse-native
}

wait_for_pulse() {
  local dir=$run_dir/pulse
  for _ in $(seq 200); do [ -S "$dir/pulse-native" ] && return 0; sleep 0.05; done
  die "PulseAudio did not start (see $dir/log)"
}

# The booted template prefix, made once per Wine version and these helpers; prints
# its path. Prefixes are copies of it (copying takes half a second, booting eight).
template_prefix() {
  local key; key=$( { cat "$(tools_dir)/lib.sh"; dpkg-query -W -f='${Version}' wine64; } | sha256sum | cut -c1-12)
  local root; root=$(deps_root)
  local tpl=$root/wineprefix-$key
  mkdir -p "$root"
  (
    flock 9  # one boot at a time when several runs start together
    if [ ! -f "$tpl/.complete" ]; then
      log "booting a Wine prefix template (once)"
      rm -rf "$tpl"; mkdir -p "$tpl"
      WINEPREFIX=$tpl "$wine_bin" wineboot -i >/dev/null 2>&1
      configure_prefix "$tpl"
      WINEPREFIX=$tpl "$wineserver_bin" -k >/dev/null 2>&1 || true
      WINEPREFIX=$tpl "$wineserver_bin" -w >/dev/null 2>&1 || true
      touch "$tpl/.complete"
    fi
  ) 9>"$root/wineprefix.lock"
  echo "$tpl"
}

# Chinese fonts for GDI and GDI+, and crashes that end the program at once
# (its own crash filter still runs) instead of opening a debugger.
configure_prefix() {
  local prefix=$1 reg=$run_dir/setup.reg
  local font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
  [ -f "$font" ] && cp "$font" "$prefix/drive_c/windows/Fonts/"
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug]\r\n"Debugger"=""\r\n"Auto"="1"\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    for f in SimSun "Microsoft YaHei" Tahoma "MS Shell Dlg" "MS Shell Dlg 2" Arial "宋体" "微软雅黑"; do
      printf '"%s"="WenQuanYi Micro Hei"\r\n' "$f"
    done
    printf '\r\n'
    # No window manager runs on the project's displays: see windows_managed. The
    # region frame's tests click through its transparent pixels with X input, which
    # Wine passes on to the window below only for windows it lets a manager handle.
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n\r\n'
    for exe in overlay_frame_tests.exe; do
      printf '[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\%s\\X11 Driver]\r\n"Managed"="Y"\r\n\r\n' "$exe"
    done
  } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
  WINEPREFIX=$prefix "$wine_bin" regedit /S "$(WINEPREFIX=$prefix "$wine_bin" winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
}

# Whether Wine hands WINEPREFIX's windows to a window manager (yes, Wine's default)
# or places them itself (no). Wine waits up to 2 s for a manager to confirm every
# hide of a managed window, so on a display without one (the project's Xvfb) each
# hide blocks the program for those 2 s; unmanaged, a hide takes milliseconds.
# The prefix's wineserver must be running; programs started afterwards see it.
windows_managed() {
  local key='HKCU\Software\Wine\X11 Driver'
  if [ "$1" = no ]; then
    "$wine_bin" reg add "$key" /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
  else
    "$wine_bin" reg delete "$key" /v Managed /f </dev/null >/dev/null 2>&1 || true
  fi
}

# The drives of a prefix: its own C: and `folder` as D:, nothing else (a fresh
# prefix maps the host's root as Z:, where a program would write what it puts at
# the root of the drive with the most space).
set_drives() {
  local prefix=$1 folder=$2 drive
  for drive in "$prefix"/dosdevices/?:; do
    case ${drive##*/} in c:) ;; *) rm -f "$drive" ;; esac
  done
  ln -s "$folder" "$prefix/dosdevices/d:"
}

# A persistent wineserver for WINEPREFIX and Wine's own services, started with no
# inherited output: they outlive the programs that start them, and whoever reads a
# program's output (ctest, a pipe) would otherwise wait for them to close it.
start_wineserver() {
  "$wineserver_bin" -p </dev/null >/dev/null 2>&1
  # A plain boot: the copy is up to date, and an update (-u) costs seconds.
  "$wine_bin" wineboot </dev/null >/dev/null 2>&1 || true
  # Bring up the desktop once, so the display settings are read from the X server
  # before programs start in parallel and none of them sees a half-made display list.
  "$wine_bin" rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true
}

# Stops WINEPREFIX's wineserver (only this prefix's) and waits for it.
stop_wineserver() {
  "$wineserver_bin" -k >/dev/null 2>&1 || true
  "$wineserver_bin" -w >/dev/null 2>&1 || true
}
