"""Column widths as other programs write and read them.

Usage: col_widths_openpyxl.py write OUTPUT.xlsx
         writes columns B (20), C (9.5) and E to F (31 characters) with openpyxl, then takes
         every customWidth attribute out of the sheet, as files from some programs have them
       col_widths_openpyxl.py read INPUT.xlsx
         prints "LETTER WIDTH" for columns B, C, E and F as openpyxl reads them ("-" for none)
"""
import re
import sys
import zipfile

import openpyxl
from openpyxl.utils import get_column_letter

mode, path = sys.argv[1], sys.argv[2]
if mode == "write":
    wb = openpyxl.Workbook()
    ws = wb.active
    ws["A1"] = "x"
    ws.column_dimensions["B"].width = 20
    ws.column_dimensions["C"].width = 9.5
    ws.column_dimensions.group("E", "F")
    ws.column_dimensions["E"].width = 31
    ws.column_dimensions["E"].outline_level = 0
    wb.save(path)
    with zipfile.ZipFile(path) as z:
        parts = {name: z.read(name) for name in z.namelist()}
    sheet = parts["xl/worksheets/sheet1.xml"].decode()
    stripped = re.sub(r' customWidth="[^"]*"', "", sheet)
    assert stripped != sheet and "<col " in stripped
    parts["xl/worksheets/sheet1.xml"] = stripped.encode()
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in parts.items():
            z.writestr(name, data)
else:
    ws = openpyxl.load_workbook(path).active
    widths = {}
    for dim in ws.column_dimensions.values():
        if dim.min is not None and dim.width:
            for index in range(dim.min, min(dim.max, 26) + 1):
                widths[get_column_letter(index)] = dim.width
    for letter in "BCEF":
        print(letter, widths.get(letter, "-"))
