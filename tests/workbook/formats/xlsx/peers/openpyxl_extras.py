#!/usr/bin/python3
"""Writes a workbook with comments, conditional formats and pictures to FILE with openpyxl and
prints the comments and rules as openpyxl reads them back: "comment|REF|TEXT|WIDTH|HEIGHT" and
"rule|REF|OPERATOR|FORMULAS|FONT COLOUR|b|FILL", rules of a range from the highest priority.
Column B is 30 characters wide and C 12; one picture of 40 x 20 pixels sits in C3 by its size,
the other spans from B2 (+10 px) to D4 (+20 px, +10 px), EMU of 9525 per pixel as openpyxl
counts. Usage: openpyxl_extras.py FILE"""
import struct, sys, zlib
from openpyxl import Workbook, load_workbook
from openpyxl.comments import Comment
from openpyxl.formatting.rule import CellIsRule
from openpyxl.styles import PatternFill, Font
from openpyxl.drawing.image import Image
from openpyxl.drawing.spreadsheet_drawing import TwoCellAnchor, AnchorMarker
def png(w, h):
    raw = b''.join(b'\x00' + b'\xff\x00\x00' * w for _ in range(h))
    def chunk(t, d):
        return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))
path = sys.argv[1]
wb = Workbook(); ws = wb.active
ws['B2'].comment = Comment('Hello\nsvet \u010d\u0161', 'Ann', width=150, height=90)
ws['D7'].comment = Comment('Second', 'Bob')
ws.conditional_formatting.add('C3', CellIsRule(operator='between', formula=['1', '5'],
    fill=PatternFill(bgColor='FFC7CE', fill_type='solid'), font=Font(color='9C0006', bold=True)))
ws.conditional_formatting.add('C3', CellIsRule(operator='greaterThan', formula=['A1'],
    font=Font(italic=True)))
ws.conditional_formatting.add('E1:E4', CellIsRule(operator='notEqual', formula=['"x"']))
open('p.png', 'wb').write(png(40, 20))
ws.column_dimensions['B'].width = 30
ws.column_dimensions['C'].width = 12
ws.add_image(Image('p.png'), 'C3')
spanning = Image('p.png')
spanning.anchor = TwoCellAnchor(_from=AnchorMarker(col=1, row=1, colOff=95250, rowOff=0),
                                to=AnchorMarker(col=3, row=3, colOff=190500, rowOff=95250))
ws.add_image(spanning)
wb.save(path)
# openpyxl does not read the boxes back, so their sizes are the ones it wrote.
sizes = {c: (ws[c].comment.width, ws[c].comment.height) for c in ('B2', 'D7')}
ws = load_workbook(path).active
for row in ws.iter_rows():
    for c in row:
        if c.comment:
            print('comment|%s|%s|%d|%d' % ((c.coordinate, c.comment.text.replace('\n', '/'))
                                           + sizes[c.coordinate]))
for cf in ws.conditional_formatting:
    # A rule without a format changes nothing and is not taken.
    for rule in sorted((r for r in cf.rules if r.dxfId is not None), key=lambda r: -r.priority):
        dxf = rule.dxf
        font = dxf.font if dxf is not None else None
        fill = dxf.fill.bgColor.rgb[2:] if dxf is not None and dxf.fill is not None else ''
        color = font.color.rgb[2:] if font is not None and font.color is not None else ''
        print('rule|%s|%s|%s|%s|%s|%s' % (str(cf.sqref).split(':')[0], rule.operator,
              ','.join(rule.formula), color, 'b' if font is not None and font.b else '', fill))
