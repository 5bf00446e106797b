# shellcheck shell=bash disable=SC2154
# Shared by the scripts that run Windows programs under wine, after
# tests/e2e/harness.sh: a wine prefix of the caller's own in $scratch, under one
# wine server for the whole run. Sourced, not run.

# No Mono or Gecko installer dialogs, no debug chatter.
export WINEPREFIX=$scratch/wine WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# Creates the prefix under one persistent wine server: each wine process then
# starts in a fraction of a second instead of bringing up the server again.
start_wine() {
    mkdir -p "$WINEPREFIX"
    wineserver --persistent
    wineboot --init >"$scratch/wineboot.log" 2>&1 ||
        fail "wineboot failed: $(cat "$scratch/wineboot.log")"
}

# Ends the wine session and starts a fresh server, so that what a session
# reads only as it starts (the display scale, the Windows version, the apps'
# colour mode) takes effect.
restart_wine() {
    wineserver -k
    wineserver -w
    wineserver --persistent
}

# A program ends with status 0, or 137: once a Windows process has ended, the
# wine server kills its Unix process if it is still there half a second later,
# as on a busy machine it can be. A program that hangs instead never ends for
# Windows, and a crash ends it with its exception's code.
ended_well() {
    [ "$1" -eq 0 ] || [ "$1" -eq 137 ]
}
