#!/usr/bin/env bash
# The Windows build under wine, in a wine prefix of its own: the cross-built
# unit tests, the real trelvan.exe driven as a user would (window size, the
# default calculation's seven read-outs, the error box, the exit button, a
# screenshot), then the installer and uninstaller.
#
#   wine_checks.sh <build/windows folder>      (run under xvfb-run)
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

# shellcheck source=tests/e2e/harness.sh
source "$root/tests/e2e/harness.sh"
# No Mono or Gecko installer dialogs, no debug chatter.
export WINEPREFIX=$scratch/wine WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

pids=()
cleanup() {
    kill "${pids[@]}" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

# One wine server for the whole run: each wine process then starts in a
# fraction of a second instead of bringing up the server again.
echo "wine: creating the prefix"
mkdir -p "$WINEPREFIX"
wineserver --persistent
wineboot --init >"$scratch/wineboot.log" 2>&1 || fail "wineboot failed: $(cat "$scratch/wineboot.log")"

# The layout facts the window is driven by, printed by the layout table
# compiled into the program under test (binary files: no carriage returns).
wine "$build/tests/windows/layout_facts.exe" "$(winepath -w "$scratch/layout_facts.sh")" \
    "$(winepath -w "$scratch/layout_facts.json")" || fail "layout_facts.exe failed"
# shellcheck source=/dev/null
source "$scratch/layout_facts.sh"

echo "wine: unit tests, one wine process per test executable"
ctest --test-dir "$build" --output-on-failure --no-tests=error

openbox --sm-disable >"$scratch/openbox.log" 2>&1 &
pids+=($!)
wait_for 10 bash -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    fail "the window manager did not start"

# The default design's read-outs, box by box.
expect_default_results() {
    local -A want=([Text8]=2.26 [Text14]=2.71 [Text9]=6.51 [Text11]=0.12 [Text10]=0.52
        [Text12]=15 [Text13]=8)
    local box
    for box in Text8 Text14 Text9 Text11 Text10 Text12 Text13; do
        expect_box "$box" "${want[$box]}"
    done
    echo "wine: read-outs Rmin ${want[Text8]}, R ${want[Text14]}, Nmin ${want[Text9]}," \
        "X ${want[Text11]}, Y ${want[Text10]}, NT ${want[Text12]}, NI ${want[Text13]}"
}

# Starts a Windows program and waits for its window, checking
# the client area's size; the wine process's id in app, the window in wid.
open_window() {
    wine "$1" >>"$scratch/trelvan.log" 2>&1 &
    app=$!
    pids+=("$app")
    wid=$(timeout 60 xdotool search --sync --onlyvisible --name "^$window_title\$" | head -n 1) ||
        fail "no window titled $window_title appeared for $1"
    read_client_area "$wid"
    if [ "$client_w" != "$client_width" ] || [ "$client_h" != "$client_height" ]; then
        fail "client area is ${client_w}x$client_h, not ${client_width}x$client_height"
    fi
    xdotool windowactivate --sync "$wid"
    echo "wine: $(basename "$1") maps its window $window_title at ${client_w}x$client_h"
}

close_with_exit_button() {
    click Command1
    wait_for 10 bash -c "! kill -0 $app" || fail "the exit button did not end the program"
    wait "$app" || fail "the program ended with status $?"
}

# The built program.
open_window "$build/trelvan.exe"
click Command2
expect_default_results
click Text7
xdotool key End
import -window root -crop "${client_w}x${client_h}+${client_x}+${client_y}" +repage \
    "$build/screenshot.png"
echo "wine: screenshot in $build/screenshot.png"

# A relative volatility of 1 is turned away and the results stay. Qt's message
# box on Windows copies its title, text and buttons with ctrl+c.
click Text7
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 5 "1"
click Command2
errwid=$(timeout 10 xdotool search --sync --onlyvisible --name '^错误信息$' | head -n 1) ||
    fail "no error box appeared"
xdotool windowactivate --sync "$errwid"
printf '%s' '<none>' | xclip -selection clipboard
xdotool key --clearmodifiers ctrl+c
rule=---------------------------
box_text=$(printf '%s\n' "$rule" 错误信息 "$rule" 输入数据不合理 "$rule" "确定   " "$rule")
wait_for 5 clipboard_is "$box_text" ||
    fail "the error box reads '$(xclip -o -selection clipboard 2>/dev/null)'"
echo "wine: error box 错误信息 says 输入数据不合理 with the one button 确定"
xdotool key Return
wait_for 5 bash -c '! xdotool search --onlyvisible --name "^错误信息$"' ||
    fail "the error box did not close on Return"
expect_default_results
close_with_exit_button
echo "wine: the exit button ended the program"

# The installer, silently, for this user; the installed program; the uninstaller.
wine "$build/trelvan-$version-setup.exe" /S || fail "the installer failed"
appdata=$(winepath -u "$(wine cmd /c 'echo %LOCALAPPDATA%' | tr -d '\r')")
startmenu=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' | tr -d '\r')")/Microsoft/Windows/"Start Menu"/Programs
installed=$appdata/Programs/Trelvan
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Trelvan'
[ -f "$installed/trelvan.exe" ] || fail "nothing installed in $installed"
[ -f "$startmenu/Trelvan.lnk" ] || fail "no Start-menu entry in $startmenu"
wine reg query "$key" >/dev/null || fail "no uninstall entry $key"
open_window "$installed/trelvan.exe"
close_with_exit_button
echo "wine: installed in $installed with a Start-menu entry; the installed program runs"

# The uninstaller copies itself elsewhere and returns at once: wait for its work.
wine "$installed/uninstall.exe" /S || fail "the uninstaller failed"
nothing_left() {
    [ ! -e "$installed" ] && [ ! -e "$startmenu/Trelvan.lnk" ] && ! wine reg query "$key"
}
wait_for 60 nothing_left ||
    fail "left behind: $(ls -A "$installed" 2>/dev/null) $(ls "$startmenu" 2>/dev/null)"
echo "wine: the uninstaller left no folder, shortcut or registry key"
echo "PASS: unit tests, window, read-outs, error box, exit, installer and uninstaller under wine"
