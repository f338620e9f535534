"""Writes an .xls file with python3-xlwt for the XLS reader's cell tests.

Usage: cells_xlwt.py OUT.xls 1900|1904
Three worksheets: shared strings long enough for several CONTINUE records, mixing ASCII with
Slovak letters (c, s, z with caron) so 8-bit and 16-bit pieces alternate at the splits, rich text
and line breaks; numbers (integers and decimals, stored as RK and NUMBER), dates, times and
date-times in the chosen date system, Booleans and error values; an almost empty sheet.
"""
import datetime
import sys

import xlwt

book = xlwt.Workbook(encoding="utf-8")
book.dates_1904 = sys.argv[2] == "1904"

texts = book.add_sheet("Texty")
words = ["daň", "faktúra", "Košice", "Žilina", "účet"]
for i in range(1500):
    if i % 3 == 0:
        text = "ascii %d " % i + "x" * (i % 200)
    elif i % 3 == 1:
        text = "%s č/š/ž %d " % (words[i % 5], i) + "ž" * (i % 150)
    else:
        text = "%s %d" % (words[i % 5], i) * (1 + i % 20)
    texts.write(i, 0, text)
texts.write(0, 1, "line one\nline two")
texts.write(1, 1, "tab\there")
bold = xlwt.easyfont("bold on")
for i in range(20):
    texts.write_rich_text(i + 2, 1, [("Rich %d " % i, bold), ("čšž" * i, xlwt.easyfont("italic on"))])

values = book.add_sheet("Hodnoty")
numbers = [0, 1, -1, 42, 123456789, 0.5, -0.25, 1234.5, 3.14159265358979, 1e-7, 1.5e20,
           -98765.4321, 536870911, 536870912, 0.1 + 0.2, 100.01]
for r, n in enumerate(numbers):
    values.write(r, 0, n)
formats = [("dd.mm.yyyy", datetime.date(2023, 3, 15)),
           ("yyyy-mm-dd hh:mm:ss", datetime.datetime(2024, 2, 29, 13, 45, 30)),
           ("hh:mm:ss", datetime.time(7, 8, 9)),
           ("d-mmm-yy", datetime.date(1999, 12, 31)),
           ("[h]:mm:ss", 1.25),
           ("0.00%", 0.125),
           ("#,##0.00 \"€\"", 1234.5),
           ("0.00E+00", 12345.678)]
for r, (code, value) in enumerate(formats):
    values.write(r, 1, value, xlwt.easyxf(num_format_str=code))
values.write(0, 2, True)
values.write(1, 2, False)
values.write(2, 2, xlwt.Formula("1/0"))
for r, code in enumerate([0x07, 0x0F, 0x17, 0x1D, 0x24, 0x2A]):
    values.row(r + 3).set_cell_error(2, code)
for c in range(3, 40):
    values.write(20, c, c * 11)

empty = book.add_sheet("Prázdny")
empty.write(10, 255, "last column")
book.save(sys.argv[1])
