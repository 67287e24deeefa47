#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Tavrin, Quelda and tvrtool for Windows x86-64 on a Debian 12 machine, with MinGW-w64,
# and makes of them a folder that runs as it is (Qt's DLLs and plugins and the compiler's
# runtime beside the programs), the same folder as a zip, and an installer.
#
# Debian ships no Windows Qt, so the first run cross-builds one from Debian's own qt6-base
# source package (the same version as the Linux build), into a cache outside the tree keyed by
# that version and the options it was configured with; later runs reuse it.
#
# Usage: windows.sh [qt|test]   qt: only make sure the Windows Qt is built, and print its prefix;
#   test: build everything, then run it under Wine (tests/wine/programs_under_wine.sh).
# Environment: TAVRIN_WINDOWS_BUILD (the build folder, default build-windows),
#              TAVRIN_QT_MINGW_CACHE (where the Windows Qt is kept), TAVRIN_WINDOWS_QT (a
#              Windows Qt of the same version to use instead, by its prefix), JOBS.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
what=${1:-all}
jobs=${JOBS:-$(nproc)}
build_dir=${TAVRIN_WINDOWS_BUILD:-$source_dir/build-windows}
cache_root=${TAVRIN_QT_MINGW_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tavrin-qt-mingw}
toolchain=$source_dir/cmake/mingw-w64.cmake

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive

# What building needs: the cross compilers, the host's Qt tools (Qt's own cross-build runs
# them, as ours does), Perl for Qt's header generation, dpkg-dev to unpack the source package,
# NSIS for the installer, and what renders the icons and makes the Windows icon files of them.
packages=(cmake ninja-build g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  qt6-base-dev qt6-base-dev-tools perl dpkg-dev xz-utils nsis librsvg2-bin icoutils)
# Running it: Wine (64-bit only) on a private X server, real key strokes and the clipboard from
# X, a Japanese locale made for Wine's code page, and Python to write and read the test files.
if [ "$what" = test ]; then
  packages+=(wine wine64 xvfb xauth xdotool x11-utils xclip locales python3)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The version of Qt the host's tools are: the Windows Qt must be the same.
qt_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
# Only what the programs use, and the plugins they need on Windows: the windows and the
# headless platforms, the ico image reader and the windowsvista style. The libraries Qt can
# bring itself come from its own copies, never from the cross compiler's root. Two things
# Debian's source cannot build: the tablet support (its tarball lacks the library the windows
# plugin includes) and turning Direct2D off (the DirectWrite font engine, which PrintSupport
# uses, is built only with it). OpenGL goes as configure's "no" says (without that, configure
# wants some OpenGL) and with its dynamic loading, which left on alone does not compile in the
# windows plugin. Without ICU and zstd: the programs ask Windows for their code page, and rcc is
# told that this Qt cannot read zstd.
qt_options=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF
  -DFEATURE_concurrent=OFF -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_opengl_dynamic=OFF
  -DFEATURE_dynamicgl=OFF -DFEATURE_vulkan=OFF -DFEATURE_freetype=OFF -DFEATURE_fontconfig=OFF
  -DFEATURE_glib=OFF -DFEATURE_icu=OFF -DFEATURE_zstd=OFF
  -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_tabletevent=OFF
  -DFEATURE_direct2d=ON -DFEATURE_directwrite=ON
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF
)
qt_key=$( (printf '%s\n' "$qt_version" "${qt_options[@]}"; cat "$toolchain") | sha256sum |
  cut -c1-16)
qt_prefix=$cache_root/qt-${qt_version%%+*}-$qt_key
host_cmake_dir=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake

build_qt() {
  local work=$cache_root/build-$qt_key
  mkdir -p "$work"
  if [ ! -d "$work/source" ]; then
    # The source package needs deb-src lines, which a new machine has not got: the same
    # archives as the binary packages come from.
    if ! apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package:'; then
      local list=/etc/apt/sources.list.d/tavrin-deb-src.sources
      if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
          "${sudo_cmd[@]}" tee "$list" >/dev/null
      else
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
          "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/tavrin-deb-src.list >/dev/null
      fi
      "${sudo_cmd[@]}" apt-get update -q
    fi
    rm -rf "$work/download"
    mkdir "$work/download"
    (cd "$work/download" && timeout 1200 apt-get source -q "qt6-base=$qt_version")
    mv "$work"/download/qt6-base-*/ "$work/source"
    rm -rf "$work/download"
  fi
  echo "Building the Windows Qt $qt_version into $qt_prefix (once; about 15 minutes on 2 cores)"
  cmake -S "$work/source" -B "$work/build" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" \
    -DCMAKE_INSTALL_PREFIX="$qt_prefix.partial" "${qt_options[@]}" >"$work/configure.log" ||
    { tail -n 60 "$work/configure.log"; exit 1; }
  nice cmake --build "$work/build" -j "$jobs" >"$work/build.log" 2>&1 ||
    { tail -n 60 "$work/build.log"; exit 1; }
  rm -rf "$qt_prefix.partial"
  cmake --install "$work/build" >/dev/null
  # Only a complete install ever carries the cache's name.
  mv "$qt_prefix.partial" "$qt_prefix"
  rm -rf "$work"
}

if [ -n "${TAVRIN_WINDOWS_QT:-}" ]; then
  qt_prefix=$TAVRIN_WINDOWS_QT
  echo "Using the Windows Qt in $qt_prefix"
elif [ -f "$qt_prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  echo "Reusing the Windows Qt in $qt_prefix"
else
  # Two runs at once (from two clones, say) would build in the same folder: the second waits
  # for the first, then takes what it made.
  mkdir -p "$cache_root"
  exec 9>"$cache_root/build-$qt_key.lock"
  flock 9
  if [ -f "$qt_prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
    echo "Reusing the Windows Qt in $qt_prefix"
  else
    build_qt
  fi
  exec 9>&-
fi
if [ "$what" = qt ]; then
  echo "$qt_prefix"
  exit 0
fi

# The programs, and the one test that must pass on Windows as on Linux: the labels' code pages.
mkdir -p "$build_dir"
launcher=()
if command -v ccache >/dev/null; then
  # Another clone of the tree hits the same cache entries.
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$source_dir}
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  "${launcher[@]}" -DCMAKE_PREFIX_PATH="$qt_prefix" -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
  >"$build_dir/configure.log" 2>&1 || { tail -n 40 "$build_dir/configure.log"; exit 1; }
echo "Building the Windows programs in $build_dir"
log=$build_dir/build.log
{ cmake --build "$build_dir" -j "$jobs" &&
  cmake --build "$build_dir" -j "$jobs" --target tst_colorandlabel; } >"$log" 2>&1 ||
  { grep -A20 -m3 'FAILED' "$log" || tail -n 40 "$log"; exit 1; }

# The folder that runs as it is, then the installer and the zip (which holds the same folder).
dist=$build_dir/dist
rm -rf "$dist"
cmake --install "$build_dir" --prefix "$dist/Tavrin" --strip >/dev/null
(cd "$build_dir" && cpack -B "$dist" >"$build_dir/cpack.log" 2>&1) ||
  { tail -n 40 "$build_dir/cpack.log"; exit 1; }
rm -rf "$dist/_CPack_Packages"
echo "Windows programs: $dist/Tavrin"
ls "$dist"/*.exe "$dist"/*.zip

if [ "$what" = test ]; then
  bash "$source_dir/tests/wine/programs_under_wine.sh" "$source_dir" "$build_dir" "$qt_prefix"
fi
