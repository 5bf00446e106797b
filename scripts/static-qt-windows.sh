#!/usr/bin/env bash
# A static Qt for 64-bit Windows, with the mingw-w64 cross compiler, built from
# Debian's Qt source and cached (scripts/lib/static-qt.sh); prints its folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/lib/static-qt.sh
source "$root/scripts/lib/static-qt.sh"

# The source as built for Windows:
# - Debian's qtbase source leaves out the Wintab tablet headers (their licence
#   forbids changes), which the windows platform plugin includes for tablets that
#   predate Windows Ink: it is built without Wintab; pens still reach the program
#   through Windows' own pointer messages.
# - The windows platform plugin is the only one the program takes in: the
#   Direct2D one (the windows plugin's sources compiled once more), the minimal
#   and the offscreen ones are not built.
# - The windows platform plugin and the Windows 11 style each compile as one or
#   two large units, fewer than would repay their precompiled headers, which
#   take longer to build than the units themselves.
for_windows() {
    local platforms=$1/src/plugins/platforms
    local style=$1/src/plugins/styles/modernwindows/CMakeLists.txt
    sed -i 's/^\(qt_internal_extend_target(QWindowsIntegrationPlugin CONDITION\) QT_FEATURE_tabletevent$/\1 OFF/' \
        "$platforms/windows/CMakeLists.txt"
    sed -i 's/QT_CONFIG(tabletevent)/0 \/* no Wintab *\//' "$platforms/windows/qwindowscontext.cpp"
    sed -i '/^# *include "qwindowstabletsupport.h"$/d' "$platforms/windows/qwindowspointerhandler.cpp"
    echo 'set_target_properties(QWindowsIntegrationPlugin PROPERTIES DISABLE_PRECOMPILE_HEADERS ON)' \
        >>"$platforms/windows/CMakeLists.txt"
    echo 'set_target_properties(QModernWindowsStylePlugin PROPERTIES DISABLE_PRECOMPILE_HEADERS ON)' >>"$style"
    sed -i -E '/^ +add_subdirectory\((direct2d|minimal|offscreen)\)$/d' "$platforms/CMakeLists.txt"
    ! grep -Eq 'add_subdirectory\((direct2d|minimal|offscreen)\)' "$platforms/CMakeLists.txt"
}

flavour=mingw-static
target=windows
patch=for_windows
compiler=$(x86_64-w64-mingw32-g++-posix -dumpfullversion)
toolchain=$root/cmake/mingw-w64-x86_64.cmake
# The C++ runtime inside; Windows' own font rendering (DirectWrite), no OpenGL.
# Optimised for size, as the web's: a window of a few controls asks no speed of
# Qt, and the program is one file to download (and a quarter less to compile).
platform_options=(
    -xplatform win32-g++ -static-runtime -no-opengl -no-feature-vulkan
    -qt-doubleconversion -optimize-size
)
configure_toolchain=(-DCMAKE_TOOLCHAIN_FILE="$toolchain")
key_files=("$toolchain")
build_static_qt
