# Shared helpers of the project scripts. Source it; do not run it.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
NPROC="$(nproc 2>/dev/null || echo 2)"

log() { printf '[motoskop] %s\n' "$*" >&2; }
die() { printf '[motoskop] error: %s\n' "$*" >&2; exit 1; }

# Debian packages every script may need. Installed when missing (as root), or
# the one command to run is printed.
MOTOSKOP_PACKAGES=(cmake g++ make pkg-config libgtest-dev googletest libbenchmark-dev libjpeg-dev
  mingw-w64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  wine wine64 xvfb xdotool imagemagick x11-utils xauth libgl1-mesa-dri dpkg-dev python3)

ensure_packages() {
  local missing=() p
  for p in "${MOTOSKOP_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    log "installing: ${missing[*]}"
    apt-get update -qq >/dev/null
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null ||
      die "apt-get install failed"
  else
    die "missing packages; run: sudo apt-get install -y ${missing[*]}"
  fi
}

# Static libjpeg for the Windows build, cross-built once from Debian's source
# package and cached under build/.
JPEG_PREFIX="$BUILD/libjpeg-win"
build_libjpeg() {
  [ -f "$JPEG_PREFIX/lib/libjpeg.a" ] && return 0
  local src="$BUILD/libjpeg-src"
  rm -rf "$src" && mkdir -p "$src"
  if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    [ "$(id -u)" -eq 0 ] || die "no deb-src entry; add one for your suite and run apt-get update"
    local suite
    suite="$(. /etc/os-release && echo "$VERSION_CODENAME")"
    log "adding a deb-src entry for $suite"
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
      "$suite" >/etc/apt/sources.list.d/motoskop-src.sources
    apt-get update -qq >/dev/null
  fi
  log "fetching libjpeg-turbo sources"
  (cd "$src" && apt-get source -qq --download-only libjpeg-turbo >/dev/null 2>&1) ||
    die "apt-get source libjpeg-turbo failed"
  (cd "$src" && dpkg-source -x --skip-patches ./*.dsc unpacked >/dev/null) || die "dpkg-source failed"
  log "cross-building libjpeg"
  cmake -S "$src/unpacked" -B "$src/build" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DWITH_SIMD=OFF -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_TURBOJPEG=OFF -DCMAKE_INSTALL_PREFIX="$JPEG_PREFIX" >"$src/configure.log" 2>&1 ||
    die "libjpeg configure failed (see $src/configure.log)"
  cmake --build "$src/build" --target jpeg-static -j"$NPROC" >"$src/build.log" 2>&1 ||
    die "libjpeg build failed (see $src/build.log)"
  mkdir -p "$JPEG_PREFIX/lib" "$JPEG_PREFIX/include"
  cp "$src/build/libjpeg.a" "$JPEG_PREFIX/lib/"
  cp "$src/build/jconfig.h" "$src/unpacked/jpeglib.h" "$src/unpacked/jmorecfg.h" "$src/unpacked/jerror.h" \
    "$JPEG_PREFIX/include/"
}

# build_native [target...]: the host build in build/native (everything when no target is named).
# Optimised, with line tables only (-g1): the sanitizers' reports name file and line, and the
# build takes a quarter less than with full debug information.
build_native() {
  mkdir -p "$BUILD"
  cmake -S "$ROOT" -B "$BUILD/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
    >"$BUILD/native-configure.log" 2>&1 ||
    { cat "$BUILD/native-configure.log"; die "native configure failed"; }
  local targets=() t
  for t in "$@"; do targets+=(--target "$t"); done
  cmake --build "$BUILD/native" -j"$NPROC" "${targets[@]}" || die "native build failed"
}

# build_windows [target...]: the mingw-w64 build in build/win (everything when no target is named).
build_windows() {
  build_libjpeg
  cmake -S "$ROOT" -B "$BUILD/win" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DMOTOSKOP_JPEG_PREFIX="$JPEG_PREFIX" >"$BUILD/win-configure.log" 2>&1 ||
    { cat "$BUILD/win-configure.log"; die "windows configure failed"; }
  local targets=() t
  for t in "$@"; do targets+=(--target "$t"); done
  cmake --build "$BUILD/win" -j"$NPROC" "${targets[@]}" || die "windows build failed"
}
