"""Writes an .xls file with xlwt (an independent BIFF8 writer) that uses column widths, a hidden
column, merges, frozen panes, sheet protection with a password, a header and footer, margins and
page setup, then prints the first worksheet's records of the file's "Workbook" stream (read with
olefile) as hexadecimal text: the stream from the worksheet's BOF on.

Usage: sheet_extras_xlwt.py OUTPUT.xls
"""
import struct
import sys

import olefile
import xlwt

path = sys.argv[1]
book = xlwt.Workbook()
sheet = book.add_sheet("Data")
sheet.write(0, 0, "head")
sheet.col(1).width = 256 * 20
sheet.col(3).hidden = True
sheet.col(3).width = 0
sheet.merge(1, 3, 1, 2)
sheet.panes_frozen = True
sheet.horz_split_pos = 2
sheet.vert_split_pos = 1
sheet.protect = True
sheet.password = "abc"
sheet.header_str = b"&LPage &P of &N"
sheet.footer_str = b"&R&D"
sheet.left_margin = 1.0
sheet.top_margin = 1.5
sheet.header_margin = 0.5
sheet.portrait = 0
sheet.print_scaling = 80
sheet.print_grid = 1
sheet.print_centered_horz = 1
book.save(path)

stream = olefile.OleFileIO(path).openstream("Workbook").read()
# The worksheet's substream starts at the second BOF record.
pos = 0
bofs = 0
while pos + 4 <= len(stream):
    rid, size = struct.unpack_from("<HH", stream, pos)
    if rid == 0x0809:
        bofs += 1
        if bofs == 2:
            break
    pos += 4 + size
sys.stdout.write(stream[pos:].hex())
