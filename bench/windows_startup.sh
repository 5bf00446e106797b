#!/usr/bin/env bash
# Start-up of the Windows program under wine beside the Linux program, on the
# same machine and under one private X server: medians over RUNS runs of the
# time from process start to the window being mapped (startup_watch), the wine
# prefix warm (made, its server running, and the program started once before).
#   bench/windows_startup.sh WINDOWS_BUILD LINUX_BUILD [RUNS]   (default 10 runs)
# WINDOWS_BUILD holds trelvan.exe (build/windows); LINUX_BUILD the built targets
# trelvan and startup_watch (build/tests). Needs wine, as in a Debian 13 root
# where scripts/windows.sh has run.
set -euo pipefail

windows=$(realpath "$1")
linux=$(realpath "$2")
runs=${3:-10}

if [ -z "${TRELVAN_STARTUP_UNDER_X:-}" ]; then
    export TRELVAN_STARTUP_UNDER_X=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$windows" "$linux" "$runs"
fi

root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tests/e2e/harness.sh
source "$root/tests/e2e/harness.sh"
# shellcheck source=tests/windows/wine_harness.sh
source "$root/tests/windows/wine_harness.sh"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$scratch"' EXIT
start_wine

watch=$linux/bench/startup_watch
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
mapped() { "$watch" "$@" | sed -n 's/.*mapped_ms=\([0-9.]*\).*/\1/p'; }

# Once each, untimed: the prefix, the libraries and the fonts warm.
mapped wine "$windows/trelvan.exe" >/dev/null
mapped "$linux/bin/trelvan" >/dev/null

exe=() elf=()
for ((i = 0; i < runs; i++)); do
    exe+=("$(mapped wine "$windows/trelvan.exe")")
    elf+=("$(mapped "$linux/bin/trelvan")")
done
printf 'median of %d runs, start to mapped window\n' "$runs"
printf '  trelvan.exe under wine   %8.1f ms   (%s)\n' "$(printf '%s\n' "${exe[@]}" | median)" "${exe[*]}"
printf '  trelvan on Linux         %8.1f ms   (%s)\n' "$(printf '%s\n' "${elf[@]}" | median)" "${elf[*]}"
printf '  trelvan.exe              %8d bytes\n' "$(stat -c %s "$windows/trelvan.exe")"
