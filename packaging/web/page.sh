#!/usr/bin/env bash
# Assembles Trelvan's web page in OUT from the program linked in LINKED: the
# page and its manifest, Qt's loader, the program (which carries its faces),
# the licences of the program and of its faces, and the service worker with
# the list of the page's files. The icons are already in OUT.
#
#   page.sh OUT LINKED LOADER SOURCES FACE_LICENCES PROGRAM_LICENCE
#
# LOADER is Qt's qtloader.js; SOURCES is packaging/web.
set -euo pipefail

out=$1 linked=$2 loader=$3 sources=$4 face_licences=$5 program_licence=$6

cp "$sources/index.html" "$sources/trelvan.webmanifest" "$out/"
cp "$linked/trelvan.js" "$linked/trelvan.wasm" "$loader" "$out/"
rm -rf "$out/licences"
cp -r "$face_licences" "$out/licences"
cp "$program_licence" "$out/licences/Trelvan.txt"

# The service worker keeps what the page loads; its cache is named after all of it.
cd "$out"
files=(index.html trelvan.webmanifest icon-192.png icon-512.png qtloader.js trelvan.js trelvan.wasm)
cache=trelvan-$(cat "${files[@]}" | sha256sum | cut -c1-16)
list=$(printf '"./", '; printf '"%s", ' "${files[@]}")
sed -e "s|@CACHE_NAME@|$cache|" -e "s|@FILES@|[${list%, }]|" "$sources/sw.js.in" >sw.js
