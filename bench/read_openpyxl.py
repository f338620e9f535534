"""The XLSX reading rival in compare.sh: openpyxl in read-only mode touches every cell's value.

Usage: read_openpyxl.py FILE.xlsx
"""
import sys

import openpyxl

book = openpyxl.load_workbook(sys.argv[1], read_only=True)
print(sum(1 for sheet in book.worksheets for row in sheet.iter_rows(values_only=True) for v in row))
