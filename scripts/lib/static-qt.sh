# shellcheck shell=bash
# Builds a static Qt (qtbase: Core, Gui, Widgets and their plugins) for another
# platform from Debian's own Qt source of the host Qt's version, and caches it.
# Sourced, not run, by one script per platform (static-qt-windows.sh,
# static-qt-web.sh), which sets
#   flavour               the cache folders' name (mingw-static, wasm-static)
#   target                the platform's name in the logs
#   compiler              the cross compiler's version
#   platform_options      configure options of that platform alone
#   configure_toolchain   CMake options naming a toolchain file, if any
#   key_files             files whose content also keys the cache
#   patch                 a function that patches the unpacked source for it
#                         (after patch_every_platform)
# and then calls build_static_qt, which prints the cached Qt's folder on stdout;
# everything else goes to stderr.
#
# The cache folder is keyed by the Qt version and a hash of the Debian source
# version, the compiler, the configure options, the toolchain and the source
# patch, so a change to any of them builds a new Qt next to the old one. A folder
# counts only once its completion stamp is written, so a half-built or
# half-installed Qt is never used. An interrupted build resumes from its build
# folder.
# It lives in the cache folder the other scripts keep too
# (scripts/lib/cache-folder.sh; TRELVAN_CACHE names another).

# shellcheck source=scripts/lib/cache-folder.sh
source "$(dirname "${BASH_SOURCE[0]}")/cache-folder.sh"
jobs=$(nproc)

# The patched source and the Qt's folder are printed by functions run as $(...),
# where bash would otherwise go on past a failing step: a patch that no longer
# applies must stop the build, not give a Qt built from an unpatched source.
shopt -s inherit_errexit

log() { echo "static-qt: $*" >&2; }

host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
qt_version=${host_version%%[+-]*}

# What the program uses and nothing else, on every platform: no network, no
# database, no printing or PDF, no image format but PNG, none of the widgets,
# dialogs and document formats the program never shows. Each source folder is
# compiled as a few large units (a unity build), which parses Qt's headers once
# per unit instead of once per file.
common_options=(
    -static -release -opensource -confirm-license
    -qt-host-path /usr
    -nomake examples -nomake tests -unity-build
    -no-dbus -no-icu
    -no-feature-network -no-feature-sql -no-feature-printsupport -no-feature-pdf
    -no-feature-concurrent -no-feature-testlib -no-feature-xml
    -no-feature-filedialog -no-feature-fontdialog -no-feature-colordialog
    -no-feature-wizard -no-feature-progressdialog -no-feature-errormessage
    -no-feature-calendarwidget -no-feature-datetimeedit -no-feature-mdiarea
    -no-feature-dockwidget -no-feature-textbrowser -no-feature-syntaxhighlighter
    -no-feature-undoview -no-feature-columnview -no-feature-fontcombobox
    -no-feature-keysequenceedit -no-feature-lcdnumber -no-feature-dial
    -no-feature-splashscreen -no-feature-tablewidget -no-feature-treewidget
    -no-feature-datawidgetmapper -no-feature-toolbox
    -no-feature-textodfwriter -no-feature-textmarkdownreader
    -no-feature-textmarkdownwriter -no-feature-movie
    -no-feature-zstd -no-feature-sha3-fast
    -qt-zlib -qt-pcre -qt-libpng -no-libjpeg -no-gif -no-ico -qt-freetype -qt-harfbuzz
)
cmake_options=(
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
)

# Qt's bundled HarfBuzz, on every platform, compiles as two large units instead
# of sixty files that each parse its headers again (HarfBuzz is written to
# compile as one; Qt leaves its third-party libraries out of the unity build),
# and without HarfBuzz's font subsetter, which Qt never calls.
lean_harfbuzz() {
    local harfbuzz=$1/src/3rdparty/harfbuzz-ng/CMakeLists.txt
    sed -i -E '/^ +src\/hb-subset[-a-z0-9]*\.cc( |$)/d' "$harfbuzz"
    cat >>"$harfbuzz" <<'EOF'
get_target_property(unity_sources BundledHarfbuzz SOURCES)
set_source_files_properties(${unity_sources} PROPERTIES SKIP_UNITY_BUILD_INCLUSION OFF)
set_property(TARGET BundledHarfbuzz PROPERTY UNITY_BUILD ON)
EOF
    ! grep -Eq 'hb-subset[-a-z0-9]*\.cc' "$harfbuzz"
}

# Qt Gui, on every platform, compiles as a few large units, as Qt builds it for
# macOS: Qt leaves it file by file on Windows and Linux for a few of its Windows
# sources that clash when merged (file-local helpers of the same names), which
# alone stay out of the units here.
unity_gui() {
    local gui=$1/src/gui/CMakeLists.txt
    sed -i '/^ *set_target_properties(Gui PROPERTIES UNITY_BUILD OFF)/d' "$gui"
    cat >>"$gui" <<'EOF'
set_source_files_properties(rhi/qrhid3d12.cpp text/windows/qwindowsfontengine.cpp
    PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
EOF
    ! grep -q 'Gui PROPERTIES UNITY_BUILD OFF' "$gui"
}

# The framebuffer and device discovery helpers serve Linux's own platform
# plugins (linuxfb, eglfs, vnc) alone, yet Qt builds them on every platform.
without_linux_helpers() {
    local support=$1/src/platformsupport/CMakeLists.txt
    sed -i -E '/^add_subdirectory\((devicediscovery|fbconvenience)\)$/d' "$support"
    ! grep -Eq 'add_subdirectory\((devicediscovery|fbconvenience)\)' "$support"
}

# moc reads every header a header includes, for the macros it defines, in every
# folder it is given. CMake gives it the compiler's own folders too (the C
# library's; for Windows the C++ library's and the Windows API's too), which
# makes a run up to three times as long and changes no byte of what moc writes
# for Qt's sources. Qt's build forgets those folders after its project() call:
# no Qt target names one of them, so only moc's folders change.
moc_without_system_headers() {
    local top=$1/CMakeLists.txt
    sed -i '/^qt_internal_qtbase_build_repo()$/i set(CMAKE_CXX_IMPLICIT_INCLUDE_DIRECTORIES "")' "$top"
    grep -qx 'set(CMAKE_CXX_IMPLICIT_INCLUDE_DIRECTORIES "")' "$top"
}

# Every platform's source takes these before its own patch.
every_platform_patch=(lean_harfbuzz unity_gui without_linux_helpers moc_without_system_headers)
patch_every_platform() {
    local each
    for each in "${every_platform_patch[@]}"; do
        "$each" "$1"
    done
}

# The text of the patches this platform's source takes, which keys its folders.
patches_text() { declare -f patch_every_platform "${every_platform_patch[@]}" "$patch"; }

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

# The source as patched for this platform, kept until its Qt is installed;
# prints its folder.
patched_source() {
    local folder
    folder=$cache/src/$flavour-qt6-base-$host_version-$(patches_text | sha256sum | cut -c1-10)
    if [ ! -f "$folder/.fetched" ]; then
        mkdir -p "$cache/src"
        find "$cache/src" -mindepth 1 -maxdepth 1 -name "$flavour-*" ! -path "$folder" \
            -exec rm -rf {} +
        add_source_entries
        rm -rf "$folder"
        mkdir -p "$folder"
        log "fetching the source of qt6-base $host_version"
        (cd "$folder" && apt-get -q -o Acquire::Retries=5 source "qt6-base=$host_version" >&2)
        local source
        source=$(find "$folder" -mindepth 1 -maxdepth 1 -type d | head -n1)
        patch_every_platform "$source"
        "$patch" "$source"
        touch "$folder/.fetched"
    fi
    echo "$folder"
}

build_static_qt() {
    local options=("${common_options[@]}" "${platform_options[@]}")
    local key prefix stamp lock
    key=$(printf '%s\n' "$host_version" "$compiler" "${options[@]}" "${cmake_options[@]}" |
        cat - "${key_files[@]}" <(patches_text) | sha256sum | cut -c1-10)
    prefix=$cache/qt-$qt_version-$flavour-$key
    stamp=$prefix/.complete

    # One build of a platform's Qt at a time: a second caller (CI builds the Qts
    # in the background while the checks run) waits for the first and takes
    # what it built. The lock is held until the caller's script ends.
    mkdir -p "$cache"
    exec {lock}>"$cache/.qt-$flavour.lock"
    if ! flock -n "$lock"; then
        log "waiting for another build of the $target Qt"
        flock "$lock"
    fi
    if [ -f "$stamp" ]; then
        log "using the cached Qt in $prefix"
        echo "$prefix"
        return 0
    fi

    local source_folder source
    source_folder=$(patched_source)
    source=$(find "$source_folder" -mindepth 1 -maxdepth 1 -type d | head -n1)

    local started=$SECONDS
    local work=$cache/build-$qt_version-$flavour-$key
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
}
