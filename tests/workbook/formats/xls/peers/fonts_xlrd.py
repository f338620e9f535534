"""Prints FONT record data (given as hex, one record per argument) as python3-xlrd's own BIFF8
font parser reads it: "name height italic struck_out weight escapement underline colour" per line.

Usage: fonts_xlrd.py HEX...
"""
import sys

import xlrd.book
import xlrd.formatting

book = xlrd.book.Book()
book.biff_version = 80
book.formatting_info = 1
book.encoding = "utf_16_le"
book.verbosity = 0
for record in sys.argv[1:]:
    xlrd.formatting.handle_font(book, bytes.fromhex(record))
    f = book.font_list[-1]
    print(f.name, f.height, f.italic, f.struck_out, f.weight, f.escapement, f.underline_type,
          f.colour_index)
