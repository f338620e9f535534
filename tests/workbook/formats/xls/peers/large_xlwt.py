"""Writes an .xls file with python3-xlwt whose Workbook stream is larger than the XLS reader's
window (256 KB), for the tests that read it through the window.

Usage: large_xlwt.py OUT.xls
Two worksheets of 6,000 rows: distinct shared strings (ASCII and Slovak letters, so 8-bit and
16-bit pieces meet at the CONTINUE records), rich text, lines with line breaks, numbers.
"""
import sys

import xlwt

book = xlwt.Workbook(encoding="utf-8")
words = ["daň", "faktúra", "Košice", "Žilina", "účet"]
bold = xlwt.easyfont("bold on")
for s in range(2):
    sheet = book.add_sheet("Hárok%d" % (s + 1))
    for r in range(6000):
        n = s * 6000 + r
        sheet.write(r, 0, "ascii %d " % n + "x" * (n % 40))
        sheet.write(r, 1, "%s č/š/ž %d" % (words[n % 5], n) + "ž" * (n % 30))
        sheet.write(r, 2, n * 1.5 - 7)
        if r % 100 == 0:
            sheet.write_rich_text(r, 3, [("Rich %d " % n, bold), ("čšž", xlwt.easyfont("italic on"))])
        elif r % 100 == 1:
            sheet.write(r, 3, "line %d\nnext" % n)
        if r % 1000 == 0:
            sheet.flush_row_data()
book.save(sys.argv[1])
