#!/usr/bin/env bash
# Trelvan in the browser, cross-built on Debian and proven in Debian's Chromium,
# Firefox ESR and WebKitGTK:
#   1. installs emscripten, the host Qt tools, the browsers, node and the rest
#      (scripts/setup.sh web), and the pinned browser driver from npm (tests/web);
#   2. builds a static Qt for WebAssembly from Debian's Qt source, or takes it
#      from its cache (scripts/static-qt-web.sh);
#   3. builds build/web/ (the `web` preset): the page and everything it loads,
#      and trelvan-<version>-web.zip of them;
#   4. runs the calculation and chart tests under node, and drives the page in
#      headless Chromium and Firefox and in WebKitGTK's MiniBrowser under an X
#      server of its own (tests/web/browser_checks.mjs), on phones and tablets by
#      touch and as one file from file:// (screen_checks.mjs), and through a new
#      build's arrival (update_checks.mjs);
#   5. measures what a visitor downloads and waits for, against a bare window's
#      page (bench/web_page.mjs).
# Run as root on Debian 12 or 13. It all happens in a fresh Debian 13 root, whose
# emscripten and Qt are new enough, so that the same commit gives the same page
# on either host.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${TRELVAN_IN_ROOT:-}" != trixie ]; then
    exec bash scripts/in-fresh-root.sh trixie scripts/web.sh
fi
started=$SECONDS

bash scripts/setup.sh web
(cd tests/web && npm ci --ignore-scripts --no-audit --no-fund)

qt_started=$SECONDS
TRELVAN_WEB_QT=$(bash scripts/static-qt-web.sh)
export TRELVAN_WEB_QT
qt_seconds=$((SECONDS - qt_started))

# shellcheck source=scripts/lib/compiler-cache.sh
source scripts/lib/compiler-cache.sh
use_compiler_cache web
cmake --preset web
nice -n 10 cmake --build --preset web --parallel "$(nproc)"
ctest --preset web

zip=$(echo build/web/trelvan-*-web.zip)
node tests/web/browser_checks.mjs "$zip" build/web/host_tools build/web/browser
node tests/web/screen_checks.mjs "$zip" build/web/host_tools build/web/browser
node tests/web/update_checks.mjs "$zip" build/web/browser

# Everything a visitor of the served page downloads (its files and the service
# worker, not the page as one file), compressed as a web server sends it: at most 4 MB.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
python3 -m zipfile -e "$zip" "$unpacked"
download=0
while read -r file; do
    download=$((download + $(gzip -9c "$unpacked/$file" | wc -c)))
done < <(grep -v '^#' packaging/web/page-files.txt; echo sw.js)
if [ "$download" -gt $((4 * 1024 * 1024)) ]; then
    echo "web: a visit downloads $download bytes gzipped, more than 4 MiB" >&2
    exit 1
fi

# Against a bare window's page (the yardstick), visited in turn.
node bench/web_page.mjs "$zip" build/web/bench/bare-window-page.zip \
    build/web/browser/layout_facts.json 5
echo "web: $zip, $(stat -c %s "$zip") bytes; a visit downloads $download bytes gzipped;" \
    "the page as one file, build/web/trelvan.html, is $(stat -c %s build/web/trelvan.html) bytes"
echo "web: $(head -n 1 "$TRELVAN_WEB_QT/configure-options.txt")"
echo "web: passed in $((SECONDS - started)) s (Qt: $qt_seconds s)"
