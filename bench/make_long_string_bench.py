#!/usr/bin/python3
"""Writes an XLSX whose 12,000 cells all show one shared string of 1,000,000 characters: the cost
of a long text must be paid once per table entry, not once per cell. The text is "x" repeated,
which deflates to almost nothing, or with --mixed lines of 60 letters drawn from 128 random ones,
which deflate about twenty times (the package is then about 100 KB, and each copy of the text in
a file that holds it per cell, such as .ods, about 50 KB).
Usage: make_long_string_bench.py [--mixed] OUTPUT.xlsx
"""
import random
import sys
import zipfile

MIXED = sys.argv[1] == "--mixed"
OUTPUT = sys.argv[-1]

MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG = "http://schemas.openxmlformats.org/package/2006/relationships"

rows = "".join('<row r="%d">%s</row>' % (r, "".join(
    '<c r="%s%d" t="s"><v>0</v></c>' % (col, r) for col in "ABCDEFGHIJ")) for r in range(1, 1201))


def mixed_text():
    rand = random.Random(1)
    lines = ["".join(rand.choice("abcdefghijklmnopqrstuvwxyz") for _ in range(60))
             for _ in range(128)]
    return "".join(rand.choice(lines) for _ in range(1_000_000 // 60 + 1))[:1_000_000]


TEXT = mixed_text() if MIXED else "x" * 1_000_000
with zipfile.ZipFile(OUTPUT, "w", zipfile.ZIP_DEFLATED) as package:
    package.writestr("[Content_Types].xml",
                     '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
                     '<Default Extension="rels" ContentType="application/vnd.openxmlformats-'
                     'package.relationships+xml"/><Default Extension="xml" ContentType='
                     '"application/xml"/><Override PartName="/xl/workbook.xml" ContentType='
                     '"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>'
                     '</Types>')
    package.writestr("_rels/.rels", '<Relationships xmlns="%s"><Relationship Id="rId1" '
                     'Type="%s/officeDocument" Target="xl/workbook.xml"/></Relationships>'
                     % (PKG, REL))
    package.writestr("xl/workbook.xml", '<workbook xmlns="%s" xmlns:r="%s"><sheets><sheet '
                     'name="A1" sheetId="1" r:id="rId1"/></sheets></workbook>' % (MAIN, REL))
    package.writestr("xl/_rels/workbook.xml.rels", '<Relationships xmlns="%s"><Relationship '
                     'Id="rId1" Type="%s/worksheet" Target="worksheets/sheet1.xml"/><Relationship '
                     'Id="rId2" Type="%s/sharedStrings" Target="sharedStrings.xml"/>'
                     '</Relationships>' % (PKG, REL, REL))
    package.writestr("xl/sharedStrings.xml", '<sst xmlns="%s"><si><t>%s</t></si></sst>'
                     % (MAIN, TEXT))
    package.writestr("xl/worksheets/sheet1.xml", '<worksheet xmlns="%s"><sheetData>%s'
                     '</sheetData></worksheet>' % (MAIN, rows))
