#!/usr/bin/env bash
# Builds a static Qt for 64-bit Windows from Debian's own Qt sources, of the
# host Qt's version, and caches it. Prints the cached Qt's folder on stdout;
# everything else goes to stderr.
#
# The cache folder is keyed by the Qt version and a hash of the configure options
# and the toolchain file, so changing either builds a new Qt next to the old one.
# A folder counts only once its completion stamp is written, so an interrupted
# build is never used: it is removed and built again.
#
#   TRELVAN_CACHE   where the cache lives (default /var/cache/trelvan)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cache=${TRELVAN_CACHE:-/var/cache/trelvan}
toolchain=$root/cmake/mingw-w64-x86_64.cmake
jobs=$(nproc)

log() { echo "windows-qt: $*" >&2; }

host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
svg_version=$(dpkg-query -W -f='${Version}' qt6-svg-dev)
qt_version=${host_version%%[+-]*}
[ "${svg_version%%[+-]*}" = "$qt_version" ] || {
    log "qt6-base-dev $host_version and qt6-svg-dev $svg_version are different Qt versions"
    exit 1
}

# Core, Gui, Widgets, the windows and offscreen platforms and the SVG plugins;
# everything the program does not use is left out. DirectWrite is off because
# its Qt code does not link statically against the mingw-w64 headers; the GDI
# font engine takes its place.
options=(
    -static -static-runtime -release -opensource -confirm-license
    -xplatform win32-g++ -qt-host-path /usr
    -nomake examples -nomake tests
    -no-dbus -no-opengl -no-icu -no-feature-vulkan
    -no-feature-network -no-feature-sql -no-feature-printsupport
    -no-feature-concurrent -no-feature-testlib -no-feature-xml
    -no-feature-directwrite -no-feature-directwrite3
    -qt-zlib -qt-pcre -qt-libpng -no-libjpeg -qt-freetype -qt-harfbuzz
    -qt-doubleconversion
)
cmake_options=(
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
)
compiler=$(x86_64-w64-mingw32-g++-posix -dumpfullversion)
key=$(printf '%s\n' "$host_version" "$svg_version" "$compiler" "${options[@]}" "${cmake_options[@]}" |
    cat - "$toolchain" | sha256sum | cut -c1-10)
prefix=$cache/qt-$qt_version-mingw-static-$key
stamp=$prefix/.complete

if [ -f "$stamp" ]; then
    log "using the cached Qt in $prefix"
    echo "$prefix"
    exit 0
fi

# Debian's sources need a deb-src twin of the machine's Debian entries.
add_source_entries() {
    local twin=/etc/apt/sources.list.d/trelvan-deb-src.sources
    apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -qx Sources && return 0
    log "adding deb-src entries for the Debian archive"
    : >"$twin.new"
    local f
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] && [ "$f" != "$twin" ] || continue
        # Each stanza of a deb822 file, if it names a Debian archive, once more as deb-src.
        awk -v RS= -v ORS='\n\n' '/URIs:[^\n]*debian/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$f" >>"$twin.new"
    done
    mv "$twin.new" "$twin"
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb \(.*debian.*\)$/deb-src \1/p' /etc/apt/sources.list >"${twin%.sources}.list"
    fi
    apt-get -q -o Acquire::Retries=5 update >&2
}

fetch_source() { # package version folder
    local package=$1 version=$2 folder=$3
    [ -f "$folder/.fetched" ] && return 0
    rm -rf "$folder"
    mkdir -p "$folder"
    log "fetching the source of $package $version"
    (cd "$folder" && apt-get -q -o Acquire::Retries=5 source "$package=$version" >&2)
    touch "$folder/.fetched"
}

add_source_entries
sources=$cache/src
started=$SECONDS
work=$cache/build-$qt_version-$key
mkdir -p "$work"

# qtbase has its own stamp, so a failure in qtsvg does not cost the long build again.
if [ ! -f "$prefix/.qtbase-complete" ]; then
    fetch_source qt6-base "$host_version" "$sources/qt6-base-$host_version"
    base_src=$(find "$sources/qt6-base-$host_version" -mindepth 1 -maxdepth 1 -type d | head -n1)
    rm -rf "$prefix" "$work/qtbase"
    mkdir -p "$work/qtbase"
    log "configuring qtbase $qt_version into $prefix"
    (cd "$work/qtbase" && "$base_src/configure" -prefix "$prefix" "${options[@]}" -- \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" "${cmake_options[@]}" >&2)
    log "building qtbase (about half an hour on two cores)"
    nice -n 10 cmake --build "$work/qtbase" --parallel "$jobs" >&2
    cmake --install "$work/qtbase" >&2
    touch "$prefix/.qtbase-complete"
fi

fetch_source qt6-svg "$svg_version" "$sources/qt6-svg-$svg_version"
svg_src=$(find "$sources/qt6-svg-$svg_version" -mindepth 1 -maxdepth 1 -type d | head -n1)
log "building qtsvg"
rm -rf "$work/qtsvg"
mkdir -p "$work/qtsvg"
(cd "$work/qtsvg" && "$prefix/bin/qt-configure-module" "$svg_src" >&2)
nice -n 10 cmake --build "$work/qtsvg" --parallel "$jobs" >&2
cmake --install "$work/qtsvg" >&2

printf '%s\n' "Qt $qt_version (qt6-base $host_version, qt6-svg $svg_version), mingw-w64 g++ $compiler" \
    "${options[@]}" "${cmake_options[@]}" >"$prefix/configure-options.txt"
rm -rf "$work"
touch "$stamp"
log "built in $((SECONDS - started)) s"
echo "$prefix"
