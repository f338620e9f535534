#!/usr/bin/python3
"""Prints what openpyxl reads of the feature workbook's first sheet ("Data") after LibreOffice
saved it as XLSX: values, number formats, styles, runs, merges, sizes, page, names, pictures,
rules, titles, filter, breaks and outline levels; then the names of the sheet "Nums" and the
results of the formulas of "Sums" using them. Usage: feature_book_xlsx.py FILE"""
import openpyxl, re, sys, zipfile
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb['Data']
a = ws['A1']
print([c.value for c in ws[1]])
print([ws.cell(1, c).number_format for c in range(2, 6)])
print(a.font.b, a.fill.fgColor.rgb, a.border.left.style, a.comment.text.strip())
strings = zipfile.ZipFile(sys.argv[1]).read('xl/sharedStrings.xml').decode()
print(re.search(r'<r><rPr><b[ /].*?<t[^>]*>bold</t></r>', strings) is not None,
      [str(r) for r in ws.merged_cells.ranges])
print(ws.column_dimensions['B'].width > 1.5 * ws.column_dimensions['A'].width,
      ws.column_dimensions['F'].hidden, ws.row_dimensions[2].height, ws.row_dimensions[4].hidden)
print(ws.page_setup.orientation, ws.oddHeader.center.text)
print(ws.sheet_properties.tabColor.rgb, ws.protection.sheet)
print(sorted({d.name for d in wb.defined_names.definedName}), len(ws._images), len(ws.conditional_formatting))
print(ws.print_title_rows, ws.auto_filter.ref, [b.id for b in ws.row_breaks.brk],
      ws.row_dimensions[4].outline_level, ws.column_dimensions['G'].outline_level)
print(sorted((d.name, d.localSheetId, d.attr_text) for d in wb.defined_names.definedName
             if d.name != 'Amounts'))
print([c.value for c in openpyxl.load_workbook(sys.argv[1], data_only=True)['Sums'][1]])
