#!/bin/sh
# Builds the static Qt that the Windows program links, once per machine: from Debian's own
# qt6-base source (the host Qt's version, whose moc and rcc the build uses), with only what the
# program needs. The result is cached outside the clone under a key made of the version and of
# this configure line, so a changed line builds a new Qt beside the old one.
#
#   tools/windows/build-qt.sh TOOLCHAIN_FILE   prints the prefix of the finished Qt
set -eu

toolchain=$(realpath "$1")
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)

configure_line="-xplatform win32-g++ -qt-host-path /usr -static -static-runtime -release
 -nomake examples -nomake tests -no-opengl -no-dbus -no-icu -no-feature-network -no-feature-sql
 -no-feature-xml -no-feature-testlib -no-feature-printsupport -no-feature-concurrent
 -no-feature-vulkan -no-feature-direct2d -no-feature-jpeg -no-feature-zstd -no-feature-tabletevent
 -no-feature-directwrite3 -qt-zlib -qt-libpng -qt-freetype -qt-harfbuzz -qt-pcre"

key=$(printf '%s\n%s\n%s\n' "$version" "$configure_line" "$(cat "$toolchain")" | sha256sum | cut -c1-12)
cache=${ZOLTREK_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zoltrek}
here="$cache/qt-$(echo "$version" | sed 's/[^A-Za-z0-9.]/_/g')-$key"
prefix="$here/prefix"

if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

mkdir -p "$here"
# One build at a time per cache: a second make waits for the first instead of building twice.
exec 9>"$here/.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

log="$here/build.log"
echo "Building the static Qt $version for Windows once, into $here (about 12 minutes on 2 cores;" >&2
echo "the log is $log)" >&2
started=$(date +%s)
{
  rm -rf "$here/src" "$here/build" "$prefix"
  mkdir -p "$here/src" "$here/build"
  (cd "$here/src" && apt-get source "qt6-base=$version")
  source_dir=$(find "$here/src" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
  cd "$here/build"
  # shellcheck disable=SC2086 # the configure line is a list of words
  "$source_dir/configure" -prefix "$prefix" $configure_line -- -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  cmake --build . --parallel "$jobs"
  cmake --install .
} >"$log" 2>&1 || { tail -n 40 "$log" >&2; echo "The static Qt failed to build; see $log" >&2; exit 1; }

# The sources and the objects are not needed once Qt is installed.
rm -rf "$here/src" "$here/build"
# Qt's CMake files name the prefix they were installed to, so the prefix is final from the start
# and this mark says the install ended.
touch "$prefix/.complete"
echo "The static Qt took $(( $(date +%s) - started )) s" >&2
echo "$prefix"
