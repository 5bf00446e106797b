#!/usr/bin/env bash
# The Windows build under wine, in a wine prefix of its own: the cross-built
# unit tests; the real trelvan.exe driven as a user would at each display
# scale (window size, the default calculation's read-outs, a screenshot, with
# the window's scale tests beside it), then the error box and the exit button;
# under the dark mode, and with the program's own request for the dark scheme,
# the same window pixel for pixel; then the installer and uninstaller.
#
#   wine_checks.sh <build/windows folder>      (run under xvfb-run, on a screen of 2048x1536, -noreset)
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

# shellcheck source=tests/e2e/harness.sh
source "$root/tests/e2e/harness.sh"
# shellcheck source=tests/windows/wine_harness.sh
source "$root/tests/windows/wine_harness.sh"

pids=()
cleanup() {
    kill "${pids[@]}" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

set_user_value() {
    wine reg add "$1" /v "$2" /t REG_DWORD /d "$3" /f >/dev/null || fail "cannot set $1\\$2"
}

set_string_value() {
    wine reg add "$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null || fail "cannot set $1\\$2"
}

# Windows' display scale in dots per inch: wine's session reads it when it starts.
set_display_scale() {
    set_user_value 'HKCU\Control Panel\Desktop' LogPixels "$1"
    restart_wine
}

# Starts a Windows program and waits for its window, checking the client
# area's size at the display's scale; the wine process's id in app, the window
# in wid.
open_window() {
    wine "$1" >>"$scratch/trelvan.log" 2>&1 &
    app=$!
    pids+=("$app")
    wid=$(find_window 60 "^$window_title\$") ||
        fail "no window titled $window_title appeared for $1"
    read_client_area "$wid"
    local want_w=$(((client_width * dpi + 48) / 96)) want_h=$(((client_height * dpi + 48) / 96))
    if [ "$client_w" != "$want_w" ] || [ "$client_h" != "$want_h" ]; then
        fail "client area is ${client_w}x$client_h, not ${want_w}x$want_h at $dpi dpi"
    fi
    xdotool windowactivate --sync "$wid"
    echo "wine: $(basename "$1") maps its window $window_title at ${client_w}x$client_h ($dpi dpi)"
}

# The window after the default calculation, shot once it has painted it
# ($1.png, $1.rgb); the confirm button keeps the focus, so no caret shows.
calculate_and_shoot() {
    shoot "$scratch/opened"
    click Command2
    shoot_settled "$1" "$scratch/opened.rgb"
}

# The error box open, its client area shot as $1.
open_and_shoot_error_box() {
    open_error_box
    local client_x client_y client_w client_h
    read_client_area "$errwid"
    shoot "$1"
}

expect_default_results() {
    expect_default_readouts
    local box shown=""
    for box in "${readout_boxes[@]}"; do
        shown+="$box ${default_readout[$box]}, "
    done
    echo "wine: read-outs ${shown%, }"
}

# Qt's message box on Windows copies its title, text and buttons with ctrl+c.
expect_error_box_text() {
    printf '%s' '<none>' | xclip -selection clipboard
    xdotool key --clearmodifiers ctrl+c
    local rule=---------------------------
    local box_text
    box_text=$(printf '%s\n' "$rule" 错误信息 "$rule" 输入数据不合理 "$rule" "确定   " "$rule")
    wait_for 5 clipboard_is "$box_text" ||
        fail "the error box reads '$(xclip -o -selection clipboard 2>/dev/null)'"
}

# Asks for the dark scheme in the light mode (the program's own style hint);
# the report file names the test, so a build that left it out cannot pass.
expect_dark_style_hint_kept() {
    local hint_test=DesktopScheme.WindowKeepsTheDesignColoursUnderADarkStyleHint
    wine "$build/tests/windows/scheme_tests.exe" --gtest_filter="$hint_test" \
        --gtest_output="xml:$(winepath -w "$scratch/scheme_tests.xml")" \
        >"$scratch/scheme_tests.log" 2>&1 ||
        fail "the dark style hint test failed: $(cat "$scratch/scheme_tests.log")"
    grep -q "name=\"${hint_test#*.}\" .*status=\"run\"" "$scratch/scheme_tests.xml" ||
        fail "the dark style hint test did not run"
}

nothing_left() {
    [ ! -e "$installed" ] && [ ! -e "$startmenu/Trelvan.lnk" ] && ! wine reg query "$key"
}

echo "wine: creating the prefix"
start_wine

# The layout facts the window is driven by, printed by the tables compiled
# into the program under test (binary files: no carriage returns).
wine "$build/tests/windows/layout_facts.exe" "$(winepath -w "$scratch/layout_facts.sh")" \
    "$(winepath -w "$scratch/layout_facts.json")" || fail "layout_facts.exe failed"
# shellcheck source=/dev/null
source "$scratch/layout_facts.sh"

echo "wine: unit tests, one wine process per test executable"
ctest --test-dir "$build" --output-on-failure --no-tests=error

start_window_manager "$scratch/openbox.log"
pids+=("$wm")

# The display scales of Windows' settings: 125 %, 150 %, 200 % and 100 %, whose
# window stays open for the error box.
for dpi in 120 144 192 96; do
    percent=$((dpi * 100 / 96))
    set_display_scale "$dpi"
    # The chart's sunken edge meets its grid, no tick labels touch and no caption
    # or box text is cut, as the window draws them at this scale.
    ratio=$(awk -v dpi="$dpi" 'BEGIN { print dpi / 96 }')
    wine "$build/tests/windows/scale_tests.exe" \
        --expect-pixel-ratio="$ratio" --gtest_brief=1 >"$scratch/scale_tests.log" 2>&1 ||
        fail "the scale tests failed at $percent %: $(cat "$scratch/scale_tests.log")"
    open_window "$build/trelvan.exe"
    calculate_and_shoot "$build/screenshot-$percent"
    expect_default_results
    echo "wine: at $percent %, the sunken edge meets the grid, the tick labels stay apart," \
        "no text is cut; screenshot in $build/screenshot-$percent.png"
    [ "$dpi" -eq 96 ] || exit_and_wait "$app" 10
done

# A relative volatility of 1 is turned away and the results stay.
open_and_shoot_error_box "$build/error-box"
expect_error_box_text
echo "wine: error box 错误信息 says 输入数据不合理 with the one button 确定"
close_error_box
expect_default_results
exit_and_wait "$app" 10
echo "wine: the exit button ended the program"

# Windows 11 with its dark mode for apps (Qt takes up the dark mode only from
# Windows 11 on): the window as in the light mode, pixel for pixel; the error
# box in the dark mode's colours.
personalize='HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize'
set_string_value 'HKCU\Software\Wine' Version win11
for mode in light dark; do
    set_user_value "$personalize" AppsUseLightTheme "$([ "$mode" = light ] && echo 1 || echo 0)"
    restart_wine
    if [ "$mode" = light ]; then
        expect_dark_style_hint_kept
        echo "wine: asked for the dark scheme, the program keeps its window pixel for pixel"
    fi
    open_window "$build/trelvan.exe"
    calculate_and_shoot "$build/screenshot-win11-$mode"
    open_and_shoot_error_box "$build/error-box-win11-$mode"
    close_error_box
    exit_and_wait "$app" 10
done
cmp -s "$build/screenshot-win11-light.rgb" "$build/screenshot-win11-dark.rgb" ||
    fail "in dark mode the window differs from the light one ($build/screenshot-win11-dark.png)"
! cmp -s "$build/error-box-win11-light.rgb" "$build/error-box-win11-dark.rgb" ||
    fail "the error box looks the same in dark mode: the mode did not reach the program"
set_user_value "$personalize" AppsUseLightTheme 1
set_string_value 'HKCU\Software\Wine' Version win10
restart_wine
echo "wine: as Windows 11 in dark mode the window is the light one, pixel for pixel; the" \
    "error box is dark ($build/screenshot-win11-dark.png, $build/error-box-win11-dark.png)"

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
exit_and_wait "$app" 10
echo "wine: installed in $installed with a Start-menu entry; the installed program runs"

# The uninstaller copies itself elsewhere and returns at once: wait for its work.
wine "$installed/uninstall.exe" /S || fail "the uninstaller failed"
wait_for 60 nothing_left ||
    fail "left behind: $(ls -A "$installed" 2>/dev/null) $(ls "$startmenu" 2>/dev/null)"
echo "wine: the uninstaller left no folder, shortcut or registry key"
echo "PASS: unit tests, window at four scales, read-outs, error box, exit, dark mode and style hint, installer and uninstaller under wine"
