#!/usr/bin/env bash
# Builds a static Qt (qtbase: Core, Gui, Widgets and their plugins) for another
# platform from Debian's own Qt source of the host Qt's version, and caches it.
# Prints the cached Qt's folder on stdout; everything else goes to stderr.
#
#   static-qt.sh windows    64-bit Windows, with the mingw-w64 cross compiler
#   static-qt.sh web        WebAssembly, with Debian's emscripten
#
# The cache folder is keyed by the Qt version and a hash of the Debian source
# version, the compiler, the configure options, the toolchain and the source
# patch, so a change to any of them builds a new Qt next to the old one. A folder
# counts only once its completion stamp is written, so a half-built or
# half-installed Qt is never used. An interrupted build resumes from its build
# folder.
#
#   TRELVAN_CACHE   where the cache lives (default /var/cache/trelvan)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cache=${TRELVAN_CACHE:-/var/cache/trelvan}
jobs=$(nproc)
target=${1:-}

log() { echo "static-qt: $*" >&2; }

host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
qt_version=${host_version%%[+-]*}

# What the program uses and nothing else, on every platform: no network, no
# database, no printing, no image format but PNG.
common_options=(
    -static -release -opensource -confirm-license
    -qt-host-path /usr
    -nomake examples -nomake tests
    -no-dbus -no-icu
    -no-feature-network -no-feature-sql -no-feature-printsupport
    -no-feature-concurrent -no-feature-testlib -no-feature-xml
    -qt-zlib -qt-pcre -qt-libpng -no-libjpeg -no-gif -no-ico -qt-freetype -qt-harfbuzz
)
cmake_options=(
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
)

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

# The web platform plugin carries DejaVu Sans and Sans Mono (1 MB) as the browser's
# only fonts; the program brings the faces it shows, so they are left out. The
# plugin skips fonts it cannot open.
without_dejavu() {
    local plugin=$1/src/plugins/platforms/wasm/CMakeLists.txt
    sed -i '/^qt_internal_add_resource(QWasmIntegrationPlugin "wasmfonts"$/,/^)$/d' "$plugin"
    ! grep -q '"wasmfonts"' "$plugin"
}

case "$target" in
windows)
    flavour=mingw-static
    toolchain=$root/cmake/mingw-w64-x86_64.cmake
    patch=without_wintab
    compiler=$(x86_64-w64-mingw32-g++-posix -dumpfullversion)
    # The C++ runtime inside; Windows' own font rendering (DirectWrite), no OpenGL.
    options=(
        "${common_options[@]}"
        -xplatform win32-g++ -static-runtime -no-opengl -no-feature-vulkan
        -qt-doubleconversion
    )
    configure_toolchain=(-DCMAKE_TOOLCHAIN_FILE="$toolchain")
    key_files=("$toolchain")
    ;;
web)
    flavour=wasm-static
    patch=without_dejavu
    compiler=$(emcc -dumpversion)
    # Qt's configure, and its CMake files when a program is built, find emscripten
    # through an emsdk folder: this one, beside the Qt builds, names Debian's
    # emscripten as the emsdk's own (the web preset names it).
    EMSDK=$cache/emsdk
    export EMSDK
    mkdir -p "$EMSDK/upstream"
    ln -sfn /usr/share/emscripten "$EMSDK/upstream/emscripten"
    echo "EMSCRIPTEN_ROOT = emsdk_path + '/upstream/emscripten'" >"$EMSDK/.emscripten"
    # One thread (a page needs no special headers from its server), optimised
    # for size, and without the widgets, dialogs, style sheets and document
    # formats the program never shows: every byte is downloaded and compiled
    # before the window appears. OpenGL stays: the web platform plugin needs it.
    options=(
        "${common_options[@]}"
        -platform wasm-emscripten -no-feature-thread -optimize-size -no-feature-zstd
        -no-feature-style-stylesheet -no-feature-sha3-fast
        -no-feature-filedialog -no-feature-fontdialog -no-feature-colordialog
        -no-feature-wizard -no-feature-progressdialog -no-feature-inputdialog
        -no-feature-errormessage -no-feature-calendarwidget -no-feature-datetimeedit
        -no-feature-graphicsview -no-feature-graphicseffect -no-feature-mdiarea
        -no-feature-dockwidget -no-feature-textbrowser -no-feature-syntaxhighlighter
        -no-feature-undoview -no-feature-columnview -no-feature-fontcombobox
        -no-feature-keysequenceedit -no-feature-lcdnumber -no-feature-dial
        -no-feature-splashscreen -no-feature-tablewidget -no-feature-treewidget
        -no-feature-datawidgetmapper -no-feature-toolbox
        -no-feature-textodfwriter -no-feature-textmarkdownreader
        -no-feature-textmarkdownwriter -no-feature-movie
    )
    configure_toolchain=()
    key_files=()
    ;;
*)
    echo "usage: scripts/static-qt.sh windows|web" >&2
    exit 2
    ;;
esac

key=$(printf '%s\n' "$host_version" "$compiler" "${options[@]}" "${cmake_options[@]}" |
    cat - "${key_files[@]}" <(declare -f "$patch") | sha256sum | cut -c1-10)
prefix=$cache/qt-$qt_version-$flavour-$key
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

# The source as patched for this platform, kept until its Qt is installed.
source_folder=$cache/src/$flavour-qt6-base-$host_version-$(declare -f "$patch" | sha256sum | cut -c1-10)
if [ ! -f "$source_folder/.fetched" ]; then
    mkdir -p "$cache/src"
    find "$cache/src" -mindepth 1 -maxdepth 1 -name "$flavour-*" ! -path "$source_folder" \
        -exec rm -rf {} +
    add_source_entries
    rm -rf "$source_folder"
    mkdir -p "$source_folder"
    log "fetching the source of qt6-base $host_version"
    (cd "$source_folder" && apt-get -q -o Acquire::Retries=5 source "qt6-base=$host_version" >&2)
    "$patch" "$(find "$source_folder" -mindepth 1 -maxdepth 1 -type d | head -n1)"
    touch "$source_folder/.fetched"
fi
source=$(find "$source_folder" -mindepth 1 -maxdepth 1 -type d | head -n1)

started=$SECONDS
work=$cache/build-$qt_version-$flavour-$key
# A build for this platform left half done under other options is never resumed.
find "$cache" -mindepth 1 -maxdepth 1 -name "build-*-$flavour-*" ! -path "$work" -exec rm -rf {} +
if [ ! -f "$work/build.ninja" ]; then
    rm -rf "$work"
    mkdir -p "$work"
    log "configuring qtbase $qt_version for $prefix"
    (cd "$work" && "$source/configure" -prefix "$prefix" "${options[@]}" -- \
        "${configure_toolchain[@]}" "${cmake_options[@]}" >&2)
fi
log "building qtbase (a quarter of an hour on two idle cores, an hour on busy ones)"
nice -n 10 cmake --build "$work" --parallel "$jobs" >&2
rm -rf "$prefix"
cmake --install "$work" >&2
printf '%s\n' "Qt $qt_version (Debian qt6-base $host_version), $target compiler $compiler" \
    "${options[@]}" "${cmake_options[@]}" >"$prefix/configure-options.txt"
touch "$stamp"
rm -rf "$work" "$source_folder"
# Builds for this platform under earlier options or versions are not used again.
find "$cache" -mindepth 1 -maxdepth 1 -name "qt-*-$flavour-*" ! -path "$prefix" -exec rm -rf {} +
log "built in $((SECONDS - started)) s"
echo "$prefix"
