"""xlrd's view of the column information, merges and frozen panes of .xls files written by
other programs.

Usage: sheet_extras_xlrd.py FILE.xls
Prints tab-separated lines per worksheet: "SHEET" name (hex of its UTF-8 bytes), then "MERGE" c1 r1
c2 r2, "COL" index width-in-1/256-characters hidden outline, "PANE" col row (0-based, frozen panes
only). Prints "ERROR" when xlrd cannot read the file.
"""
import sys

import xlrd

try:
    book = xlrd.open_workbook(sys.argv[1], formatting_info=True, on_demand=False)
except Exception:
    print("ERROR")
    sys.exit(0)

for sheet in book.sheets():
    print("SHEET\t%s" % sheet.name.encode("utf-8").hex())
    for rlo, rhi, clo, chi in sheet.merged_cells:
        print("MERGE\t%d\t%d\t%d\t%d" % (clo, rlo, chi - 1, rhi - 1))
    for index, info in sorted(sheet.colinfo_map.items()):
        print("COL\t%d\t%d\t%d\t%d" % (index, info.width, info.hidden, info.outline_level))
    if sheet.panes_are_frozen:
        print("PANE\t%d\t%d" % (sheet.vert_split_pos, sheet.horz_split_pos))
