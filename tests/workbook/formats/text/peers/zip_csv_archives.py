"""Writes the zipped-CSV tests' archives with Python's zipfile (deflated), and reads ours.

Usage: zip_csv_archives.py KIND OUT [SEPARATOR]
  first-entry   readme.xyz, a folder, dir/table.csv (two rows in Windows-1250 with SEPARATOR),
                later.csv
  xlsx-entry    book.xlsx written by openpyxl: one row "from", "xlsx"
  no-handler    readme.xyz and a name without extension
  nested        nested.zip holding data.csv
  show          reads OUT (ours): testzip's result and the names, then data.csv in Windows-1250
"""
import io
import sys
import zipfile

kind, path = sys.argv[1], sys.argv[2]
if kind == 'show':
    z = zipfile.ZipFile(path)
    print(z.testzip(), z.namelist())
    print(z.read('data.csv').decode('cp1250'), end='')
    sys.exit()
z = zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED)
if kind == 'first-entry':
    z.writestr('readme.xyz', 'not a table')
    z.writestr('dir/', '')
    z.writestr('dir/table.csv', ('a' + sys.argv[3] + 'b\r\n\u017e').encode('cp1250'))
    z.writestr('later.csv', 'never read')
elif kind == 'xlsx-entry':
    import openpyxl
    wb = openpyxl.Workbook()
    wb.active.append(['from', 'xlsx'])
    data = io.BytesIO()
    wb.save(data)
    z.writestr('book.xlsx', data.getvalue())
elif kind == 'no-handler':
    z.writestr('readme.xyz', 'x')
    z.writestr('noext', 'y')
elif kind == 'nested':
    inner = io.BytesIO()
    with zipfile.ZipFile(inner, 'w') as i:
        i.writestr('data.csv', 'a')
    z.writestr('nested.zip', inner.getvalue())
z.close()
