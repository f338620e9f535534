"""Prints the user-defined names of .xls files that python3-xlrd resolves to one absolute range
of one worksheet.

Usage: names_xlrd.py FILE...
Names equal but for the case of their letters are one name: the first is printed.
Lines "file<TAB>name<TAB>sheet<TAB>row1<TAB>row2<TAB>col1<TAB>col2" (ends exclusive).
"""
import re
import sys

import xlrd

for path in sys.argv[1:]:
    book = xlrd.open_workbook(path, formatting_info=True)
    seen = set()
    for name in book.name_obj_list:
        result = name.result
        if name.option_flags != 0 or len(name.raw_formula) not in (7, 11) or result is None:
            continue
        if result.kind != xlrd.oREF or len(result.value) != 1:
            continue
        if not re.fullmatch(r"[A-Za-z0-9_]*", name.name):
            continue
        if name.name.lower() in seen:
            continue
        seen.add(name.name.lower())
        sheet1, sheet2, row1, row2, col1, col2 = result.value[0].coords
        if sheet2 != sheet1 + 1:
            continue
        print("%s\t%s\t%d\t%d\t%d\t%d\t%d" % (path, name.name, sheet1, row1, row2, col1, col2))
