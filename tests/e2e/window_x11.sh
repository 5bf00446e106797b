#!/usr/bin/env bash
# Drives the real program in a real X server as a user would: types inputs,
# presses the confirm button, reads result boxes back through the clipboard,
# meets the error box with a bad input set, and leaves with the exit button.
# Saves a screenshot of the window after the default calculation.
#
#   window_x11.sh <trelvan binary> <output directory>      (run under xvfb-run)
set -euo pipefail

app=$1
out=$2
mkdir -p "$out"

# What the test relies on, whatever the caller's environment: a UTF-8 locale
# (xdotool matches the Chinese title as a multibyte pattern) and a runtime
# directory of its own.
export LC_ALL=C.UTF-8
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Waits up to $1 seconds for the command that follows to succeed.
wait_for() {
    local seconds=$1
    shift
    local tries=$((seconds * 20))
    for ((i = 0; i < tries; i++)); do
        if "$@" >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.05
    done
    return 1
}

# Window positions, in pixels of the client area: frame corner plus the box's
# place in its frame (the layout's twips / 15), aimed at the box's middle.
frame1=(8 24)
frame2=(8 336)
declare -A centre=(
    [Text1]="$((frame1[0] + 128 + 33)) $((frame1[1] + 32 + 9))"
    [Text3]="$((frame1[0] + 128 + 33)) $((frame1[1] + 96 + 9))"
    [Text7]="$((frame1[0] + 128 + 33)) $((frame1[1] + 224 + 9))"
    [Command2]="$((frame1[0] + 40 + 80)) $((frame1[1] + 256 + 13))"
    [Command1]="$((frame1[0] + 240 + 32)) $((frame1[1] + 256 + 15))"
    [Text8]="$((frame2[0] + 72 + 32)) $((frame2[1] + 24 + 12))"
    [Text12]="$((frame2[0] + 72 + 32)) $((frame2[1] + 136 + 12))"
)

click() {
    # shellcheck disable=SC2086
    xdotool mousemove --sync --window "$wid" ${centre[$1]} click 1
}

type_into() {
    click "$1"
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 5 "$2"
}

clipboard_is() {
    [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]
}

# Copies a box's text to the clipboard and checks it. The clipboard is first
# set to a marker, so an earlier copy of the same text cannot pass for this one.
expect_box() {
    local name=$1 want=$2
    printf '%s' '<none>' | xclip -selection clipboard
    click "$name"
    xdotool key --clearmodifiers ctrl+a ctrl+c
    wait_for 5 clipboard_is "$want" ||
        fail "$name shows '$(xclip -o -selection clipboard 2>/dev/null)', expected '$want'"
}

error_box_open() {
    xdotool search --onlyvisible --name '^错误信息$'
}

"$app" 2>"$out/trelvan.log" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$XDG_RUNTIME_DIR"' EXIT

wid=$(timeout 15 xdotool search --sync --onlyvisible --name '^Trelvan$' | head -n 1) ||
    fail "no window titled Trelvan appeared"
xdotool windowfocus --sync "$wid"
eval "$(xdotool getwindowgeometry --shell "$wid")"
[ "$WIDTH" = 792 ] && [ "$HEIGHT" = 557 ] || fail "client area is ${WIDTH}x$HEIGHT, not 792x557"
screen_w=$(xdotool getdisplaygeometry | cut -d' ' -f1)
screen_h=$(xdotool getdisplaygeometry | cut -d' ' -f2)
((X + WIDTH / 2 - screen_w / 2 <= 1 && screen_w / 2 - X - WIDTH / 2 <= 1)) ||
    fail "window not centred across: x=$X"
((Y + HEIGHT / 2 - screen_h / 2 <= 1 && screen_h / 2 - Y - HEIGHT / 2 <= 1)) ||
    fail "window not centred down: y=$Y"

# The default inputs.
click Command2
expect_box Text8 "2.26"
expect_box Text12 "15"
click Text7
xdotool key End
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/screenshot.png"

# A saturated-liquid feed, typed.
type_into Text3 "1"
click Command2
expect_box Text8 "1.12"
expect_box Text12 "16"

# A relative volatility of 1 is turned away; the previous results stay.
type_into Text7 "1"
click Command2
errwid=$(timeout 10 xdotool search --sync --onlyvisible --name '^错误信息$' | head -n 1) ||
    fail "no error box appeared"
xdotool windowfocus --sync "$errwid"
xdotool key Return
wait_for 5 bash -c '! xdotool search --onlyvisible --name "^错误信息$"' ||
    fail "the error box did not close on Return"
expect_box Text8 "1.12"
expect_box Text12 "16"

# The exit button ends the program.
click Command1
wait_for 5 bash -c "! kill -0 $pid" || fail "the exit button did not end the program"
wait "$pid" || fail "the program ended with status $?"
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
echo "PASS: typed inputs, results, error box and exit in a real X server"
