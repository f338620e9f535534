"""openpyxl's view of the column widths, merges, frozen panes and defined names of an .xlsx file
written by another program.

Usage: sheet_extras_corpus.py FILE.xlsx...
Per file a line "# file PATH", then tab-separated lines: "SHEET" title; then for that sheet
"MERGE" c1 r1 c2 r2, "COL" index width hidden outline, "DEFAULT" width (a width up to the
last column), "PANE" col row (0-based); at the end, per workbook-scope name with one cell-range
destination, "NAME" name sheet c1 r1 c2 r2. A file openpyxl fails on prints nothing more.
"""
import sys
import warnings

import openpyxl
from openpyxl.utils.cell import range_boundaries, coordinate_to_tuple

warnings.simplefilter("ignore")


def describe(wb):
    for ws in wb.worksheets:
        print("SHEET\t%s" % ws.title)
        for merged in ws.merged_cells.ranges:
            print("MERGE\t%d\t%d\t%d\t%d" % (merged.min_col - 1, merged.min_row - 1,
                                             merged.max_col - 1, merged.max_row - 1))
        for dim in ws.column_dimensions.values():
            if dim.min is None or dim.width is None:
                continue
            # A col element reaching the last column describes the sheet's default width.
            if dim.max >= 16384:
                print("DEFAULT\t%r" % dim.width)
                continue
            for index in range(dim.min, dim.max + 1):
                print("COL\t%d\t%r\t%d\t%d" % (index - 1, dim.width, dim.hidden, dim.outline_level))
        if ws.freeze_panes:
            row, col = coordinate_to_tuple(ws.freeze_panes)
            print("PANE\t%d\t%d" % (col - 1, row - 1))
    for name in wb.defined_names.definedName:
        if name.localSheetId is not None or name.name.startswith("_xlnm."):
            continue
        destinations = list(name.destinations) if name.type == "RANGE" else []
        if len(destinations) != 1:
            continue
        title, ref = destinations[0]
        try:
            c1, r1, c2, r2 = range_boundaries(ref.replace("$", ""))
        except Exception:
            continue
        if None in (c1, r1, c2, r2):
            continue
        print("NAME\t%s\t%s\t%d\t%d\t%d\t%d" % (name.name, title, c1 - 1, r1 - 1, c2 - 1, r2 - 1))

for path in sys.argv[1:]:
    print("# file " + path)
    try:
        describe(openpyxl.load_workbook(path))
    except Exception:  # openpyxl's failures of every kind
        continue
