#!/usr/bin/env bash
# Runs the AT-SPI round trip (window_atspi.py) against the real program in a
# private session: its own runtime directory, D-Bus session and accessibility
# bus, the C locale, and a display server of its own: Xvfb, or a headless
# weston with Qt's Wayland plugin and no X server at all.
#
#   window_atspi.sh x11|wayland <trelvan binary> <output directory> <layout facts>
#
# The layout facts are the JSON file the build prints from the layout table.
set -euo pipefail

platform=$1 app=$2 out=$3 facts=$4
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"

runtime=$(mktemp -d)
chmod 700 "$runtime"
server=
cleanup() {
    [ -z "$server" ] || kill "$server" 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT

# Waits up to 10 s until the display server $1 is ready, as the command after
# its log $2 tells; fails with the log if it ends or the time runs out.
started() {
    local server=$1 log=$2
    shift 2
    for ((i = 0; i < 200; i++)); do
        "$@" && return 0
        kill -0 "$server" 2>/dev/null || break
        sleep 0.05
    done
    echo "FAIL: the display server did not start" >&2
    cat "$log" >&2
    exit 1
}

export XDG_RUNTIME_DIR=$runtime LC_ALL=C.UTF-8
# Qt exposes its widgets over AT-SPI without asking the desktop's settings.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
client_options=()

case $platform in
x11)
    # The server picks a free display number itself, so no other X server
    # started at the same time takes it, and it does not reset when its last
    # client leaves: the accessibility bus launcher comes and goes while the
    # program connects.
    Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$runtime/display" \
        >"$out/xvfb.log" 2>&1 &
    server=$!
    started "$server" "$out/xvfb.log" test -s "$runtime/display"
    DISPLAY=":$(cat "$runtime/display")"
    export DISPLAY QT_QPA_PLATFORM=xcb
    ;;
wayland)
    socket=trelvan-test
    weston --backend=headless-backend.so --use-pixman --width=1280 --height=1024 \
        --socket="$socket" --no-config --idle-time=0 --debug >"$out/weston.log" 2>&1 &
    server=$!
    started "$server" "$out/weston.log" test -S "$runtime/$socket"
    export WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland
    client_options+=(--screenshot)
    ;;
*)
    echo "usage: window_atspi.sh x11|wayland <trelvan binary> <output directory> <layout facts>" >&2
    exit 2
    ;;
esac

# Debian's Python, which has the AT-SPI bindings, whatever python3 is first on PATH.
timeout 120 dbus-run-session -- /usr/bin/python3 "$here/window_atspi.py" "$app" "$out" "$facts" \
    "${client_options[@]}"
