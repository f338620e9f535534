#!/usr/bin/python3
"""Prints one "key=value" line per feature of the first sheet of an XLSX file (and of its
workbook's names) as openpyxl reads them. Usage: describe_features.py FILE"""
import sys
from openpyxl import load_workbook
wb = load_workbook(sys.argv[1])
ws = wb.worksheets[0]
out = {}
out['sheets'] = '|'.join(wb.sheetnames)
d = ws.column_dimensions
out['width.B>C'] = d['B'].width > d['A'].width * 1.5
out['hidden.C'] = d['C'].hidden
out['outline.D'] = d['D'].outlineLevel
out['autowidth.F'] = d['F'].width > d['A'].width * 2
r = ws.row_dimensions
out['height.3'] = r[3].height
out['hidden.4'] = r[4].hidden
out['outline.5'] = r[5].outlineLevel
out['autoheight.9'] = (r[9].height or 0) > 2 * (r[1].height or 15)
out['freeze'] = ws.freeze_panes
out['zoom'] = ws.sheet_view.zoomScale
out['grid'] = ws.sheet_view.showGridLines
out['tab'] = ws.sheet_properties.tabColor.rgb if ws.sheet_properties.tabColor else None
out['protected'] = ws.protection.sheet
out['formatCells'] = ws.protection.formatCells
out['password'] = ws.protection.password
out['filter'] = ws.auto_filter.ref
# The fill B15 shows: its own when the file has the cell, else its column's.
cell = ws._cells.get((15, 2))
fill = cell.fill if cell is not None else d['B'].fill
out['fill.B15'] = fill.fgColor.rgb if fill.fill_type else None
out['merged'] = ' '.join(sorted(str(m) for m in ws.merged_cells.ranges))
out['link'] = ws['A8'].hyperlink.target if ws['A8'].hyperlink else None
out['orientation'] = ws.page_setup.orientation
out['scale'] = ws.page_setup.scale
out['centered'] = ws.print_options.horizontalCentered
out['gridlines'] = ws.print_options.gridLines
out['left'] = round(ws.page_margins.left, 3)
out['header'] = ws.oddHeader.left.text
out['footer'] = ws.oddFooter.center.text
out['rowbreaks'] = [b.id for b in ws.row_breaks.brk]
out['colbreaks'] = [b.id for b in ws.col_breaks.brk]
out['printarea'] = ws.print_area
out['titles'] = ws.print_title_rows
names = wb.defined_names
out['total'] = names['Total'].attr_text if 'Total' in names else None
out['comment'] = ws['B2'].comment.text if ws['B2'].comment else None
out['images'] = len(ws._images)
anchor = ws._images[0].anchor._from if ws._images else None
out['image.at'] = (anchor.col, anchor.row) if anchor else None
out['rich'] = ws['A1'].value
out['nan'] = ws['A11'].value
out['literal'] = ws['A12'].value
for key in sorted(out):
    print('%s=%s' % (key, out[key]))
