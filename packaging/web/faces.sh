#!/usr/bin/env bash
# The faces the browser build carries inside the program: for each face the
# window and its pictures set text in, as this machine resolves it, the font
# file fontconfig gives for it (the one Qt uses here) cut down to the
# characters the window shows and printable ASCII; all of them in one font
# collection, and beside it each face's licence, the copyright of its package.
# The collection is made only if the face the toolkit's texts take has a glyph
# for every character of the error box: a subset silently leaves out what its
# font lacks, and the box would show empty squares.
#
#   faces.sh COLLECTION LICENCES WINDOW_FACES PICTURE.svg...
#
# WINDOW_FACES is the tool that lists the faces and the characters
# (tools/browser_build), which reads the pictures too.
set -euo pipefail

collection=$1 licences=$2 window_faces=$3
shift 3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$scratch "$window_faces" \
    "$scratch/faces" "$scratch/characters" "$scratch/error_box" "$@"

rm -rf "$licences"
mkdir -p "$licences"
subsets=()
while IFS=$'\t' read -r family style; do
    slant=0
    [ "$style" = italic ] && slant=100
    IFS=$'\t' read -r file index found < <(fc-match -f '%{file}\t%{index}\t%{family}\n' \
        "$family:slant=$slant")
    case ",$found," in
    *",$family,"*) ;;
    *)
        echo "faces.sh: no installed face $family ($style); fontconfig offers $found" >&2
        exit 1
        ;;
    esac
    name=$(tr -cd 'A-Za-z0-9' <<<"$family")-$style
    python3 -m fontTools.subset "$file" --font-number="$index" --text-file="$scratch/characters" \
        --unicodes=U+0020-007E --layout-features='*' --output-file="$scratch/$name"
    subsets+=("$scratch/$name")
    package=$(dpkg-query -S "$(readlink -f "$file")" | head -n 1 | cut -d: -f1)
    cp "/usr/share/doc/$package/copyright" "$licences/$name.txt"
done <"$scratch/faces"

python3 - "$collection" "$scratch/error_box" "${subsets[@]}" <<'PYTHON'
import sys
from fontTools.ttLib import TTCollection, TTFont

collection_path, error_box_path, *subsets = sys.argv[1:]
fonts = [TTFont(path) for path in subsets]
with open(error_box_path, encoding="utf-8") as error_box:
    family, text = error_box.read().splitlines()
carrying = [font for font in fonts if font["name"].getBestFamilyName() == family]
if not carrying:
    sys.exit(f"faces.sh: the error box's face {family} is not among the window's faces")
for font in carrying:
    missing = sorted({c for c in text if ord(c) not in font.getBestCmap()})
    if missing:
        sys.exit(f"faces.sh: {family} has no glyph for {''.join(missing)} of the error box")
collection = TTCollection()
collection.fonts = fonts
collection.save(collection_path)
PYTHON
