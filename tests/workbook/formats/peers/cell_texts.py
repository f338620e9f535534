"""The texts of the first sheet of a written file as an independent peer reads them: one cell a
line, row by row, escaped (backslash, CR, LF) and encoded as UTF-8.

Usage: cell_texts.py xlsx|xls|ods|csv FILE
  xlsx: openpyxl; xls: xlrd; ods: odfpy; csv: Python's csv module (UTF-8)
"""
import sys


def xlsx(path):
    import openpyxl

    for row in openpyxl.load_workbook(path).worksheets[0].iter_rows(values_only=True):
        yield from (value for value in row if isinstance(value, str))


def xls(path):
    import xlrd

    sheet = xlrd.open_workbook(path).sheet_by_index(0)
    for r in range(sheet.nrows):
        yield from (value for value in sheet.row_values(r) if isinstance(value, str) and value)


def ods(path):
    from odf import table, teletype, text
    from odf.opendocument import load

    sheet = load(path).spreadsheet.getElementsByType(table.Table)[0]
    for row in sheet.getElementsByType(table.TableRow):
        for cell in row.getElementsByType(table.TableCell):
            paragraphs = cell.getElementsByType(text.P)
            if paragraphs:
                yield "\n".join(teletype.extractText(p) for p in paragraphs)


def csv_rows(path):
    import csv

    with open(path, newline="", encoding="utf-8-sig") as f:
        for row in csv.reader(f):
            yield from (value for value in row if value)


def main():
    read = {"xlsx": xlsx, "xls": xls, "ods": ods, "csv": csv_rows}[sys.argv[1]]
    for value in read(sys.argv[2]):
        line = value.replace("\\", "\\\\").replace("\r", "\\r").replace("\n", "\\n")
        sys.stdout.buffer.write(line.encode("utf-8") + b"\n")


main()
