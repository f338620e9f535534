"""Rows of automatic and of custom height, made and read back by the independent peers.

Usage:
  row_heights.py make-xlsx OUT.xlsx   openpyxl: rows 1 to 3 hold a text each; only row 2 has a
                                      height of its own (30 points), the others none
  row_heights.py make-xls OUT.xls     the same with xlwt (row 2: 600 twips, the custom-height bit)
  row_heights.py xlsx FILE            per row element of the first sheet: its number, then "auto"
                                      without customHeight, else the height openpyxl reads (points)
  row_heights.py xls FILE             the same with xlrd (the ROW record's custom-height bit 0x40;
                                      the height in twips / 20)
"""
import sys


def make_xlsx(path):
    import openpyxl

    book = openpyxl.Workbook()
    sheet = book.active
    for r in range(1, 4):
        sheet.cell(row=r, column=1, value="row %d" % r)
    sheet.row_dimensions[2].height = 30
    book.save(path)


def make_xls(path):
    import xlwt

    book = xlwt.Workbook()
    sheet = book.add_sheet("S")
    for r in range(3):
        sheet.write(r, 0, "row %d" % (r + 1))
    sheet.row(1).height = 600
    sheet.row(1).height_mismatch = True
    book.save(path)


def read_xlsx(path):
    # openpyxl takes any row with a height for a custom one, so the attribute is read as it is.
    import posixpath
    import zipfile
    from xml.dom import minidom

    import openpyxl

    book = openpyxl.load_workbook(path)
    with zipfile.ZipFile(path) as package:
        rels = minidom.parseString(package.read("xl/_rels/workbook.xml.rels"))
        first = minidom.parseString(package.read("xl/workbook.xml")).getElementsByTagName("sheet")[0]
        target = [rel.getAttribute("Target") for rel in rels.getElementsByTagName("Relationship")
                  if rel.getAttribute("Id") == first.getAttribute("r:id")][0]
        part = target.lstrip("/") if target.startswith("/") else posixpath.join("xl", target)
        rows = minidom.parseString(package.read(part)).getElementsByTagName("row")
    heights = book.worksheets[0].row_dimensions
    for row in rows:
        r = int(row.getAttribute("r"))
        custom = row.getAttribute("customHeight") in ("1", "true")
        print(r, "%g" % heights[r].height if custom else "auto", sep="\t")


def read_xls(path):
    import xlrd

    sheet = xlrd.open_workbook(path, formatting_info=True).sheet_by_index(0)
    for r in range(sheet.nrows):
        info = sheet.rowinfo_map.get(r)
        custom = info is not None and info.height_mismatch and not info.has_default_height
        print(r + 1, "%g" % (info.height / 20) if custom else "auto", sep="\t")


{"make-xlsx": make_xlsx, "make-xls": make_xls, "xlsx": read_xlsx, "xls": read_xls}[sys.argv[1]](
    sys.argv[2])
