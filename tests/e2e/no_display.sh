#!/usr/bin/env bash
# Started where there is no display, the program says so in one line, with
# the way to run it headless, and ends with status 1.
#
#   no_display.sh <trelvan binary>
set -uo pipefail

app=$1
status=0

check() {
    local what=$1
    shift
    local output rc
    output=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" "$app" 2>&1)
    rc=$?
    if [ "$rc" -ne 1 ] || [ "$(printf '%s\n' "$output" | wc -l)" -ne 1 ] ||
        [[ "$output" != trelvan:*xvfb-run* ]]; then
        echo "FAIL ($what): status $rc, output:" >&2
        printf '%s\n' "$output" >&2
        status=1
    fi
}

check "DISPLAY not set" env -u DISPLAY
check "no server at DISPLAY" env DISPLAY=:4711
check "wayland without a compositor" env -u DISPLAY QT_QPA_PLATFORM=wayland
exit "$status"
