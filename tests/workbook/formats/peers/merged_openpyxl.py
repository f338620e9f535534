"""Prints the merged ranges openpyxl reads of each sheet of an .xlsx file, one line per sheet:
its name, then the ranges in order. Usage: merged_openpyxl.py FILE"""
import sys

import openpyxl

for sheet in openpyxl.load_workbook(sys.argv[1]).worksheets:
    ranges = sorted(sheet.merged_cells.ranges, key=lambda r: (r.min_row, r.min_col))
    print(sheet.title, *[str(r) for r in ranges], sep="\t")
