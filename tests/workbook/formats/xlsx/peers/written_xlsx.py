#!/usr/bin/python3
"""Checks an XLSX file our writer wrote the way a strict consumer would (every part well-formed
and typed, every internal relationship target present), then prints what PROBE reads of it with
openpyxl or Python's own zip and XML readers. Usage: written_xlsx.py FILE PROBE"""
import posixpath
import re
import sys
import zipfile
from xml.dom import minidom

import openpyxl


def check(z):
    names = set(z.namelist())
    ct = minidom.parseString(z.read('[Content_Types].xml'))
    defaults = {e.getAttribute('Extension') for e in ct.getElementsByTagName('Default')}
    overrides = {e.getAttribute('PartName') for e in ct.getElementsByTagName('Override')}
    for o in overrides:
        assert o.lstrip('/') in names, 'content type for missing part ' + o
    for n in names:
        minidom.parseString(z.read(n)) if n.endswith(('.xml', '.rels')) else None
        if '/' + n not in overrides:
            assert n.rsplit('.', 1)[-1] in defaults, 'untyped part ' + n
    for n in names:
        if not n.endswith('.rels'):
            continue
        folder = posixpath.dirname(posixpath.dirname(n))
        for r in minidom.parseString(z.read(n)).getElementsByTagName('Relationship'):
            if r.getAttribute('TargetMode') == 'External':
                continue
            t = r.getAttribute('Target')
            p = t.lstrip('/') if t.startswith('/') else posixpath.normpath(posixpath.join(folder, t))
            assert p in names, 'relationship target missing: ' + t + ' from ' + n


def values(path):
    wb = openpyxl.load_workbook(path)
    print(wb.epoch.year, '|'.join(wb.sheetnames))
    ws = wb.worksheets[0]
    for row in ws.iter_rows():
        print([c.value for c in row])
    print(ws['B1'].number_format, ws['D1'].number_format.lower())


def numbers(path):
    rows = list(openpyxl.load_workbook(path).active.iter_rows(values_only=True))
    print(' '.join(repr(v) for v in rows[0][:6]))
    print(len(rows), sum(len(r) for r in rows[1:]), all(r[c] == i * 10 + c + 0.25
          for i, r in enumerate(rows) if i for c in range(10)))


def sheets(path):
    # Per sheet: its name, its size, its cell count, and the sum of its numbers and the count
    # and last of its texts; then the shared-string count.
    for ws in openpyxl.load_workbook(path, read_only=True).worksheets:
        cells = [v for row in ws.iter_rows(values_only=True) for v in row if v is not None]
        texts = [v for v in cells if isinstance(v, str)]
        print(ws.title, ws.max_row, ws.max_column, len(cells),
              sum(v for v in cells if not isinstance(v, str)), len(texts), texts[-1] if texts else None)
    sst = zipfile.ZipFile(path).read('xl/sharedStrings.xml').decode()
    print(sst.count('<si>'))


def styles(path):
    wb = openpyxl.load_workbook(path)
    ws = wb.active
    a, b, c = ws['A1'], ws['B1'], ws['C1']
    print(a.font.b, a.fill.fill_type, a.fill.fgColor.rgb)
    print(b.border.left.style, b.alignment.horizontal, b.alignment.wrap_text, b.font.b)
    print(c.font.b, c.fill.fill_type, c.border.left.style)
    for rng, rules in ws.conditional_formatting._cf_rules.items():
        for r in rules:
            print(rng.sqref, r.type, r.operator, r.formula, r.dxfId, wb._differential_styles[r.dxfId].fill.bgColor.rgb)


def merged(path):
    ws = openpyxl.load_workbook(path).active
    print([str(r) for r in ws.merged_cells.ranges], ws['B2'].value)
    xml = zipfile.ZipFile(path).read('xl/worksheets/sheet1.xml').decode()
    print(re.findall(r'<c r="([A-Z]+[0-9]+)"', xml))
    print(re.search(r'<dimension ref="([^"]*)"', xml).group(1))


def inline_strings(path):
    z = zipfile.ZipFile(path)
    print('xl/sharedStrings.xml' in z.namelist(), 'xl/calcChain.xml' in z.namelist())
    print(b'sharedStrings' in z.read('[Content_Types].xml'), b'sharedStrings' in z.read('xl/_rels/workbook.xml.rels'))
    print(b'Id="rId5"' in z.read('xl/_rels/workbook.xml.rels'))


def shared_strings(path):
    z = zipfile.ZipFile(path)
    sst = z.read('xl/sharedStrings.xml').decode()
    print(sst.count('<si>'), 'uniqueCount="2"' in sst, 'xml:space="preserve"' in sst)
    print([c.value for c in openpyxl.load_workbook(path).active[1]])


def shared_table(path):
    sst = zipfile.ZipFile(path).read('xl/sharedStrings.xml').decode()
    print(sst.count('<si>'), sst.count('<r>'))
    for row in openpyxl.load_workbook(path).active.iter_rows(values_only=True):
        print(['%s x%d' % (v[:6], len(v)) if len(v) > 20 else v for v in row if v is not None])


def relationships(path):
    z = zipfile.ZipFile(path)
    rels = z.read('xl/worksheets/_rels/sheet1.xml.rels').decode()
    for m in re.finditer(r'Id="(rId\d+)" Type="[^"]*/(\w+)" Target="([^"]*)"', rels):
        print(*m.groups())
    sheet = z.read('xl/worksheets/sheet1.xml').decode()
    print(re.findall(r'<(drawing|legacyDrawing) r:id="(rId\d+)"', sheet))
    print([(a, b) for a, b in re.findall(r'<col min="(\d+)" max="(\d+)"', sheet)])
    print(z.read('xl/drawings/_rels/drawing1.xml.rels').decode().count('Target="/xl/media/image1.gif"'))
    print('image/gif' in z.read('[Content_Types].xml').decode())


def protection(path):
    # Per sheet: its name, the length of the password in A1, the verifier in the file and
    # openpyxl's hash of that password.
    from openpyxl.utils.protection import hash_password
    for ws in openpyxl.load_workbook(path).worksheets:
        password = ws['A1'].value
        print(ws.title, len(password), ws.protection.password, hash_password(password), sep='\t')


path = sys.argv[1]
check(zipfile.ZipFile(path))
globals()[sys.argv[2]](path)
