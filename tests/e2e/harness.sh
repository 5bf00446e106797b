# shellcheck shell=bash disable=SC2034,SC2154
# Shared by the scripts that drive a real program in an X server: a private
# UTF-8 environment and polling instead of fixed sleeps. Sourced, not run.
# Sets scratch (a temporary folder the caller removes). The caller sources the
# layout facts (window_title, client_width, client_height, every control's rect
# in the client area, the input and read-out boxes and the default read-outs)
# that the layout_facts program prints from the layout and inputs tables.

# xdotool matches Chinese titles as multibyte patterns; the runtime and
# configuration folders are the test's own (a window manager reads its defaults).
export LC_ALL=C.UTF-8
scratch=$(mktemp -d)
export XDG_RUNTIME_DIR=$scratch/runtime XDG_CONFIG_HOME=$scratch/config
mkdir -m 700 "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"

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

# Whether a visible window's title matches the pattern $1; the first one in
# found_window. A window that closes while xdotool walks the tree (wine makes
# and drops helper windows as a program starts) ends xdotool with BadWindow:
# a miss, and the caller's next try is a fresh search.
visible_window() {
    found_window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
    [ -n "$found_window" ]
}

# Prints the first visible window whose title matches $2, waited for up to $1 seconds.
find_window() {
    wait_for "$1" visible_window "$2" && echo "$found_window"
}

# The clipboard holds exactly $1 (a Windows program's copy may end in a carriage return).
clipboard_is() {
    [ "$(xclip -o -selection clipboard 2>/dev/null | tr -d '\r')" = "$1" ]
}

# Copies a box's text to the clipboard and checks it. The clipboard is first set
# to a marker, so an earlier copy of the same text cannot pass for this one. The
# caller's click NAME puts the caret in the box.
expect_box() {
    local name=$1 want=$2
    printf '%s' '<none>' | xclip -selection clipboard
    click "$name"
    xdotool key --clearmodifiers ctrl+a ctrl+c
    wait_for 5 clipboard_is "$want" ||
        fail "$name shows '$(xclip -o -selection clipboard 2>/dev/null)', expected '$want'"
}

# The window's client area: its corner on the screen and its size, into client_*.
read_client_area() {
    local info
    info=$(xwininfo -id "$1")
    client_x=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info")
    client_y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")
    client_w=$(awk '/^ *Width:/ {print $NF}' <<<"$info")
    client_h=$(awk '/^ *Height:/ {print $NF}' <<<"$info")
}

# Clicks the middle of a control at its absolute screen position: the client
# area's corner as the X server reports it, since a reparenting window manager
# moves the client, plus the control's place in the client area, scaled from
# the layout's 96 dots per inch to the display's $dpi.
click() {
    local left top width height scale=${dpi:-96}
    read -r left top width height <<<"${rect[$1]}"
    xdotool mousemove --sync $((client_x + (2 * left + width) * scale / 192)) \
        $((client_y + (2 * top + height) * scale / 192)) click 1
}

# Starts the scripts' window manager (openbox), its log in $1, and waits until
# it manages the screen; its process id in wm.
start_window_manager() {
    openbox --sm-disable >"$1" 2>&1 &
    wm=$!
    wait_for 10 bash -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
        fail "the window manager did not start ($(kill -0 "$wm" 2>/dev/null && echo running ||
            echo ended)); its log: $(cat "$1")"
}

# Replaces a box's text with $2, as a user types it.
type_into() {
    click "$1"
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 5 "$2"
}

# Turns the design away with a relative volatility of 1; the error box, once in
# front, in errwid.
open_error_box() {
    type_into Text7 "1"
    click Command2
    errwid=$(find_window 10 '^错误信息$') ||
        fail "no error box appeared"
    xdotool windowactivate --sync "$errwid"
}

# Closes the error box with Return, as a user would, and waits until it is gone.
close_error_box() {
    xdotool key Return
    wait_for 5 bash -c '! xdotool search --onlyvisible --name "^错误信息$"' ||
        fail "the error box did not close on Return"
}

# Whether a program's process status $1 means it ended as it should: 0.
ended_well() {
    [ "$1" -eq 0 ]
}

# Presses the exit button and waits up to $2 seconds (5 when not given) for the
# program, process $1, to end, with a status ended_well takes.
exit_and_wait() {
    local pid=$1 seconds=${2:-5} status=0
    click Command1
    wait_for "$seconds" bash -c "! kill -0 $pid" || fail "the exit button did not end the program"
    wait "$pid" || status=$?
    ended_well "$status" || fail "the program ended with status $status"
}

# Every read-out box shows what a click on the texts the window opens with gives.
expect_default_readouts() {
    local box
    for box in "${readout_boxes[@]}"; do
        expect_box "$box" "${default_readout[$box]}"
    done
}

# The client area's pixels: a picture in $1.png, and its bare RGB bytes in
# $1.rgb, which cmp compares.
shoot() {
    import -window root -crop "${client_w}x${client_h}+${client_x}+${client_y}" +repage "$1.png"
    convert "$1.png" -depth 8 "rgb:$1.rgb"
}

# Shoots $1 until two shots a moment apart agree and differ from the shot $2
# (its .rgb file): the window has painted all that the last click changed.
shoot_settled() {
    local name=$1 before=$2
    for _ in $(seq 100); do
        shoot "$name"
        mv "$name.rgb" "$name.previous"
        sleep 0.1
        shoot "$name"
        if cmp -s "$name.rgb" "$name.previous" && ! cmp -s "$name.rgb" "$before"; then
            rm "$name.previous"
            return 0
        fi
    done
    fail "the window did not settle after a click"
}
