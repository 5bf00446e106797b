# Shared by the scripts that drive a real program in an X server: a private
# UTF-8 environment and polling instead of fixed sleeps. Sourced, not run.
# Sets scratch (a temporary folder the caller removes).

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
