"""Prints what python3-openpyxl reads of the XLS round-trip test's feature workbook after
LibreOffice converted it to .xlsx, where xlrd shows nothing: two formula texts and the number of
conditional formats, then the header and footer texts, sheet protection and page orientation.

Usage: feature_book_openpyxl.py BOOK.xlsx
"""
import sys

import openpyxl

s = openpyxl.load_workbook(sys.argv[1])["Data"]
print(s["D1"].value, s["B3"].value, len(s.conditional_formatting))
print(s.oddHeader.center.text, s.oddFooter.right.text, s.protection.sheet, s.page_setup.orientation)
