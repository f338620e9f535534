"""Writes the workbooks of the program's import tests: types.xlsx with openpyxl, the same sheets
as types.ods with odfpy, and old.xls with xlwt, each left out when its module is missing.

Usage: import_books.py FOLDER
types.xlsx and types.ods: an A1 sheet whose cells are dates, date-times, numbers and texts (a
number as invoice number, a decimal comma in a text), with an empty row and a row of a refused
rate; an SV2 sheet of flags. old.xls: SV1 rows of numbers and texts, a D1 row of numbers with a
format. amounts.xlsx (openpyxl): an A1 sheet of amounts the general number form would write
with an exponent or cut, beside a formula's binary noise, and dates in the short forms.
"""
import datetime
import os
import sys

folder = sys.argv[1]
SHEETS = {
    "A1": [
        ["Odb", "F", "Den", "Z", "D", "S", "Kopr"],
        ["SK1234567890", "F-1", datetime.date(2021, 3, 5), 1234.5, 246.9, 20, 1],
        ["SK1234567890", 77, "2021-03-06", "12,30", -2, "20"],
        [],
        ["ATU123", "F-4", datetime.datetime(2021, 2, 28), 0.1 + 0.2, 0, "19"],
        ["SK1234567890", "F-5", datetime.datetime(2021, 3, 9, 13, 30), 10, 2, 20],
        ["SK1234567890", "F-6", datetime.datetime(2021, 3, 10), 10, 2, 20],
    ],
    "SV2": [["h"], ["CZ12345678", "SK1234567890", "x", "X"]],
}

try:
    import openpyxl
    book = openpyxl.Workbook()
    book.remove(book.active)
    for name, rows in SHEETS.items():
        sheet = book.create_sheet(name)
        for row in rows:
            sheet.append(row)
    book.save(os.path.join(folder, "types.xlsx"))
except ImportError:
    pass

try:
    import openpyxl
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "A1"
    for row in [
        ["Odb", "F", "Den", "Z", "D", "S"],
        ["SK1234567890", "F-1", "14-1-4", 1e15, 2e14, 20],
        ["SK1234567890", "F-2", datetime.date(2014, 1, 17), 165357.1 + 0.2, 0.2, 20],
        ["SK1234567890", "F-3", "2014-01-17-", "12345678901234.56", "9999999999999998", 20],
    ]:
        sheet.append(row)
    book.save(os.path.join(folder, "amounts.xlsx"))
except ImportError:
    pass

try:
    from odf.opendocument import OpenDocumentSpreadsheet
    from odf.table import Table, TableCell, TableRow
    from odf.text import P

    def ods_cell(value):
        if isinstance(value, datetime.datetime):
            cell = TableCell(valuetype="date", datevalue=value.isoformat())
        elif isinstance(value, datetime.date):
            cell = TableCell(valuetype="date", datevalue=value.isoformat())
        elif isinstance(value, (int, float)):
            cell = TableCell(valuetype="float", value=repr(value))
        else:
            cell = TableCell(valuetype="string")
        cell.addElement(P(text=str(value)))
        return cell

    document = OpenDocumentSpreadsheet()
    for name, rows in SHEETS.items():
        table = Table(name=name)
        for row in rows:
            line = TableRow()
            for value in row or [None]:
                line.addElement(TableCell() if value is None else ods_cell(value))
            table.addElement(line)
        document.spreadsheet.addElement(table)
    document.save(os.path.join(folder, "types.ods"))
except ImportError:
    pass

try:
    import xlwt
    book = xlwt.Workbook()
    sheet = book.add_sheet("SV1")
    sheet.write(0, 0, "Odb")
    for r, (odb, z, kod) in enumerate([("CZ12345678", 1500, ""), ("DE123456789", 250.0, "2")], 1):
        sheet.write(r, 0, odb)
        sheet.write(r, 1, z)
        sheet.write(r, 2, kod)
    d1 = book.add_sheet("D1")
    d1.write(0, 0, "h")
    style = xlwt.easyxf(num_format_str="0.00")
    for c, v in enumerate([416.9, 145.27, 29.05, 219.62, 21.96]):
        d1.write(1, c, v, style)
    book.save(os.path.join(folder, "old.xls"))
except ImportError:
    pass
