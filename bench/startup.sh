#!/usr/bin/env bash
# Start-up speed of the program against a bare Qt window of the same size, under a private X
# server: median time from process start to the window being mapped over RUNS runs each, their
# ratio, and the resident memory once the window is up and the chart drawn.
#   bench/startup.sh [BUILD_DIR] [RUNS]     (defaults: build, 20)
# BUILD_DIR must hold the built targets trelvan, startup_watch and startup_bare_window.
set -euo pipefail

build=$(realpath "${1:-build}")
runs=${2:-20}
max_ratio=1.3
max_rss_mb=60
settle_ms=300

if [ -z "${TRELVAN_STARTUP_UNDER_X:-}" ]; then
    export TRELVAN_STARTUP_UNDER_X=1
    # -noreset: the server would otherwise restart whenever a run's last client leaves.
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$build" "$runs"
fi

watch=$build/bench/startup_watch
program=$build/app/trelvan
bare=$build/bench/startup_bare_window
for binary in "$watch" "$program" "$bare"; do
    [ -x "$binary" ] || {
        echo "startup: $binary is not built" >&2
        exit 2
    }
done

runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime

# field NAME LINE: the value of NAME=value in a watcher report line.
field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p" <<<"$2"; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One untimed run of each first, so that both find the libraries and fonts in the page cache.
"$watch" "$program" >/dev/null
"$watch" "$bare" >/dev/null

program_ms=() bare_ms=() program_kb=() bare_kb=()
for ((i = 0; i < runs; i++)); do
    # Alternating the two spreads any drift in the machine's load over both evenly.
    line=$("$watch" --rss-after "$settle_ms" "$program")
    program_ms+=("$(field mapped_ms "$line")") program_kb+=("$(field rss_kb "$line")")
    line=$("$watch" --rss-after "$settle_ms" "$bare")
    bare_ms+=("$(field mapped_ms "$line")") bare_kb+=("$(field rss_kb "$line")")
done

program_median=$(printf '%s\n' "${program_ms[@]}" | median)
bare_median=$(printf '%s\n' "${bare_ms[@]}" | median)
program_rss=$(printf '%s\n' "${program_kb[@]}" | median)
bare_rss=$(printf '%s\n' "${bare_kb[@]}" | median)

awk -v runs="$runs" -v p="$program_median" -v b="$bare_median" -v pr="$program_rss" \
    -v br="$bare_rss" -v max_ratio="$max_ratio" -v max_rss="$max_rss_mb" -v settle="$settle_ms" '
BEGIN {
    ratio = p / b
    printf "start to window mapped, median of %d runs\n", runs
    printf "  trelvan      %8.1f ms\n", p
    printf "  bare window  %8.1f ms\n", b
    printf "  ratio        %8.2f   (goal <= %.1f: %s)\n", ratio, max_ratio, ratio <= max_ratio ? "met" : "missed"
    printf "resident memory %d ms after mapping, median\n", settle
    printf "  trelvan      %8.1f MB   (goal < %d MB: %s)\n", pr / 1024, max_rss, pr / 1024 < max_rss ? "met" : "missed"
    printf "  bare window  %8.1f MB\n", br / 1024
}'
