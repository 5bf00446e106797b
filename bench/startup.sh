#!/usr/bin/env bash
# Start-up speed and memory of the program against two yardsticks of the same size, under a
# private X server: a text-only replica of the window (every text the window shows when it
# opens, in its faces, sizes and weights, as plain labels: the font database, fontconfig and
# the font files any window with these texts pays) and a bare Qt window that draws no text. For each, medians over RUNS runs of: the time from process start to the window
# being mapped, the processor time used by then (steadier than the former while other programs
# load the machine), and the resident memory once the window is up (and the program's chart drawn).
#   bench/startup.sh [BUILD_DIR] [RUNS]     (defaults: build/tests, the tests preset's folder; 20)
# BUILD_DIR must hold the built targets trelvan, startup_watch, startup_text_replica and
# startup_bare_window.
set -euo pipefail

build=$(realpath "${1:-build/tests}")
runs=${2:-20}
max_ratio=1.3
max_rss_ratio=1.15
max_rss_mb=60
settle_ms=300

if [ -z "${TRELVAN_STARTUP_UNDER_X:-}" ]; then
    export TRELVAN_STARTUP_UNDER_X=1
    # -noreset: the server would otherwise restart whenever a run's last client leaves.
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$build" "$runs"
fi

watch=$build/bench/startup_watch
names=(trelvan replica bare)
declare -A binary=(
    [trelvan]=$build/bin/trelvan
    [replica]=$build/bench/startup_text_replica
    [bare]=$build/bench/startup_bare_window
)
for path in "$watch" "${binary[@]}"; do
    [ -x "$path" ] || {
        echo "startup: $path is not built" >&2
        exit 2
    }
done

runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime

# field NAME LINE: the value of NAME=value in a watcher report line.
field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p" <<<"$2"; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One untimed run of each first, so that all find the libraries and fonts in the page cache.
for name in "${names[@]}"; do
    "$watch" "${binary[$name]}" >/dev/null
done

declare -A ms=() cpu=() kb=()
for ((i = 0; i < runs; i++)); do
    # Interleaving the programs, each round starting with the next one, spreads any drift in
    # the machine's load (and any after-effect of the previous run) over all of them evenly.
    for ((j = 0; j < ${#names[@]}; j++)); do
        name=${names[(i + j) % ${#names[@]}]}
        line=$("$watch" --rss-after "$settle_ms" "${binary[$name]}")
        ms[$name]+="$(field mapped_ms "$line") " cpu[$name]+="$(field cpu_ms "$line") "
        kb[$name]+="$(field rss_kb "$line") "
    done
done

medianOf() { tr ' ' '\n' <<<"$1" | sed '/^$/d' | median; }

awk -v runs="$runs" -v settle="$settle_ms" \
    -v p="$(medianOf "${ms[trelvan]}")" -v f="$(medianOf "${ms[replica]}")" -v b="$(medianOf "${ms[bare]}")" \
    -v pc="$(medianOf "${cpu[trelvan]}")" -v fc="$(medianOf "${cpu[replica]}")" -v bc="$(medianOf "${cpu[bare]}")" \
    -v pr="$(medianOf "${kb[trelvan]}")" -v fr="$(medianOf "${kb[replica]}")" -v br="$(medianOf "${kb[bare]}")" \
    -v max_ratio="$max_ratio" -v max_rss_ratio="$max_rss_ratio" -v max_rss="$max_rss_mb" '
function verdict(ok) { return ok ? "met" : "missed" }
BEGIN {
    printf "median of %d runs each   start to mapped   processor time   memory %d ms after mapping\n", runs, settle
    printf "  trelvan                %9.1f ms     %9.1f ms     %6.1f MB (goal < %d MB: %s)\n", p, pc, pr / 1024, max_rss, verdict(pr / 1024 < max_rss)
    printf "  text-only replica      %9.1f ms     %9.1f ms     %6.1f MB\n", f, fc, fr / 1024
    printf "  bare window            %9.1f ms     %9.1f ms     %6.1f MB\n", b, bc, br / 1024
    printf "trelvan / replica:   start to mapped %.2f (goal <= %.2f: %s), processor %.2f, memory %.2f (goal <= %.2f: %s)\n", \
        p / f, max_ratio, verdict(p / f <= max_ratio), pc / fc, pr / fr, max_rss_ratio, verdict(pr / fr <= max_rss_ratio)
    printf "trelvan / bare:      start to mapped %.2f, processor %.2f, memory %.2f\n", p / b, pc / bc, pr / br
}'
