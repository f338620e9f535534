"""Writes an .xls file with python3-xlwt: sheet "S" holds 2 and 3 in A1:A2 and, in column B, the
formulas SUM(A1:A2)*2, ROUND(A1/3;2) and "a"&"b".

Usage: formulas_xlwt.py OUT.xls
"""
import sys

import xlwt

book = xlwt.Workbook()
sheet = book.add_sheet("S")
sheet.write(0, 0, 2)
sheet.write(1, 0, 3)
sheet.write(0, 1, xlwt.Formula("SUM(A1:A2)*2"))
sheet.write(1, 1, xlwt.Formula("ROUND(A1/3;2)"))
sheet.write(2, 1, xlwt.Formula('"a"&"b"'))
book.save(sys.argv[1])
