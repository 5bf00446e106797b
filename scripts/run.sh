#!/usr/bin/env bash
# Sets up, builds and opens Trelvan.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRELVAN_BUILD_APP=ON \
    -DTRELVAN_BUILD_TESTS=OFF -DTRELVAN_BUILD_BENCH=OFF
cmake --build build --target trelvan

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "trelvan: no display to open the window on (DISPLAY is not set)." \
         "Run this on a desktop, or headless as: xvfb-run -a build/app/trelvan" >&2
    exit 1
fi
exec build/app/trelvan
