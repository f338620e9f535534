"""Prints what python3-xlrd reads of the XLS writer test's file of long hyperlinks: per link its
row, the lengths of its address and display text, and whether the address is the row's URL cut to
that length.

Usage: long_links_xlrd.py FILE.xls
"""
import sys

import xlrd

s = xlrd.open_workbook(sys.argv[1], formatting_info=True).sheet_by_index(0)
for link in sorted(s.hyperlink_list, key=lambda l: l.frowx):
    url = link.url_or_path.rstrip("\0")
    text = link.desc.rstrip("\0")
    expected = "https://example.org/" + "u" * 6000
    print(link.frowx, len(url), len(text), url == expected[:len(url)])
