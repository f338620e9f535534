#!/usr/bin/python3
"""Writes FILE with openpyxl: column B 30 characters wide and C 12; one picture of 40 x 20 pixels
sits in C3 by its size, the other spans from B2 (+10 px) to D4 (+20 px, +10 px), EMU of 9525
per pixel as openpyxl counts; comments on A1 and E9. Usage: pictures_and_comments.py FILE"""
import sys
import struct, zlib
from openpyxl import Workbook
from openpyxl.comments import Comment
from openpyxl.drawing.image import Image
from openpyxl.drawing.spreadsheet_drawing import TwoCellAnchor, AnchorMarker
def png(w, h):
    raw = b''.join(b'\x00' + b'\xff\x00\x00' * w for _ in range(h))
    def chunk(t, d):
        return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))
open('p.png', 'wb').write(png(40, 20))
wb = Workbook(); ws = wb.active; ws.title = 'Data'
ws['A1'] = 'x'; ws['B2'] = 3
ws.column_dimensions['B'].width = 30
ws.column_dimensions['C'].width = 12
ws.add_image(Image('p.png'), 'C3')
spanning = Image('p.png')
spanning.anchor = TwoCellAnchor(_from=AnchorMarker(col=1, row=1, colOff=95250, rowOff=0),
                                to=AnchorMarker(col=3, row=3, colOff=190500, rowOff=95250))
ws.add_image(spanning)
ws['A1'].comment = Comment('first note', 'me')
ws['E9'].comment = Comment('second', 'me')
wb.save(sys.argv[1])
