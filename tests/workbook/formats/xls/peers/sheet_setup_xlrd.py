"""Prints the merged ranges, column records and frozen panes of .xls files as python3-xlrd reads
them.

Usage: sheet_setup_xlrd.py FILE...
Lines "M<TAB>file<TAB>sheet<TAB>row1<TAB>row2<TAB>col1<TAB>col2" (ends exclusive),
"C<TAB>file<TAB>sheet<TAB>column<TAB>width<TAB>hidden<TAB>outline" (width in 1/256 characters)
and "P<TAB>file<TAB>sheet<TAB>col<TAB>row" (frozen panes only), worksheets only, columns
ascending; "E<TAB>file" when xlrd cannot read the file.
"""
import os
import sys

import xlrd

quiet = open(os.devnull, "w")
for path in sys.argv[1:]:
    try:
        book = xlrd.open_workbook(path, formatting_info=True, logfile=quiet)
    except Exception:  # xlrd's failures of every kind
        print("E\t%s" % path)
        continue
    for index in range(book.nsheets):
        sheet = book.sheet_by_index(index)
        for r1, r2, c1, c2 in sheet.merged_cells:
            print("M\t%s\t%d\t%d\t%d\t%d\t%d" % (path, index, r1, r2, c1, c2))
        for col in sorted(sheet.colinfo_map):
            info = sheet.colinfo_map[col]
            print("C\t%s\t%d\t%d\t%d\t%d\t%d" % (path, index, col, info.width, info.hidden,
                                                 info.outline_level))
        if sheet.panes_are_frozen:
            print("P\t%s\t%d\t%d\t%d" % (path, index, sheet.vert_split_pos, sheet.horz_split_pos))
