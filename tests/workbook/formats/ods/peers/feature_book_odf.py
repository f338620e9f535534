#!/usr/bin/python3
"""Prints what python3-odf (and Python's zip and XML readers) see of the feature workbook written
as ODS: the first table's name and value types, formula and runs, view settings, creator, table
names, the package's entries, repeated style names, the first cell's rotation, the second
table's text and which of the first table's rows ask to be measured again.
Usage: feature_book_odf.py FILE"""
import sys
from odf.opendocument import load
from odf.config import ConfigItem
from odf.table import Table, TableRow, TableCell
doc = load(sys.argv[1])
t = doc.spreadsheet.getElementsByType(Table)[0]
print(t.getAttribute('name'), doc.getMediaType())
cells = t.getElementsByType(TableRow)[0].getElementsByType(TableCell)[:8]
print([c.getAttribute('valuetype') for c in cells])
print(cells[6].getAttribute('formula'), str(cells[7]))
settings = {}
for item in doc.settings.getElementsByType(ConfigItem):
    settings[item.getAttribute('name')] = str(item)
print(settings['HorizontalSplitPosition'], settings['VerticalSplitPosition'],
      settings['ZoomValue'], settings['ShowGrid'])
from odf.dc import Creator
print(ascii(str(doc.meta.getElementsByType(Creator)[0])))
print([t.getAttribute('name') for t in doc.spreadsheet.getElementsByType(Table)])
import zipfile, collections, xml.etree.ElementTree as ET
z = zipfile.ZipFile(sys.argv[1])
first = z.infolist()[0]
print(first.filename, first.compress_type == zipfile.ZIP_STORED, ' '.join(z.namelist()[1:]))
S = '{urn:oasis:names:tc:opendocument:xmlns:style:1.0}'
for part in ('styles.xml', 'content.xml'):
    root = ET.fromstring(z.read(part))
    names = collections.Counter((e.tag, e.get(S + 'name')) for e in root.iter() if e.get(S + 'name'))
    print(part, [n for n, count in names.items() if count > 1])
T = '{urn:oasis:names:tc:opendocument:xmlns:table:1.0}'
first = root.find('.//' + T + 'table-cell').get(T + 'style-name')
style = next(e for e in root.iter(S + 'style') if e.get(S + 'name') == first)
print(style.find(S + 'table-cell-properties').get(S + 'rotation-angle'))
table = list(root.iter(T + 'table'))[1]
print(ascii(''.join(table.find('.//{urn:oasis:names:tc:opendocument:xmlns:text:1.0}p').itertext())))
# Whether each of the first table's four rows asks for its height to be measured again (the
# second row has a height of its own).
rows = list(list(root.iter(T + 'table'))[0].iter(T + 'table-row'))[:4]
row_props = {e.get(S + 'name'): e.find(S + 'table-row-properties') for e in root.iter(S + 'style')}
print([row_props[r.get(T + 'style-name')].get(S + 'use-optimal-row-height') for r in rows])
