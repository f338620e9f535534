"""Writes an .xls file with python3-xlwt whose shared strings fill several CONTINUE records.

Usage: sst_xlwt.py OUT.xls
Strings mix ASCII with Slovak letters (c, s, z with caron), so 8-bit and 16-bit strings alternate
and long ones of both kinds are split at record boundaries; some are rich text.
"""
import sys

import xlwt

book = xlwt.Workbook(encoding="utf-8")
sheet = book.add_sheet("Hárok")
bold = xlwt.easyfont("bold on")
red = xlwt.easyfont("color_index red")
row = 0
words = ["daň", "faktúra", "Košice", "Žilina", "účet", "plnenie", "odberateľ", "čiastka", "suma"]
for i in range(2500):
    w = words[i % len(words)]
    if i % 7 == 0:
        text = f"plain ascii {i} " + "x" * (i % 300)
    elif i % 7 == 1:
        text = f"{w} č/š/ž {i} " + "ž" * (i % 250)
    elif i % 7 == 2:
        text = ""
    else:
        text = f"{w} {i}" * (1 + i % 40)
    if text:
        sheet.write(row, 0, text)
        row += 1
for i in range(60):
    segments = [(f"Rich {i} ", bold), ("čšž " * (i % 30), red), ("end" * (i * 3), bold)]
    sheet.write_rich_text(row, 0, segments)
    row += 1
sheet.write(row, 0, "A" * 9000)  # longer than a record
sheet.write(row + 1, 0, "č" * 9000)
book.save(sys.argv[1])
