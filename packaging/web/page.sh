#!/usr/bin/env bash
# Assembles Trelvan's web page in OUT from the program linked in LINKED: the
# page and its manifest, Qt's loader, the program (which carries its faces),
# the design details' module, the licences of the program and of its faces, the service worker with the
# list of the page's files, the page as one file (trelvan.html), and ZIP of
# them all. The icons are already in OUT.
#
#   page.sh OUT LINKED LOADER SOURCES FACE_LICENCES PROGRAM_LICENCE ZIP
#
# LOADER is Qt's qtloader.js; SOURCES is packaging/web.
set -euo pipefail

out=$1 linked=$2 loader=$3 sources=$4 face_licences=$5 program_licence=$6 zip=$7

cp "$sources/index.html" "$sources/design-details.js" "$sources/trelvan.webmanifest" "$out/"
cp "$linked/trelvan.js" "$linked/trelvan.wasm" "$loader" "$out/"
rm -rf "$out/licences"
cp -r "$face_licences" "$out/licences"
cp "$program_licence" "$out/licences/Trelvan.txt"

bash "$sources/service-worker.sh" "$out"
python3 "$sources/single_file.py" "$out"

mapfile -t files < <(grep -v '^#' "$sources/page-files.txt")
rm -f "$zip"
(cd "$out" && python3 -m zipfile -c "$zip" "${files[@]}" sw.js licences trelvan.html)
