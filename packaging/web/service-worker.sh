#!/usr/bin/env bash
# Writes PAGE/sw.js, the service worker of the page in PAGE: the page's files
# (page-files.txt) with the SHA-256 of each, and a cache named after all of
# them, so that every build has a cache of its own.
#
#   service-worker.sh PAGE
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
mapfile -t files < <(grep -v '^#' "$here/page-files.txt")
cd "$1"
cache=trelvan-$(cat "${files[@]}" | sha256sum | cut -c1-16)
digest() { sha256sum "$1" | cut -d' ' -f1; }
# "./" is how the page is addressed; the server answers it with index.html.
list=$(printf '["./", "%s"], ' "$(digest index.html)"
    for file in "${files[@]}"; do printf '["%s", "%s"], ' "$file" "$(digest "$file")"; done)
sed -e "s|@CACHE_NAME@|$cache|" -e "s|@FILES@|[${list%, }]|" "$here/sw.js.in" >sw.js
