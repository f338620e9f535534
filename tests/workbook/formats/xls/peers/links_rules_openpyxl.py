"""Writes an .xlsx file with python3-openpyxl for LibreOffice to save as .xls: sheet "S" with a
hyperlink in A1, the numbers 1 to 10 in B1:B10 each with a conditional rule, the name "Amount"
for S!$B$2, a page break after row 5 and after column A, the print area A1:B10.

Usage: links_rules_openpyxl.py OUT.xlsx
"""
import sys

import openpyxl
from openpyxl.formatting.rule import CellIsRule
from openpyxl.styles import PatternFill
from openpyxl.workbook.defined_name import DefinedName
from openpyxl.worksheet.pagebreak import Break

book = openpyxl.Workbook()
sheet = book.active
sheet.title = "S"
sheet["A1"] = "link"
sheet["A1"].hyperlink = "https://example.com/x"
for r in range(1, 11):
    sheet.cell(row=r, column=2, value=r)
    fill = PatternFill("solid", fgColor="FF0000")
    rule = CellIsRule(operator="greaterThan", formula=[str(r)], fill=fill)
    sheet.conditional_formatting.add("B%d" % r, rule)
book.defined_names.append(DefinedName("Amount", attr_text="S!$B$2"))
sheet.row_breaks.append(Break(id=5))
sheet.col_breaks.append(Break(id=1))
sheet.print_area = "A1:B10"
book.save(sys.argv[1])
