"""Prints the length of every text of a file's first sheet, in row order, one a line, as an
independent reader sees it: openpyxl (.xlsx), xlrd (.xls), odf (.ods) or Python's csv module
(comma-separated .csv in UTF-8). Usage: text_lengths.py FILE"""
import sys

path = sys.argv[1]
texts = []
if path.endswith(".xlsx"):
    import openpyxl

    for row in openpyxl.load_workbook(path).worksheets[0].iter_rows(values_only=True):
        texts += [v for v in row if isinstance(v, str)]
elif path.endswith(".xls"):
    import xlrd

    sheet = xlrd.open_workbook(path).sheet_by_index(0)
    for r in range(sheet.nrows):
        texts += [v for v in sheet.row_values(r) if isinstance(v, str)]
elif path.endswith(".ods"):
    from odf import opendocument, table, teletype

    sheet = opendocument.load(path).spreadsheet.getElementsByType(table.Table)[0]
    for cell in sheet.getElementsByType(table.TableCell):
        texts.append(teletype.extractText(cell))
else:
    import csv

    with open(path, newline="", encoding="utf-8-sig") as source:
        for row in csv.reader(source):
            texts += row
for text in texts:
    if text:
        print(len(text))
