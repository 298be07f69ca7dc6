#!/usr/bin/env bash
# Prepares a Debian 12 machine to build and test Vistrel:
#   1. installs the Debian packages the build and the tests need (only those missing);
#   2. cross-builds FFmpeg (with x264 and LAME, its libavutil allocating through
#      mimalloc), tinyxml2, zlib with minizip and GoogleTest from Debian's source
#      packages into a cache outside the clone.
# The cache is keyed by this script and the source package versions, so a second
# run finds it and returns at once. Prints nothing but progress; the prefix path is
# written to stdout as the last line.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tools/lib.sh
. "$here/lib.sh"

host=x86_64-w64-mingw32
packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
  wine64 xvfb xcompmgr x11-utils xdotool nasm cmake ninja-build make pkg-config dpkg-dev xz-utils bzip2
  pulseaudio pulseaudio-utils sox fonts-wqy-microhei googletest imagemagick locales clang-format
)

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; return; fi
  command -v sudo >/dev/null || die "installing packages needs root: run this as root, or install sudo and allow this user to use it"
  sudo "$@"
}

install_packages() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing: ${missing[*]}"
  as_root apt-get -o DPkg::Lock::Timeout=300 update -qq || die "apt-get update failed; check that this machine reaches the Debian archive named in its apt sources"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null ||
    die "could not install ${missing[*]}; check that apt's sources hold Debian 12 (bookworm) main and that the archive is reachable"
}

# Wine picks code page 936 from zh_CN.UTF-8; the locale must exist for that.
ensure_locale() {
  locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$' && return 0
  log "generating the zh_CN.UTF-8 locale"
  as_root sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
}

# A deb-src twin of each deb entry of the machine's own apt sources, so that
# `apt-get source` reaches the same archive the binaries come from. Plain POSIX awk:
# a new machine of this image has mawk, which knows no word boundaries.
deb822_src_twins() { # file -> prints the bookworm stanzas whose Types hold "deb", as deb-src
  awk 'BEGIN { RS = ""; ORS = "\n\n" }
  {
    n = split($0, line, "\n"); deb = 0; bookworm = 0; types = 0
    for (i = 1; i <= n; i++) {
      if (line[i] ~ /^Types:/) {
        types = i; m = split(substr(line[i], 7), word, /[ \t]+/)
        for (j = 1; j <= m; j++) if (word[j] == "deb") deb = 1
      }
      if (line[i] ~ /^Suites:/ && line[i] ~ /bookworm/) bookworm = 1
    }
    if (!deb || !bookworm) next
    line[types] = "Types: deb-src"; out = line[1]
    for (i = 2; i <= n; i++) out = out "\n" line[i]
    print out
  }' "$1"
}

ensure_deb_src() {
  local list=/etc/apt/sources.list.d/vistrel-deb-src.sources
  [ -f "$list" ] && return 0
  apt-get indextargets 2>/dev/null | grep -q 'Created-By: Sources' && return 0
  log "adding deb-src entries"
  local tmp; tmp=$(mktemp)
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && deb822_src_twins "$f" >> "$tmp"
  done
  if [ -f /etc/apt/sources.list ]; then
    grep -E '^deb[[:space:]]' /etc/apt/sources.list | grep bookworm | sed 's/^deb/deb-src/' > "$tmp.list" || true
    [ -s "$tmp.list" ] && as_root cp "$tmp.list" /etc/apt/sources.list.d/vistrel-deb-src.list
  fi
  if [ ! -s "$tmp" ] && [ ! -s "$tmp.list" ]; then
    rm -f "$tmp" "$tmp.list"
    die "no apt entry for Debian 12 (bookworm) found in /etc/apt/sources.list.d/*.sources or /etc/apt/sources.list;" \
      "add one (Types: deb, Suites: bookworm, Components: main) pointing at a Debian archive, then run this again"
  fi
  [ -s "$tmp" ] && as_root cp "$tmp" "$list"
  rm -f "$tmp" "$tmp.list"
  as_root apt-get -o DPkg::Lock::Timeout=300 update -qq || die "apt-get update failed after adding the deb-src entries ($list);" \
    "check that this machine reaches the Debian archive named in its apt sources"
}

src_versions() { apt-cache showsrc --only-source "$1" 2>/dev/null | awk '/^Version:/{print $2}' | sort -uVr; }

# Downloads the newest version of a source package that the archive really serves
# (a mirror may list a version whose files it lacks) into the current folder.
fetch_source() {
  local name=$1 v
  for v in $(src_versions "$name"); do
    if apt-get source --download-only -qq "$name=$v" >/dev/null 2>&1; then return 0; fi
  done
  if [ -z "$(src_versions "$name")" ]; then
    die "apt knows no source package $name: there is no deb-src entry for Debian 12 (bookworm) main;" \
      "add one beside the machine's deb entry in /etc/apt/sources.list.d (Types: deb-src), run apt-get update, then run this again"
  fi
  die "could not download the source package $name ($(src_versions "$name" | tr '\n' ' '));" \
    "check that this machine reaches the Debian archive named in its apt sources, then run this again"
}

unpack_orig() { # name -> prints the unpacked folder
  local name=$1 tarball
  tarball=$(ls "${name}"_*.orig.tar.* | grep -v '\.asc$' | awk 'NR==1')
  tar xf "$tarball"
  tar tf "$tarball" | awk -F/ 'NR==1{print $1}'
}

cross_env() {
  export CC=$host-gcc-posix CXX=$host-g++-posix AR=$host-ar RANLIB=$host-ranlib STRIP=$host-strip
  export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig PKG_CONFIG_PATH=
}

build_zlib() {
  local d; d=$(unpack_orig zlib)
  ( cd "$d" && cross_env && CHOST=$host ./configure --static --prefix="$prefix" >/dev/null && make -j"$jobs" install >/dev/null )
  # minizip: the ZIP reader/writer shipped in zlib's contrib folder
  ( cd "$d/contrib/minizip" && cross_env &&
    for f in ioapi unzip zip iowin32; do $CC -O2 -I"$prefix/include" -c $f.c -o $f.o; done &&
    $AR rcs "$prefix/lib/libminizip.a" ioapi.o unzip.o zip.o iowin32.o &&
    mkdir -p "$prefix/include/minizip" && cp ioapi.h unzip.h zip.h iowin32.h crypt.h "$prefix/include/minizip/" )
  cat > "$prefix/lib/pkgconfig/minizip.pc" <<EOF
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include
Name: minizip
Description: ZIP reading and writing from zlib's contrib
Version: 1.2.13
Requires: zlib
Libs: -L\${libdir} -lminizip
Cflags: -I\${includedir}/minizip
EOF
}

build_lame() {
  local d; d=$(unpack_orig lame)
  ( cd "$d" && cross_env && ./configure --host=$host --prefix="$prefix" --disable-shared --enable-static \
      --disable-frontend --disable-decoder --disable-gtktest --enable-nasm >/dev/null && make -j"$jobs" install >/dev/null )
}

build_x264() {
  local d; d=$(unpack_orig x264)
  ( cd "$d" && unset CC CXX AR RANLIB STRIP && export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig &&
    ./configure --host=$host --cross-prefix=$host- --prefix="$prefix" --enable-static --disable-cli \
      --disable-opencl --disable-lavf --disable-swscale --disable-ffms --disable-gpac --disable-lsmash \
      --disable-bashcompletion >/dev/null && make -j"$jobs" install >/dev/null )
}

configure_ffmpeg() { # source folder, extra switches... (run in the build folder)
  local src=$1; shift
  "$src/configure" --prefix="$prefix" --arch=x86_64 --target-os=mingw32 --enable-cross-compile \
    --cross-prefix=$host- --cc=$host-gcc-posix --cxx=$host-g++-posix --pkg-config=pkg-config \
    --pkg-config-flags=--static --extra-cflags="-I$prefix/include" --extra-ldflags="-L$prefix/lib" \
    --enable-static --disable-shared --enable-gpl --enable-version3 --disable-debug --disable-doc \
    --disable-autodetect --enable-w32threads --disable-everything --disable-ffplay \
    --enable-ffmpeg --enable-ffprobe --enable-libx264 --enable-libmp3lame --enable-zlib \
    --enable-avdevice --enable-avfilter --enable-swscale --enable-swresample \
    --enable-encoder=libx264,aac,libmp3lame,rawvideo,pcm_s16le \
    --enable-decoder=rawvideo,pcm_s16le,pcm_s32le,pcm_u8,pcm_f32le,h264,aac,mp3,mp3float,mjpeg \
    --enable-parser=h264,aac,mpegaudio,mjpeg \
    --enable-bsf=h264_mp4toannexb,aac_adtstoasc \
    --enable-muxer=mp4,mov,flv,mp3,null,wav \
    --enable-demuxer=mov,flv,mp3,aac,h264,wav,rawvideo \
    --enable-indev=dshow,lavfi --enable-protocol=file,pipe \
    --enable-filter=buffer,buffersink,abuffer,abuffersink,format,aformat,null,anull,scale,aresample,testsrc,testsrc2,sine,anullsrc,color,trim,atrim,setpts,asetpts,fps,crop,volume,amix,aevalsrc,pan,channelmap,copy,acopy,split,asplit \
    "$@" >/dev/null
}

# FFmpeg is built twice from one source. The first build is FFmpeg as its users
# have it: the libraries and ffmpeg.exe / ffprobe.exe (the benchmark compares the
# recorder with that ffmpeg.exe). The second rebuilds only libavutil with its
# allocations going through mimalloc, and installs it over the first one's, so the
# programs linked here reuse the large blocks a capture allocates for every picture
# instead of taking fresh pages from the system each time.
build_ffmpeg() {
  local d; d=$(unpack_orig ffmpeg)
  # Both build out of the source folder (FFmpeg refuses that once it was configured in it).
  mkdir -p ffmpeg-build ffmpeg-mimalloc
  ( cd ffmpeg-build && export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig PKG_CONFIG_PATH= && configure_ffmpeg "../$d" &&
    make -j"$jobs" >/dev/null && make install >/dev/null ) &&
  ( cd ffmpeg-mimalloc && export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig PKG_CONFIG_PATH= &&
    configure_ffmpeg "../$d" --malloc-prefix=mi_ --extra-libs="-lmimalloc -lpsapi -lshell32 -ladvapi32 -luser32 -lbcrypt" &&
    # With _aligned_malloc in the C library, av_free() calls _aligned_free() whatever
    # allocated the block; with the prefix, av_malloc() goes through mi_posix_memalign.
    sed -i 's/^#define HAVE_ALIGNED_MALLOC 1$/#define HAVE_ALIGNED_MALLOC 0/' config.h &&
    grep -q '^#define HAVE_POSIX_MEMALIGN 1$' config.h &&
    make -j"$jobs" libavutil/libavutil.a libavutil/libavutil.pc >/dev/null &&
    make install-libavutil-static install-libavutil-pkgconfig >/dev/null &&
    sed -i 's/^Requires.private: *$/Requires.private: mimalloc/' "$prefix/lib/pkgconfig/libavutil.pc" &&
    grep -q '^Requires.private: mimalloc$' "$prefix/lib/pkgconfig/libavutil.pc" )
}

# mimalloc as a static library with its own mi_ names (it replaces no C library
# function); FFmpeg's libavutil is built to call it.
build_mimalloc() {
  local d; d=$(unpack_orig mimalloc)
  cmake -S "$d" -B mimalloc-build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/../cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DMI_OVERRIDE=OFF -DMI_BUILD_SHARED=OFF \
    -DMI_BUILD_OBJECT=OFF -DMI_BUILD_TESTS=OFF -DMI_INSTALL_TOPLEVEL=ON >/dev/null
  cmake --build mimalloc-build >/dev/null && cmake --install mimalloc-build >/dev/null
  # Its pkg-config file names -lmimalloc; the static build is libmimalloc-static.a.
  mv "$prefix/lib/libmimalloc-static.a" "$prefix/lib/libmimalloc.a"
}

build_tinyxml2() {
  local d; d=$(unpack_orig tinyxml2)
  ( cd "$d" && cross_env && $CXX -O2 -c tinyxml2.cpp -o tinyxml2.o && $AR rcs "$prefix/lib/libtinyxml2.a" tinyxml2.o &&
    cp tinyxml2.h "$prefix/include/" )
  cat > "$prefix/lib/pkgconfig/tinyxml2.pc" <<EOF
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include
Name: tinyxml2
Description: XML reader and writer
Version: ${d#tinyxml2-}
Libs: -L\${libdir} -ltinyxml2
Cflags: -I\${includedir}
EOF
}

# GoogleTest from the sources Debian's googletest package installs under /usr/src.
build_googletest() {
  cmake -S /usr/src/googletest -B gtest-build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/../cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF >/dev/null
  cmake --build gtest-build >/dev/null && cmake --install gtest-build >/dev/null
}

main() {
  install_packages
  ensure_locale
  ensure_deb_src
  local key; key=$(deps_key)
  prefix=$(deps_root)/$key
  if [ -f "$prefix/.complete" ]; then echo "$prefix"; return 0; fi
  # One build at a time per cache; a second caller waits and then finds it done.
  mkdir -p "$(deps_root)"
  exec 9>"$(deps_root)/setup.lock"
  flock 9
  if [ -f "$prefix/.complete" ]; then echo "$prefix"; return 0; fi
  jobs=$(nproc)
  log "building the dependencies into $prefix (a few minutes, once)"
  rm -rf "$prefix" "$(deps_root)"/work.*; mkdir -p "$prefix/lib/pkgconfig" "$prefix/include"
  work=$(mktemp -d "$(deps_root)/work.XXXXXX")
  trap 'rm -rf "${work:-}"' EXIT
  cd "$work"
  for p in zlib lame x264 mimalloc ffmpeg tinyxml2; do fetch_source "$p"; done
  local step
  for step in zlib lame x264 mimalloc ffmpeg tinyxml2 googletest; do
    log "  $step"
    "build_$step" >"$work/$step.log" 2>&1 || { tail -n 40 "$work/$step.log" >&2; die "building $step failed"; }
  done
  touch "$prefix/.complete"
  echo "$prefix"
}

main "$@"
