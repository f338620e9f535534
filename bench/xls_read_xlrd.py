"""The XLS reading benchmark's reference: python3-xlrd loads the file and touches every cell's value,
as bench_xls_read does with ours.

Usage: xls_read_xlrd.py FILE.xls
"""
import sys

import xlrd

book = xlrd.open_workbook(sys.argv[1])
cells = 0
for sheet in book.sheets():
    for row in range(sheet.nrows):
        for value in sheet.row_values(row):
            cells += 1
print("sheets %d cells %d" % (book.nsheets, cells))
