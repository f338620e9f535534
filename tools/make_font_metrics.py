#!/usr/bin/python3
"""Writes src/workbook/model/font_metrics_table.cpp: per font family and point size 1-70, the
line height and the digit width in pixels at 96 dpi, as Windows would lay the text out.

The families are those a workbook commonly names; each is measured on a free face of the same
kind (sans, serif, monospaced, condensed, heavy) from Debian's fonts-dejavu, since the original
faces are not free. Run: tools/make_font_metrics.py [font dir] > src/workbook/model/font_metrics_table.cpp
"""
import struct
import sys

FONT_DIR = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/fonts/truetype/dejavu"

FACES = {
    "sans": "DejaVuSans.ttf",
    "bold": "DejaVuSans-Bold.ttf",
    "narrow": "DejaVuSansCondensed.ttf",
    "serif": "DejaVuSerif.ttf",
    "serifnarrow": "DejaVuSerifCondensed.ttf",
    "mono": "DejaVuSansMono.ttf",
}

# 113 families; the first three are fixed by the library's lookup order.
FAMILIES = [
    ("Arial", "sans"), ("Arial Black", "bold"), ("Arial Narrow", "narrow"),
    ("Arial Rounded MT Bold", "bold"), ("Arial Unicode MS", "sans"), ("Bahnschrift", "narrow"),
    ("Book Antiqua", "serif"), ("Bookman Old Style", "serif"), ("Calibri", "narrow"),
    ("Calibri Light", "narrow"), ("Cambria", "serif"), ("Cambria Math", "serif"),
    ("Candara", "sans"), ("Century", "serif"), ("Century Gothic", "sans"),
    ("Century Schoolbook", "serif"), ("Comic Sans MS", "sans"), ("Consolas", "mono"),
    ("Constantia", "serif"), ("Corbel", "sans"), ("Courier", "mono"), ("Courier New", "mono"),
    ("DejaVu Sans", "sans"), ("DejaVu Sans Condensed", "narrow"), ("DejaVu Sans Mono", "mono"),
    ("DejaVu Serif", "serif"), ("DejaVu Serif Condensed", "serifnarrow"), ("Ebrima", "sans"),
    ("Franklin Gothic Book", "sans"), ("Franklin Gothic Demi", "bold"),
    ("Franklin Gothic Medium", "sans"), ("Gabriola", "serif"), ("Gadugi", "sans"),
    ("Garamond", "serifnarrow"), ("Georgia", "serif"), ("Gill Sans MT", "narrow"),
    ("Haettenschweiler", "narrow"), ("Helvetica", "sans"), ("Impact", "bold"),
    ("Javanese Text", "sans"), ("Leelawadee UI", "sans"), ("Liberation Mono", "mono"),
    ("Liberation Sans", "sans"), ("Liberation Sans Narrow", "narrow"), ("Liberation Serif", "serif"),
    ("Lucida Bright", "serif"), ("Lucida Console", "mono"), ("Lucida Fax", "serif"),
    ("Lucida Handwriting", "sans"), ("Lucida Sans", "sans"), ("Lucida Sans Typewriter", "mono"),
    ("Lucida Sans Unicode", "sans"), ("Malgun Gothic", "sans"), ("Marlett", "sans"),
    ("Microsoft Himalaya", "serif"), ("Microsoft JhengHei", "sans"),
    ("Microsoft New Tai Lue", "sans"), ("Microsoft PhagsPa", "sans"),
    ("Microsoft Sans Serif", "sans"), ("Microsoft Tai Le", "sans"), ("Microsoft YaHei", "sans"),
    ("Microsoft Yi Baiti", "serif"), ("MingLiU-ExtB", "serif"), ("Mongolian Baiti", "serif"),
    ("MS Gothic", "mono"), ("MS Mincho", "serif"), ("MS PGothic", "sans"), ("MS PMincho", "serif"),
    ("MS Reference Sans Serif", "sans"), ("MS Sans Serif", "sans"), ("MS Serif", "serif"),
    ("MS UI Gothic", "sans"), ("MV Boli", "sans"), ("Myanmar Text", "sans"),
    ("Nirmala UI", "sans"), ("Palatino Linotype", "serif"), ("Segoe Print", "sans"),
    ("Segoe Script", "sans"), ("Segoe UI", "sans"), ("Segoe UI Black", "bold"),
    ("Segoe UI Emoji", "sans"), ("Segoe UI Historic", "sans"), ("Segoe UI Light", "sans"),
    ("Segoe UI Semibold", "sans"), ("Segoe UI Semilight", "sans"), ("Segoe UI Symbol", "sans"),
    ("SimSun", "serif"), ("SimSun-ExtB", "serif"), ("Sitka Banner", "serif"),
    ("Sitka Display", "serif"), ("Sitka Heading", "serif"), ("Sitka Small", "serif"),
    ("Sitka Subheading", "serif"), ("Sitka Text", "serif"), ("Small Fonts", "narrow"),
    ("Sylfaen", "serif"), ("Symbol", "serif"), ("System", "bold"), ("Tahoma", "sans"),
    ("Terminal", "mono"), ("Times", "serif"), ("Times New Roman", "serif"),
    ("Trebuchet MS", "sans"), ("Verdana", "sans"), ("Webdings", "sans"), ("Wingdings", "sans"),
    ("Wingdings 2", "sans"), ("Wingdings 3", "sans"), ("Yu Gothic", "sans"),
    ("Yu Gothic UI", "sans"), ("Aptos", "sans"), ("Aptos Narrow", "narrow"),
    ("Open Sans", "sans"),
]
assert len(FAMILIES) == 113, len(FAMILIES)


def tables(data):
    count = struct.unpack(">H", data[4:6])[0]
    result = {}
    for i in range(count):
        tag, _, offset, length = struct.unpack(">4sIII", data[12 + 16 * i:28 + 16 * i])
        result[tag.decode("latin-1")] = data[offset:offset + length]
    return result


def glyph_of(cmap, code):
    count = struct.unpack(">H", cmap[2:4])[0]
    for i in range(count):
        platform, encoding, offset = struct.unpack(">HHI", cmap[4 + 8 * i:12 + 8 * i])
        if platform == 3 and encoding == 1 and struct.unpack(">H", cmap[offset:offset + 2])[0] == 4:
            sub = cmap[offset:]
            segs = struct.unpack(">H", sub[6:8])[0] // 2
            ends = struct.unpack(">%dH" % segs, sub[14:14 + 2 * segs])
            base = 16 + 2 * segs
            starts = struct.unpack(">%dH" % segs, sub[base:base + 2 * segs])
            deltas = struct.unpack(">%dh" % segs, sub[base + 2 * segs:base + 4 * segs])
            range_at = base + 4 * segs
            ranges = struct.unpack(">%dH" % segs, sub[range_at:range_at + 2 * segs])
            for s in range(segs):
                if starts[s] <= code <= ends[s]:
                    if ranges[s] == 0:
                        return (code + deltas[s]) & 0xFFFF
                    at = range_at + 2 * s + ranges[s] + 2 * (code - starts[s])
                    glyph = struct.unpack(">H", sub[at:at + 2])[0]
                    return (glyph + deltas[s]) & 0xFFFF if glyph else 0
    raise ValueError("no Unicode cmap")


def measure(path):
    data = open(path, "rb").read()
    t = tables(data)
    upem = struct.unpack(">H", t["head"][18:20])[0]
    win_ascent, win_descent = struct.unpack(">HH", t["OS/2"][74:78])
    metrics = struct.unpack(">H", t["hhea"][34:36])[0]
    hmtx = t["hmtx"]
    advances = []
    for digit in "0123456789":
        glyph = min(glyph_of(t["cmap"], ord(digit)), metrics - 1)
        advances.append(struct.unpack(">H", hmtx[4 * glyph:4 * glyph + 2])[0])
    heights, widths = [], []
    for size in range(1, 71):
        ppem = size * 96 / 72
        heights.append(round((win_ascent + win_descent) * ppem / upem))
        # GDI lays digits on whole pixels, then the text width is averaged by integer division.
        widths.append(min(255, sum(round(a * ppem / upem) for a in advances) // 10))
    return heights, widths


def main():
    measured = {kind: measure(f"{FONT_DIR}/{name}") for kind, name in FACES.items()}
    out = sys.stdout
    out.write("// Generated by tools/make_font_metrics.py from Debian's fonts-dejavu; do not edit.\n")
    out.write('#include "workbook/model/font_metrics.h"\n\nnamespace workbook {\n\n')
    out.write("const std::array<TFontMetrics, kFontMetricsCount> kFontMetricsTable = {{\n")
    for name, kind in FAMILIES:
        heights, widths = measured[kind]
        out.write(f'    {{u"{name}",\n     {{{", ".join(map(str, heights))}}},\n')
        out.write(f'     {{{", ".join(map(str, widths))}}}}},\n')
    out.write("}};\n\n}  // namespace workbook\n")


main()
