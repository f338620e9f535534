"""Prints the merged ranges and column records of .xls files as python3-xlrd reads them.

Usage: sheet_setup_xlrd.py FILE...
Lines "M<TAB>file<TAB>sheet<TAB>row1<TAB>row2<TAB>col1<TAB>col2" (ends exclusive) and
"C<TAB>file<TAB>sheet<TAB>column<TAB>width<TAB>hidden" (width in 1/256 characters), worksheets
only, columns ascending.
"""
import sys

import xlrd

for path in sys.argv[1:]:
    book = xlrd.open_workbook(path, formatting_info=True)
    for index in range(book.nsheets):
        sheet = book.sheet_by_index(index)
        for r1, r2, c1, c2 in sheet.merged_cells:
            print("M\t%s\t%d\t%d\t%d\t%d\t%d" % (path, index, r1, r2, c1, c2))
        for col in sorted(sheet.colinfo_map):
            info = sheet.colinfo_map[col]
            print("C\t%s\t%d\t%d\t%d\t%d" % (path, index, col, info.width, info.hidden))
