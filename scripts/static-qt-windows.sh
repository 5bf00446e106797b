#!/usr/bin/env bash
# A static Qt for 64-bit Windows, with the mingw-w64 cross compiler, built from
# Debian's Qt source and cached (scripts/lib/static-qt.sh); prints its folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/lib/static-qt.sh
source "$root/scripts/lib/static-qt.sh"

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

flavour=mingw-static
target=windows
patch=without_wintab
compiler=$(x86_64-w64-mingw32-g++-posix -dumpfullversion)
toolchain=$root/cmake/mingw-w64-x86_64.cmake
# The C++ runtime inside; Windows' own font rendering (DirectWrite), no OpenGL.
platform_options=(
    -xplatform win32-g++ -static-runtime -no-opengl -no-feature-vulkan
    -qt-doubleconversion
)
configure_toolchain=(-DCMAKE_TOOLCHAIN_FILE="$toolchain")
key_files=("$toolchain")
build_static_qt
