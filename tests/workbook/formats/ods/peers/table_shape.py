#!/usr/bin/python3
"""Sums the repeats of an ODS file's first table with Python's own XML parser: its columns and
rows in all and the last two row repeats; per each of the first three rows its columns and the
repeats of its covered cells; then the smallest repeat anywhere. Usage: table_shape.py FILE"""
import sys, zipfile, xml.etree.ElementTree as ET
T = '{urn:oasis:names:tc:opendocument:xmlns:table:1.0}'
root = ET.fromstring(zipfile.ZipFile(sys.argv[1]).read('content.xml'))
table = root.find('.//' + T + 'table')
rep = lambda e, a: int(e.get(T + 'number-' + a + '-repeated', '1'))
print(sum(rep(c, 'columns') for c in table.iter(T + 'table-column')),
      sum(rep(r, 'rows') for r in table.iter(T + 'table-row')),
      [rep(r, 'rows') for r in table.iter(T + 'table-row')][-2:])
for r in list(table.iter(T + 'table-row'))[:3]:
    print(sum(rep(c, 'columns') for c in r),
          [rep(c, 'columns') for c in r if c.tag == T + 'covered-table-cell'])
print(min(rep(e, a) for a, tag in (('rows', 'table-row'), ('columns', 'table-column'),
                                   ('columns', 'table-cell')) for e in table.iter(T + tag)))
