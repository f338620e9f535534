"""Prints what python3-xlrd reads of the XLS writer test's file of rows written by event: the row
count and merged ranges, then the number of hyperlinks and whether each row's link has its
address and text.

Usage: event_rows_xlrd.py FILE.xls
"""
import sys

import xlrd

s = xlrd.open_workbook(sys.argv[1], formatting_info=True).sheet_by_index(0)
print(s.nrows, sorted(s.merged_cells))
links = s.hyperlink_list
print(len(links), all(l.url_or_path.rstrip("\0") == "https://example.org/%d" % l.frowx and
                      l.desc.rstrip("\0") == "link %d" % l.frowx for l in links))
