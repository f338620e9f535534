#!/usr/bin/python3
"""Checks an OOXML package the way a strict consumer would: every part well-formed and typed,
every internal relationship target present. Prints "ok" or fails with the first fault.
Usage: check_package.py FILE"""
import sys, zipfile, posixpath
from xml.dom import minidom
z = zipfile.ZipFile(sys.argv[1])
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
print('ok')
