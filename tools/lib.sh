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
    for p in ffmpeg x264 lame tinyxml2 zlib; do
      apt-cache showsrc --only-source "$p" 2>/dev/null | awk '/^Version:/{print $2}' | sort -uV
    done
    dpkg-query -W -f='${Version}\n' googletest g++-mingw-w64-x86-64-posix 2>/dev/null
  } | sha256sum | cut -c1-16
}
