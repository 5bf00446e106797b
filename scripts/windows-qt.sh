#!/usr/bin/env bash
# Builds a static Qt for 64-bit Windows (qtbase: Core, Gui, Widgets and their
# plugins) from Debian's own Qt source of the host Qt's version, and caches it.
# Prints the cached Qt's folder on stdout; everything else goes to stderr.
#
# The cache folder is keyed by the Qt version and a hash of the Debian source
# version, the compiler, the configure options and the toolchain file, so a change
# to any of them builds a new Qt next to the old one. A folder counts only once
# its completion stamp is written, so a half-built or half-installed Qt is never
# used. An interrupted build resumes from its build folder.
#
#   TRELVAN_CACHE   where the cache lives (default /var/cache/trelvan)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cache=${TRELVAN_CACHE:-/var/cache/trelvan}
toolchain=$root/cmake/mingw-w64-x86_64.cmake
jobs=$(nproc)

log() { echo "windows-qt: $*" >&2; }

host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
qt_version=${host_version%%[+-]*}

# What the program uses and nothing else.
options=(
    -static -static-runtime -release -opensource -confirm-license
    -xplatform win32-g++ -qt-host-path /usr
    -nomake examples -nomake tests
    -no-dbus -no-opengl -no-icu -no-feature-vulkan
    -no-feature-network -no-feature-sql -no-feature-printsupport
    -no-feature-concurrent -no-feature-testlib -no-feature-xml
)
# Before Qt 6.8 the DirectWrite font database does not link statically against
# Debian 12's mingw-w64 headers, and the GDI font engine takes its place; from 6.8
# on the Windows font database is built on DirectWrite and cannot do without it.
if dpkg --compare-versions "$qt_version" lt 6.8; then
    options+=(-no-feature-directwrite -no-feature-directwrite3)
fi
options+=(
    -qt-zlib -qt-pcre -qt-libpng -no-libjpeg -qt-freetype -qt-harfbuzz
    -qt-doubleconversion
)
cmake_options=(
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
)
compiler=$(x86_64-w64-mingw32-g++-posix -dumpfullversion)

# Debian's qtbase source leaves out the Wintab tablet headers (their licence
# forbids changes), which the Windows platform plugins include for tablets
# that predate Windows Ink: the windows plugin, and the Direct2D one, built from
# the same sources where DirectWrite is on. Both are built without Wintab; pens
# still reach the program through Windows' own pointer messages.
without_wintab() {
    local platforms=$1/src/plugins/platforms
    sed -i 's/^\(qt_internal_extend_target(QWindows[A-Za-z0-9]*IntegrationPlugin CONDITION\) QT_FEATURE_tabletevent$/\1 OFF/' \
        "$platforms/windows/CMakeLists.txt" "$platforms/direct2d/CMakeLists.txt"
    sed -i 's/QT_CONFIG(tabletevent)/0 \/* no Wintab *\//' "$platforms/windows/qwindowscontext.cpp"
    sed -i '/^# *include "qwindowstabletsupport.h"$/d' "$platforms/windows/qwindowspointerhandler.cpp"
}

key=$(printf '%s\n' "$host_version" "$compiler" "${options[@]}" "${cmake_options[@]}" |
    cat - "$toolchain" <(declare -f without_wintab) | sha256sum | cut -c1-10)
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

# The source as patched, so that a changed patch fetches it afresh.
source_folder=$cache/src/qt6-base-$host_version-$(declare -f without_wintab | sha256sum | cut -c1-10)
if [ ! -f "$source_folder/.fetched" ]; then
    mkdir -p "$cache/src"
    find "$cache/src" -mindepth 1 -maxdepth 1 -name "qt6-base-$host_version*" ! -path "$source_folder" \
        -exec rm -rf {} +
    add_source_entries
    rm -rf "$source_folder"
    mkdir -p "$source_folder"
    log "fetching the source of qt6-base $host_version"
    (cd "$source_folder" && apt-get -q -o Acquire::Retries=5 source "qt6-base=$host_version" >&2)
    without_wintab "$(find "$source_folder" -mindepth 1 -maxdepth 1 -type d | head -n1)"
    touch "$source_folder/.fetched"
fi
source=$(find "$source_folder" -mindepth 1 -maxdepth 1 -type d | head -n1)

started=$SECONDS
work=$cache/build-$qt_version-$key
# A build of this version left half done under other options is never resumed.
find "$cache" -mindepth 1 -maxdepth 1 -name "build-$qt_version-*" ! -path "$work" -exec rm -rf {} +
if [ ! -f "$work/build.ninja" ]; then
    rm -rf "$work"
    mkdir -p "$work"
    log "configuring qtbase $qt_version for $prefix"
    (cd "$work" && "$source/configure" -prefix "$prefix" "${options[@]}" -- \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" "${cmake_options[@]}" >&2)
fi
log "building qtbase (a quarter of an hour on two idle cores, an hour on busy ones)"
nice -n 10 cmake --build "$work" --parallel "$jobs" >&2
rm -rf "$prefix"
cmake --install "$work" >&2
printf '%s\n' "Qt $qt_version (Debian qt6-base $host_version), mingw-w64 g++ $compiler" \
    "${options[@]}" "${cmake_options[@]}" >"$prefix/configure-options.txt"
touch "$stamp"
rm -rf "$work"
# Builds of this version under earlier options are not used again.
find "$cache" -mindepth 1 -maxdepth 1 -name "qt-$qt_version-mingw-static-*" ! -path "$prefix" -exec rm -rf {} +
log "built in $((SECONDS - started)) s"
echo "$prefix"
