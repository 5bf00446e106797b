"""Saves the face of one family from a font collection as a font file of its own.

    one_face.py COLLECTION FAMILY OUT
"""
import sys

from fontTools.ttLib import TTCollection

collection, family, out = sys.argv[1:]
for font in TTCollection(collection).fonts:
    if font["name"].getDebugName(1) == family:
        font.save(out)
        sys.exit(0)
sys.exit(f"one_face.py: no face of {family} in {collection}")
