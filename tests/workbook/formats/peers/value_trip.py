"""The workbook of the value-trip tests, made and read back by the independent peers.

Usage:
  value_trip.py make OUT.xlsx   sheet "S" as openpyxl and most generators write it: numbers in the
                                General format, formulas without a cached value (one whose result
                                is 0, one using the defined name "Rate"), one formula of a function
                                our engine lacks whose cached value is patched in (2.5), and a
                                conditional format on D1:D5 comparing each cell with its right
                                neighbour, and one with the mean of the two
  value_trip.py dates OUT.xlsx [1904]
                                sheet "S" of formulas whose results are dates and times, each
                                cached as Excel writes such a result (t="d", an ISO text): one
                                reading sheet "Other", one of TODAY() cached on another day, a
                                date-time and a time; in the 1904 date system when asked
  value_trip.py xlsx FILE       per cell with content, with openpyxl: reference, formula (without
                                data_only), value (with data_only) and number format; then each
                                conditional-format rule: range, operator, formulas
  value_trip.py xls FILE        per cell with content, with xlrd: reference, cell type name, value
                                and the format string of its XF
"""
import sys
import zipfile


def make(path):
    import openpyxl
    from openpyxl.formatting.rule import CellIsRule
    from openpyxl.styles import Font
    from openpyxl.workbook.defined_name import DefinedName

    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "S"
    sheet["A1"] = 3.14159
    sheet["A2"] = 0.000125
    sheet["A3"] = 2
    sheet["B1"] = "=A1*2"
    sheet["B2"] = "=SUM(A1:A3)"
    sheet["B3"] = "=A3-2"
    sheet["B4"] = "=Rate*10"
    sheet["C1"] = "=DAVERAGE(A1:A3,1,A1:A1)"
    for r in range(1, 6):
        sheet.cell(row=r, column=4, value=r)
        sheet.cell(row=r, column=5, value=6 - r)
    rule = CellIsRule(operator="greaterThan", formula=["E1"], font=Font(color="FF0000"))
    sheet.conditional_formatting.add("D1:D5", rule)
    rule = CellIsRule(operator="equal", formula=["SUM(D1:E1)/2"], font=Font(color="0000FF"))
    sheet.conditional_formatting.add("D1:D5", rule)
    book.defined_names.append(DefinedName("Rate", attr_text="S!$A$3"))
    book.save(path)
    # openpyxl writes no cached values; the one a calculating program left is patched in.
    with zipfile.ZipFile(path) as source:
        parts = {name: source.read(name) for name in source.namelist()}
    sheet_xml = parts["xl/worksheets/sheet1.xml"].decode()
    before = "<f>DAVERAGE(A1:A3,1,A1:A1)</f><v></v>"
    assert before in sheet_xml, sheet_xml
    sheet_xml = sheet_xml.replace(before, "<f>DAVERAGE(A1:A3,1,A1:A1)</f><v>2.5</v>")
    parts["xl/worksheets/sheet1.xml"] = sheet_xml.encode()
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as target:
        for name, data in parts.items():
            target.writestr(name, data)


def patch_sheet(path, part, replacements):
    """Replaces texts in one part of the package at path, each of which must be there."""
    with zipfile.ZipFile(path) as source:
        parts = {name: source.read(name) for name in source.namelist()}
    text = parts[part].decode()
    for before, after in replacements:
        assert before in text, (before, text)
        text = text.replace(before, after)
    parts[part] = text.encode()
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as target:
        for name, data in parts.items():
            target.writestr(name, data)


def make_dates(path, system="1900"):
    import datetime
    import openpyxl
    from openpyxl.utils.datetime import CALENDAR_MAC_1904

    book = openpyxl.Workbook()
    if system == "1904":
        book.epoch = CALENDAR_MAC_1904
    sheet = book.active
    sheet.title = "S"
    other = book.create_sheet("Other")
    other["A1"] = datetime.datetime(2024, 3, 15)
    other["A2"] = datetime.time(6, 0)
    cells = [("A1", "Other!A1", "yyyy-mm-dd", "2024-03-15T00:00:00"),
             ("A2", "TODAY()", "yyyy-mm-dd", "2020-01-02"),
             ("A3", "Other!A1+0.5", "yyyy-mm-dd hh:mm", "2024-03-15T12:00:00"),
             # A time of day is a serial below 1, on the system's first day.
             ("A4", "Other!A2", "hh:mm:ss",
              "1904-01-01T06:00:00" if system == "1904" else "1899-12-30T06:00:00")]
    for ref, formula, code, _ in cells:
        sheet[ref] = "=" + formula
        sheet[ref].number_format = code
    book.save(path)
    # openpyxl writes no cached values; those Excel leaves are patched in.
    patch_sheet(path, "xl/worksheets/sheet1.xml",
                [('"><f>%s</f><v></v>' % formula, '" t="d"><f>%s</f><v>%s</v>' % (formula, value))
                 for _, formula, _, value in cells])


def read_xlsx(path):
    import openpyxl

    formulas = openpyxl.load_workbook(path).worksheets[0]
    values = openpyxl.load_workbook(path, data_only=True).worksheets[0]
    for row in formulas.iter_rows():
        for cell in row:
            value = values[cell.coordinate].value
            if cell.value is None and value is None:
                continue
            formula = cell.value if isinstance(cell.value, str) and cell.value.startswith("=") else "-"
            print(cell.coordinate, formula, repr(value), cell.number_format, sep="\t")
    for ranges in formulas.conditional_formatting:
        for rule in ranges.rules:
            print("rule", ranges.sqref, rule.operator, ",".join(rule.formula), sep="\t")


def read_xls(path):
    import xlrd

    book = xlrd.open_workbook(path, formatting_info=True)
    sheet = book.sheet_by_index(0)
    for r in range(sheet.nrows):
        for c in range(sheet.ncols):
            cell = sheet.cell(r, c)
            if cell.ctype in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK):
                continue
            xf = book.xf_list[cell.xf_index]
            print(xlrd.formula.cellname(r, c), xlrd.sheet.ctype_text[cell.ctype], repr(cell.value),
                  book.format_map[xf.format_key].format_str, sep="\t")


{"make": make, "dates": make_dates, "xlsx": read_xlsx, "xls": read_xls}[sys.argv[1]](*sys.argv[2:])
