#!/usr/bin/env bash
# A static Qt for WebAssembly, with Debian's emscripten, built from Debian's Qt
# source and cached (scripts/lib/static-qt.sh); prints its folder, which holds
# the emsdk folder the web preset names ($TRELVAN_WEB_QT/emsdk).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/lib/static-qt.sh
source "$root/scripts/lib/static-qt.sh"

# The web platform plugin carries DejaVu Sans and Sans Mono (1 MB) as the browser's
# only fonts; the program brings the faces it shows, so they are left out. The
# plugin skips fonts it cannot open.
without_dejavu() {
    local plugin=$1/src/plugins/platforms/wasm/CMakeLists.txt
    sed -i '/^qt_internal_add_resource(QWasmIntegrationPlugin "wasmfonts"$/,/^)$/d' "$plugin"
    ! grep -q '"wasmfonts"' "$plugin"
}

flavour=wasm-static
target=web
patch=without_dejavu
compiler=$(emcc -dumpversion)
# Qt's configure, and its CMake files when a program is built, find emscripten
# through an emsdk folder: this one, beside the Qt builds, names Debian's
# emscripten as the emsdk's own; the Qt's folder links to it as emsdk.
EMSDK=$cache/emsdk
export EMSDK
mkdir -p "$EMSDK/upstream"
ln -sfn /usr/share/emscripten "$EMSDK/upstream/emscripten"
echo "EMSCRIPTEN_ROOT = emsdk_path + '/upstream/emscripten'" >"$EMSDK/.emscripten"
# One thread (a page needs no special headers from its server), optimised for
# size: every byte is downloaded and compiled before the window appears. The
# style sheets, input dialog, graphics view and graphics effects go too, which
# the Windows Qt keeps because its Windows 11 style uses them unguarded. OpenGL
# stays: the web platform plugin needs it.
platform_options=(
    -no-feature-style-stylesheet -no-feature-inputdialog
    -no-feature-graphicsview -no-feature-graphicseffect
    -platform wasm-emscripten -no-feature-thread -optimize-size
)
configure_toolchain=()
key_files=()
prefix=$(build_static_qt)
ln -sfn "$EMSDK" "$prefix/emsdk"
echo "$prefix"
