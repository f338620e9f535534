"""openpyxl's view of the column widths, merges, frozen panes and defined names of an .xlsx file
written by another program.

Usage: sheet_extras_corpus.py FILE.xlsx...
Per file a line "# file PATH", then tab-separated lines: "SHEET" title; then for that sheet
"MERGE" c1 r1 c2 r2, "COL" index width hidden outline (widths marked customWidth only),
"DEFAULT" width (a custom width up to the last column), "PANE" col row (0-based); at the end, per
workbook-scope name with one cell-range destination, "NAME" name sheet c1 r1 c2 r2. A file
openpyxl fails on prints nothing more.
"""
import posixpath
import sys
import warnings
import xml.etree.ElementTree as ET
import zipfile

import openpyxl
from openpyxl.utils.cell import range_boundaries, coordinate_to_tuple

warnings.simplefilter("ignore")
MAIN = "{http://schemas.openxmlformats.org/spreadsheetml/2006/main}"
REL = "{http://schemas.openxmlformats.org/officeDocument/2006/relationships}"


def describe(path, wb):
    package = zipfile.ZipFile(path)
    workbook_xml = package.read("xl/workbook.xml")
    rels = ET.fromstring(package.read("xl/_rels/workbook.xml.rels"))
    targets = {r.get("Id"): r.get("Target") for r in rels}
    parts = []
    for sheet in ET.fromstring(workbook_xml).iter(MAIN + "sheet"):
        target = targets[sheet.get(REL + "id")]
        parts.append(target.lstrip("/") if target.startswith("/") else posixpath.join("xl", target))

    for ws, part in zip(wb.worksheets, parts):
        data = package.read(part)
        print("SHEET\t%s" % ws.title)
        # openpyxl reports every width as custom; the model takes a width only where the file says
        # customWidth is true, so only those widths are compared.
        custom = set()
        for col in ET.fromstring(data).iter(MAIN + "col"):
            if (col.get("customWidth") or "")[:1] in ("1", "t", "T"):
                custom.update(range(int(col.get("min")), int(col.get("max")) + 1))
        for merged in ws.merged_cells.ranges:
            print("MERGE\t%d\t%d\t%d\t%d" % (merged.min_col - 1, merged.min_row - 1,
                                             merged.max_col - 1, merged.max_row - 1))
        for dim in ws.column_dimensions.values():
            if dim.min is None or dim.width is None or dim.min not in custom:
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
        describe(path, openpyxl.load_workbook(path))
    except Exception:  # openpyxl's failures of every kind
        continue
