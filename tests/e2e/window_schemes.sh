#!/usr/bin/env bash
# The real program under a desktop colour scheme, as a user of a desktop
# without KDE sets one: qt6ct's platform theme with its "darker" scheme. After
# the default calculation the window must be the same, pixel for pixel, as
# under the default look; the error box follows the scheme (it differs from
# the default one, which also proves that the scheme reached the program).
# Saves both windows and both boxes.
#
#   window_schemes.sh <trelvan binary> <output directory> <layout facts>   (run under xvfb-run)
set -euo pipefail

app=$1
out=$2
# shellcheck source=/dev/null
source "$3"
mkdir -p "$out"

# shellcheck source=tests/e2e/harness.sh
source "$(dirname "$0")/harness.sh"

start_window_manager "$out/openbox.log"
trap 'kill "$wm" ${pid:-} 2>/dev/null || true; rm -rf "$scratch"' EXIT

mkdir -p "$XDG_CONFIG_HOME/qt6ct"
cat >"$XDG_CONFIG_HOME/qt6ct/qt6ct.conf" <<'EOF'
[Appearance]
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
custom_palette=true
style=Fusion
EOF

# One run of the program under the theme named $1 (none: Qt's default), with
# the calculation's window and the error box saved as $out/<what>-<scheme>.
run_under() {
    local scheme=$1
    shift
    env "$@" "$app" 2>"$out/trelvan-$scheme.log" &
    pid=$!
    wid=$(find_window 15 "^$window_title\$") ||
        fail "no window titled $window_title appeared under the $scheme scheme"
    xdotool windowactivate --sync "$wid"
    read_client_area "$wid"
    shoot "$scratch/opened"
    # The click leaves the focus on the button, and no caret anywhere.
    click Command2
    shoot_settled "$out/window-$scheme" "$scratch/opened.rgb"

    open_error_box
    local client_x client_y client_w client_h
    read_client_area "$errwid"
    shoot "$out/box-$scheme"
    close_error_box
    read_client_area "$wid"
    exit_and_wait "$pid"
}

run_under default
run_under darker QT_QPA_PLATFORMTHEME=qt6ct

cmp -s "$out/window-default.rgb" "$out/window-darker.rgb" ||
    fail "under the darker scheme the window differs from the default look" \
        "($out/window-default.png, $out/window-darker.png)"
! cmp -s "$out/box-default.rgb" "$out/box-darker.rgb" ||
    fail "the error box looks the same under both schemes: the scheme did not reach the program"
echo "PASS: the window keeps its design's colours under qt6ct's darker scheme; the error box follows it"
