#!/usr/bin/env bash
# Installs the Debian packages the project needs, skipping what is already there.
#   scripts/setup.sh run        what building and opening the program needs
#   scripts/setup.sh headless   that, plus an X server to open it on a machine without a display
#   scripts/setup.sh test       that, plus what the tests, benchmarks and packaging need,
#                               and the decimal-comma locale the locale test runs under
#   scripts/setup.sh windows    what building, above, plus what the Windows build and its
#                               checks under wine need (scripts/windows.sh)
#   scripts/setup.sh web        what building, above, plus what the browser build and its
#                               checks in Chromium, Firefox and WebKitGTK need
#                               (scripts/web.sh; Debian 13)
set -euo pipefail

profile=${1:-test}
case "$profile" in
run | headless | test | windows | web) ;;
*)
    echo "usage: scripts/setup.sh [run|headless|test|windows|web]" >&2
    exit 2
    ;;
esac

build_packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-svg-dev libqt6svg6
    # Chinese faces for the Song, Kai (also standing in for the calligraphic) and
    # rounded captions; a Western serif and sans; an old-style roman for the banner
    fonts-arphic-gbsn00lp fonts-arphic-gkai00mp fonts-wqy-zenhei fonts-liberation2
    fonts-goudybookletter
    # Qt's own texts (standard buttons, context menus) in Simplified Chinese
    qt6-translations-l10n
)
headless_packages=(xvfb xauth)
test_packages=(
    googletest libgtest-dev libbenchmark-dev
    xdotool xclip x11-utils imagemagick openbox
    # a desktop colour scheme as a non-KDE desktop sets it
    qt6ct
    locales
    # the fuzzer and sanitizers, with the symbolizer of the same LLVM as clang: the
    # release's default LLVM, whichever version that is
    clang libclang-rt-dev llvm valgrind
    dpkg-dev desktop-file-utils lintian appstream
    # a screen reader's view of the window (AT-SPI), and the window under Wayland
    at-spi2-core python3-pyatspi dbus-x11 weston qt6-wayland
)

windows_packages=(
    # the cross compiler with posix threads, Qt's build tools for the build machine's
    # side, and dpkg-source to unpack Debian's Qt source; GoogleTest's source
    g++-mingw-w64-x86-64-posix qt6-base-dev-tools dpkg-dev googletest
    # the Windows program's installer, and wine with an X server and tools to drive it
    nsis wine wine64 xdotool xclip x11-utils imagemagick openbox
    # what an earlier build compiled, kept for the next (scripts/lib/compiler-cache.sh)
    ccache
)

web_packages=(
    # emscripten (its system libraries come built), Qt's build tools for the build
    # machine's side, dpkg-source for Debian's Qt source; GoogleTest's source
    emscripten qt6-base-dev-tools dpkg-dev googletest
    # the faces cut down to what the window shows, as fontconfig finds them
    python3-fonttools fontconfig
    # the browsers and the node that drives them; the npm that fetches the driver;
    # WebKitGTK's WebDriver, whose library brings the MiniBrowser it drives, and
    # the X server that browser needs, having no headless mode
    chromium firefox-esr webkit2gtk-driver xvfb nodejs npm
    # the printed page's PDF seen as a picture
    poppler-utils
    # what an earlier build compiled, kept for the next (scripts/lib/compiler-cache.sh)
    ccache
)

wanted=("${build_packages[@]}")
case "$profile" in
headless) wanted+=("${headless_packages[@]}") ;;
test) wanted+=("${headless_packages[@]}" "${test_packages[@]}") ;;
windows) wanted+=("${headless_packages[@]}" "${windows_packages[@]}") ;;
web) wanted+=("${web_packages[@]}") ;;
esac

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

missing=()
for p in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done

# A slow or briefly unreachable mirror is tried again rather than failing the set-up.
apt_options=(-q -o Acquire::Retries=5)
install_packages() {
    echo "setup: installing $*"
    "${sudo[@]}" apt-get "${apt_options[@]}" update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get "${apt_options[@]}" install -y \
        --no-install-recommends "$@"
}

if [ ${#missing[@]} -eq 0 ]; then
    echo "setup: every package is installed"
else
    install_packages "${missing[@]}"
fi

# The window-icon test compares with Qt's own SVG icon engine, which came with libqt6svg6 up
# to Debian 12 and is a package of its own from Debian 13 on.
if [ "$profile" = test ]; then
    plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS)
    [ -e "$plugins/iconengines/libqsvgicon.so" ] || install_packages qt6-svg-plugins
fi

# The locale test reads and writes numbers under a decimal-comma locale.
if [ "$profile" = test ] && ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
    echo "setup: generating the de_DE.UTF-8 locale"
    "${sudo[@]}" sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -qx 'de_DE.UTF-8 UTF-8' /etc/locale.gen ||
        echo 'de_DE.UTF-8 UTF-8' | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo[@]}" locale-gen
fi
