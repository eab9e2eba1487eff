#!/usr/bin/env python3
"""vlminfo beside fontTools, an independent reader, on real collections and
CFF fonts from Debian's packages, a Latin face and symbol fonts: every face,
its names, metrics and format, and the number of code points it maps.

The code points compared are the union of the face's Windows subtables that
vlminfo reads, (3,0), (3,1) and (3,10) in formats 4 and 12, less those mapped
to glyph 0. fontTools' getBestCmap would leave the symbol subtable out.

usage: compare_fonttools.py VLMINFO
"""
import glob
import json
import subprocess
import sys

from fontTools.ttLib import TTFont
from fontTools.ttLib.ttCollection import TTCollection

FILES = (
    ["/usr/share/fonts/truetype/wqy/wqy-microhei.ttc",
     "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",
     "/usr/share/fonts/opentype/noto/NotoSerifCJK-Bold.ttc"]
    + sorted(glob.glob("/usr/share/fonts/opentype/urw-base35/*.otf"))
    + ["/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
        "/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf",
        # Symbol subtables (3,0) only: fonts-wine.
        "/usr/share/wine/fonts/wingding.ttf", "/usr/share/wine/fonts/marlett.ttf"])

ENGLISH = (0x0409, 0x0809, 0x0C09, 0x1009, 0x1409, 0x1809)


def name(font, name_id):
    """The last Microsoft English record wins, else the first Macintosh one."""
    found = None
    for record in font["name"].names:
        if record.nameID == name_id and record.platformID == 3 and record.langID in ENGLISH:
            found = record.toUnicode()
    if found is None:
        for record in font["name"].names:
            if record.nameID == name_id and record.platformID == 1:
                return record.toUnicode().strip()
    return (found or "").strip()


def code_points(font):
    notdef = font.getGlyphOrder()[0]
    points = set()
    for table in font["cmap"].tables:
        if table.platformID == 3 and table.platEncID in (0, 1, 10) and table.format in (4, 12):
            points.update(c for c, glyph in table.cmap.items() if glyph != notdef)
    return len(points)


def expected(font, face, faces):
    os2, hhea, head = font["OS/2"], font["hhea"], font["head"]
    values = {
        "FontName": name(font, 4), "FamilyName": name(font, 1), "SubfamilyName": name(font, 2),
        "PostScriptName": name(font, 6), "UnitsPerEm": head.unitsPerEm,
        "Ascender": hhea.ascent, "Descender": hhea.descent, "LineGap": hhea.lineGap,
        "WeightClass": os2.usWeightClass, "WidthClass": os2.usWidthClass,
        "AvgCharWidth": os2.xAvgCharWidth, "WinAscent": os2.usWinAscent,
        "WinDescent": os2.usWinDescent, "Italic": bool(os2.fsSelection & 1),
        "Bold": bool(os2.fsSelection & 0x20), "Regular": bool(os2.fsSelection & 0x40),
        "Format": "CFF" if "CFF " in font else "TrueType",
        "CodePoints": code_points(font),
    }
    if faces is not None:
        values["face"] = face
    return values


def main():
    vlminfo = sys.argv[1]
    present = [f for f in FILES if glob.os.path.exists(f)]
    if len(present) < 3:
        print("fonts-wqy-microhei, fonts-noto-cjk and fonts-urw-base35 are needed (scripts/setup)")
        return 1
    out = subprocess.run([vlminfo, "--coverage"] + present, check=True, capture_output=True, text=True).stdout
    printed = [json.loads(line) for line in out.splitlines()]
    wanted = []
    for path in present:
        if path.lower().endswith((".ttc", ".otc")):
            collection = TTCollection(path, lazy=True)
            wanted += [(path, expected(f, i, len(collection.fonts)))
                       for i, f in enumerate(collection.fonts)]
        else:
            wanted.append((path, expected(TTFont(path, lazy=True), 0, None)))
    passed = failed = 0
    if len(printed) != len(wanted):
        print(f"vlminfo printed {len(printed)} faces, fontTools reads {len(wanted)}")
        failed += 1
    for record, (path, values) in zip(printed, wanted):
        wrong = {k: (record.get(k), v) for k, v in values.items() if record.get(k) != v}
        if sum(record["Blocks"].values()) != record["CodePoints"]:
            wrong["Blocks"] = (sum(record["Blocks"].values()), record["CodePoints"])
        if record["FileName"] != path or record["Bad"] or wrong or ("face" in record) != ("face" in values):
            print(f"{path} face {values.get('face', 0)}: vlminfo, fontTools differ: {wrong}")
            failed += 1
        else:
            passed += 1
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
