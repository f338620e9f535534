"""Prints the BIFF8 token bytes (hex) python3-xlwt compiles for each formula argument (";"
separates a function's arguments), one per line.

Usage: rpn_xlwt.py FORMULA...
"""
import sys

import xlwt

for formula in sys.argv[1:]:
    print(xlwt.Formula(formula).rpn()[2:].hex())
