"""Writes the XLS reading benchmark's input with python3-xlwt: 2 sheets x 50,000 rows x 10 columns
(1,000,000 cells): integers (RK), decimals (NUMBER), dates, Booleans and texts drawn from 200,000
distinct strings mixing ASCII and Slovak letters, so the shared-string table runs over many
CONTINUE records and the file needs DIFAT sectors (a FAT of more than 109 sectors).

Usage: make_xls_bench.py OUT.xls [ROWS]   (rows per sheet, 50,000 unless given)
"""
import datetime
import sys

import xlwt

ROWS = int(sys.argv[2]) if len(sys.argv) > 2 else 50000
COLUMNS = 10

book = xlwt.Workbook(encoding="utf-8")
date_style = xlwt.easyxf(num_format_str="dd.mm.yyyy")
words = ["daň", "faktúra", "Košice", "Žilina", "účet", "plnenie", "odberateľ", "čiastka"]
base = datetime.date(2020, 1, 1)
for s in range(2):
    sheet = book.add_sheet("Hárok%d" % (s + 1))
    for r in range(ROWS):
        row = sheet.row(r)
        n = s * ROWS + r
        row.write(0, n)
        row.write(1, n * 1.25 + 0.003)
        row.write(2, "text %d %s" % (n, words[n % len(words)]))
        row.write(3, base + datetime.timedelta(days=n % 3000), date_style)
        row.write(4, n % 3 == 0)
        row.write(5, "SK%010d" % (n * 7 % 200000))
        row.write(6, -n / 7.0)
        row.write(7, words[n % len(words)])
        row.write(8, n % 1000)
        row.write(9, "poznámka %d" % (n % 5000))
        if r % 5000 == 0:
            sheet.flush_row_data()
book.save(sys.argv[1])
