#!/usr/bin/env bash
# Installs the Debian packages the project needs, skipping what is already there.
#   scripts/setup.sh run    what building and opening the program needs
#   scripts/setup.sh test   that, plus what the tests, benchmarks and packaging need
set -euo pipefail

profile=${1:-test}

build_packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-svg-dev libqt6svg6
    # Chinese faces for the Song, Kai (also standing in for the calligraphic) and
    # rounded captions; a Western serif and sans
    fonts-arphic-gbsn00lp fonts-arphic-gkai00mp fonts-wqy-zenhei fonts-liberation2
)
test_packages=(
    googletest libgtest-dev libbenchmark-dev
    xvfb xauth xdotool xclip x11-utils imagemagick
    clang libclang-rt-14-dev valgrind
    dpkg-dev file desktop-file-utils
)

wanted=("${build_packages[@]}")
[ "$profile" = test ] && wanted+=("${test_packages[@]}")

missing=()
for p in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "setup: every package is installed"
    exit 0
fi

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "setup: installing ${missing[*]}"
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
