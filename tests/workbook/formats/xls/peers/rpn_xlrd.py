"""Prints cell formulas given as BIFF8 token bytes (hex, one formula per argument) as
python3-xlrd decompiles them, one per line.

Usage: rpn_xlrd.py HEX...
"""
import sys

import xlrd.book
import xlrd.formula as F

book = xlrd.book.Book()
book.biff_version = 80
book.name_obj_list = []
for tokens in sys.argv[1:]:
    data = bytes.fromhex(tokens)
    print(F.decompile_formula(book, data, len(data), F.FMLA_TYPE_CELL, browx=0, bcolx=0))
