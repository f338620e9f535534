#!/usr/bin/python3
"""Lists the pictures of each drawing part of every XLSX file named, as "part|col|row|bytes", with
Python's own zip and XML readers: the oracle for our drawing reader. Each file's lines follow a
line "# file PATH". Usage: list_pictures.py FILE..."""
import sys, zipfile, posixpath
import xml.etree.ElementTree as ET
X = '{http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing}'
A = '{http://schemas.openxmlformats.org/drawingml/2006/main}'
R = '{http://schemas.openxmlformats.org/officeDocument/2006/relationships}'
for path in sys.argv[1:]:
    print('# file ' + path)
    z = zipfile.ZipFile(path)
    for part in sorted(n for n in z.namelist() if n.startswith('xl/drawings/drawing') and n.endswith('.xml')):
        folder, name = posixpath.split(part)
        rels = {r.get('Id'): posixpath.normpath(posixpath.join(folder, r.get('Target')))
                for r in ET.fromstring(z.read(folder + '/_rels/' + name + '.rels'))}
        for anchor in ET.fromstring(z.read(part)):
            pic = anchor.find(X + 'pic')
            if pic is None: continue
            target = rels[pic.find(X + 'blipFill/' + A + 'blip').get(R + 'embed')]
            frm = anchor.find(X + 'from')
            print('%s|%s|%s|%d' % (part, frm.find(X + 'col').text, frm.find(X + 'row').text,
                                   len(z.read(target))))
