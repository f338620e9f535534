"""Writes a workbook with openpyxl (an independent writer) that uses columns, merges, defined
names, frozen panes, page setup, headers and footers, sheet protection, an auto-filter and a tab
colour.

Usage: sheet_extras_openpyxl.py OUTPUT.xlsx
"""
import sys

from openpyxl import Workbook
from openpyxl.workbook.defined_name import DefinedName

path = sys.argv[1]
wb = Workbook()
ws = wb.active
ws.title = "Data"
other = wb.create_sheet("Q1 'x'")
ws["A1"] = "head"
ws.column_dimensions["B"].width = 20
ws.column_dimensions["D"].hidden = True
ws.column_dimensions["E"].outline_level = 2
ws.merge_cells("B2:C4")
ws.merge_cells("E6:H6")
ws.freeze_panes = "B3"
ws.auto_filter.ref = "A1:C10"
ws.sheet_properties.tabColor = "1072BA"
ws.page_setup.orientation = "landscape"
ws.page_setup.scale = 80
ws.page_setup.firstPageNumber = 3
ws.page_setup.useFirstPageNumber = True
ws.page_margins.left = 1.0
ws.page_margins.top = 1.5
ws.page_margins.header = 0.5
ws.print_options.gridLines = True
ws.print_options.horizontalCentered = True
ws.oddHeader.left.text = "Page &P of &N"
ws.oddHeader.left.font = "Tahoma,Bold"
ws.oddHeader.left.size = 12
ws.oddFooter.right.text = "&D"
ws.print_area = "A1:D20"
ws.print_title_rows = "1:2"
ws.print_title_cols = "A:B"
ws.protection.sheet = True
ws.protection.password = "password"
ws.protection.formatCells = False
wb.defined_names.append(DefinedName("Rates", attr_text="Data!$B$2:$D$10"))
wb.defined_names.append(DefinedName("Quoted", attr_text="'Q1 ''x'''!$A$1"))
wb.defined_names.append(DefinedName("Local", localSheetId=1, attr_text="'Q1 ''x'''!$C$3:$C$4"))
wb.defined_names.append(DefinedName("rates", localSheetId=1, attr_text="Data!$Z$1"))
wb.defined_names.append(DefinedName("Gone", attr_text="Missing!$A$1"))
wb.save(path)

