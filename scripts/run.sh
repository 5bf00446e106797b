#!/usr/bin/env bash
# Sets up, builds and opens Trelvan. On a machine without a display it also
# installs an X server to run the program on, says how, and ends with status 3
# (built, nothing to show it on).
set -euo pipefail
cd "$(dirname "$0")/.."

program=build/app/bin/trelvan
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    bash scripts/setup.sh run
else
    bash scripts/setup.sh headless
fi
cmake --preset app
cmake --build --preset app

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "trelvan: no display to open the window on (DISPLAY is not set)." \
        "Run this on a desktop, or headless as: xvfb-run -a $program" >&2
    exit 3
fi
exec "$program"
