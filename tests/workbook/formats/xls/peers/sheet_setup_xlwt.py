"""Writes an .xls file with python3-xlwt for the XLS reader's sheet-settings tests.

Usage: sheet_setup_xlwt.py OUT.xls
Sheet "Setup": column widths (two hidden columns, one of no width), two merged ranges, frozen panes (2 rows,
1 column), hidden grid lines, zoom 150, landscape page at 80 % with margins, centring, printed grid
lines, header and footer with page count and date, protection with a password. Sheet "Plain": a value and nothing else.
"""
import sys

import xlwt

book = xlwt.Workbook(encoding="utf-8")
sheet = book.add_sheet("Setup")
sheet.write_merge(0, 1, 0, 2, "merged")
sheet.write_merge(4, 4, 3, 5, "row merge")
sheet.write(6, 0, 1.5)
sheet.col(0).width = 256 * 20
sheet.col(1).width = 256 * 5
sheet.col(2).hidden = True
sheet.col(3).hidden = True
sheet.col(3).width = 0
sheet.panes_frozen = True
sheet.horz_split_pos = 2
sheet.vert_split_pos = 1
sheet.show_grid = False
sheet.normal_magn = 150
sheet.portrait = False
sheet.left_margin = 1.0
sheet.top_margin = 0.5
sheet.header_margin = 0.25
sheet.print_scaling = 80
sheet.print_centered_horz = True
sheet.print_centered_vert = False
sheet.print_grid = True
sheet.header_str = "&LLeft&CCenter&RRight".encode()
sheet.footer_str = "&CPage &P of &N&R&D".encode()
sheet.protect = True
sheet.password = "abc"
plain = book.add_sheet("Plain")
plain.write(0, 0, "x")
book.save(sys.argv[1])
