"""Prints what python3-xlrd (with formatting) and olefile read of the XLS round-trip test's
feature workbook, one fact per line: merged ranges, cell values, names, column widths and hidden
columns, hidden and outlined rows, a row style's bold font, hyperlinks, rich-text runs, frozen
panes and zoom, a row of value types with its date, the cut sheet names and the date mode, a
9000-character text, a sheet with lone surrogates, the compound file's streams.

Usage: feature_book_xlrd.py BOOK.xls
"""
import sys

import olefile
import xlrd

path = sys.argv[1]
b = xlrd.open_workbook(path, formatting_info=True)
s = b.sheet_by_name("Data")
print(s.merged_cells)
print(s.cell_value(0, 3), s.cell_value(2, 1), s.cell_value(2, 2))
print([(n.name, n.result.value[0].coords if n.result else None) for n in b.name_obj_list])
print(s.colinfo_map[1].width > s.colinfo_map[0].width, s.colinfo_map[2].hidden)
print(s.rowinfo_map[5].hidden, s.rowinfo_map[6].outline_level)
print(b.font_list[b.xf_list[s.rowinfo_map[7].xf_index].font_index].bold)
print([(l.frowx, l.fcolx, l.url_or_path) for l in s.hyperlink_list])
runs = s.rich_text_runlist_map[(3, 0)]
print([(p, b.font_list[f].bold) for p, f in runs])
print(s.panes_are_frozen, s.horz_split_pos, s.scl_mag_factor)
print([(c.ctype, c.value) for c in s.row(9)], xlrd.xldate_as_tuple(s.cell_value(9, 3), 1))
print(b.sheet_names()[2:4], b.datemode)
t = b.sheet_by_index(2).cell_value(0, 0)
print(len(t), t == "\u0161" * 9000)
print(ascii(b.sheet_names()[4]), ascii(b.sheet_by_index(4).row_values(0)))
print(olefile.OleFileIO(path).listdir())
