#!/usr/bin/env bash
# Assembles Trelvan's web page in OUT from the program linked in LINKED: the
# page and its manifest, Qt's loader, the program, subsets of the faces the
# window shows (only its characters and printable ASCII) each with its licence,
# the list the loader preloads them by, and the service worker with the list of
# the page's files. The icons are already in OUT.
#
#   page.sh OUT LINKED LOADER SOURCES WINDOW_FACES PICTURE.svg...
#
# LOADER is Qt's qtloader.js; SOURCES is packaging/web; WINDOW_FACES the tool
# that lists the faces and the characters (tools/browser_build), which reads
# the pictures too.
set -euo pipefail

out=$1 linked=$2 loader=$3 sources=$4 window_faces=$5
shift 5
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

rm -rf "$out/fonts"
mkdir -p "$out/fonts"
LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$scratch "$window_faces" \
    "$scratch/faces" "$scratch/characters" "$@"

# Each face: the font file fontconfig gives for it (the one Qt uses here), cut
# down to the characters the window shows, with the copyright of its package.
preload=()
while IFS=$'\t' read -r family style; do
    slant=0
    [ "$style" = italic ] && slant=100
    IFS=$'\t' read -r file index found < <(fc-match -f '%{file}\t%{index}\t%{family}\n' \
        "$family:slant=$slant")
    case ",$found," in
    *",$family,"*) ;;
    *)
        echo "page.sh: no installed face $family ($style); fontconfig offers $found" >&2
        exit 1
        ;;
    esac
    extension=${file##*.}
    [ "$extension" = ttc ] && extension=ttf
    name=$(tr -cd 'A-Za-z0-9' <<<"$family")-$style
    python3 -m fontTools.subset "$file" --font-number="$index" --text-file="$scratch/characters" \
        --unicodes=U+0020-007E --layout-features='*' --output-file="$out/fonts/$name.$extension"
    package=$(dpkg-query -S "$(readlink -f "$file")" | head -n 1 | cut -d: -f1)
    cp "/usr/share/doc/$package/copyright" "$out/fonts/$name.copyright.txt"
    preload+=("{\"source\": \"fonts/$name.$extension\", \"destination\": \"/fonts/$name.$extension\"}")
done <"$scratch/faces"
(IFS=,; echo "[${preload[*]}]") >"$out/fonts.json"

cp "$sources/index.html" "$sources/trelvan.webmanifest" "$out/"
cp "$linked/trelvan.js" "$linked/trelvan.wasm" "$loader" "$out/"

# The service worker keeps what the page loads; its cache is named after all of it.
cd "$out"
mapfile -t files < <(printf '%s\n' index.html trelvan.webmanifest icon-192.png icon-512.png \
    qtloader.js trelvan.js trelvan.wasm fonts.json; find fonts -type f ! -name '*.txt' | sort)
cache=trelvan-$(cat "${files[@]}" | sha256sum | cut -c1-16)
list=$(printf '"./", '; printf '"%s", ' "${files[@]}")
sed -e "s|@CACHE_NAME@|$cache|" -e "s|@FILES@|[${list%, }]|" "$sources/sw.js.in" >sw.js
