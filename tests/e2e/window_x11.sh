#!/usr/bin/env bash
# Drives the real program in a real X server under a real window manager
# (openbox) as a user would: checks that the window's frame is centred on the
# screen, types inputs, presses the confirm button, reads result boxes back
# through the clipboard, meets the error box with a bad input set, and leaves
# with the exit button. Saves screenshots of the window after the default
# calculation and of the framed error box.
#
#   window_x11.sh <trelvan binary> <output directory> <layout facts>   (run under xvfb-run)
#
# The layout facts (window_title, client_width, client_height, every control's
# rect in the client area, the default read-outs) are the shell file the build
# prints from the layout and inputs tables (layout_facts).
set -euo pipefail

app=$1
out=$2
# shellcheck source=/dev/null
source "$3"
mkdir -p "$out"

# shellcheck source=tests/e2e/harness.sh
source "$(dirname "$0")/harness.sh"

# The window's client area (corner on the screen and size) and its frame as
# left, right, top and bottom extents, into client_* and frame_*.
read_geometry() {
    read_client_area "$1"
    read -r frame_l frame_r frame_t frame_b < <(xprop -id "$1" _NET_FRAME_EXTENTS |
        sed -n 's/.*= //; s/,//gp')
}

# The frame's centre within 2 pixels of the screen's, compared doubled.
frame_centred() {
    read_geometry "$wid"
    local across=$((2 * (client_x - frame_l) + frame_l + client_w + frame_r - screen_w))
    local down=$((2 * (client_y - frame_t) + frame_t + client_h + frame_b - screen_h))
    ((across * across <= 16 && down * down <= 16))
}

# Saves a window with its frame, as the screen shows it.
shoot_framed() {
    local client_x client_y client_w client_h frame_l frame_r frame_t frame_b
    read_geometry "$1"
    local size="$((frame_l + client_w + frame_r))x$((frame_t + client_h + frame_b))"
    import -window root -crop "$size+$((client_x - frame_l))+$((client_y - frame_t))" +repage "$2"
}

start_window_manager "$out/openbox.log"
trap 'kill "$wm" 2>/dev/null || true; rm -rf "$scratch"' EXIT

"$app" 2>"$out/trelvan.log" &
pid=$!
trap 'kill "$pid" "$wm" 2>/dev/null || true; rm -rf "$scratch"' EXIT

wid=$(find_window 15 "^$window_title\$") ||
    fail "no window titled $window_title appeared"
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
wait_for 5 frame_centred ||
    fail "frame ${frame_l:-?},${frame_r:-?},${frame_t:-?},${frame_b:-?} around the client at" \
        "${client_x:-?},${client_y:-?} is not centred on the ${screen_w}x$screen_h screen"
if [ "$client_w" != "$client_width" ] || [ "$client_h" != "$client_height" ]; then
    fail "client area is ${client_w}x$client_h, not ${client_width}x$client_height"
fi
xdotool windowactivate --sync "$wid"

# The window is centred once; where the user moves it, it stays.
xdotool windowmove --sync "$wid" 40 30
read_geometry "$wid"

# The default inputs.
click Command2
expect_default_readouts
! frame_centred || fail "the window went back to the centre after it was moved"
click Text7
xdotool key End
import -window root -crop "${client_w}x${client_h}+${client_x}+${client_y}" +repage \
    "$out/screenshot.png"

# A saturated-liquid feed, typed.
type_into Text3 "1"
click Command2
expect_box Text8 "1.12"
expect_box Text12 "16"

# A relative volatility of 1 is turned away; the previous results stay.
open_error_box
shoot_framed "$errwid" "$out/error_box.png"
close_error_box
expect_box Text8 "1.12"
expect_box Text12 "16"

# The exit button ends the program.
exit_and_wait "$pid"
echo "PASS: centred frame, typed inputs, results, error box and exit in a real X server"
