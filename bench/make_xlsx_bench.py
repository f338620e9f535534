#!/usr/bin/python3
"""Writes the XLSX reading benchmark's workbook: 100,000 rows of 10 columns, laid out as
spreadsheet programs write it (texts in a shared-string table, cell references on every cell,
a styled date column), so that a reader's speed on it is its speed on users' files.

Columns: an invoice number text, a partner name and a VAT id (repeating texts), a date, four
amounts, a rate and a free note (mostly unique texts). Written directly as XML: the generator
must not be the slow part.
With --numbers every column holds numbers (no shared strings at all).
Usage: make_xlsx_bench.py [--numbers] OUTPUT.xlsx [ROWS]
"""
import random
import sys
import zipfile

NUMBERS = "--numbers" in sys.argv
ARGS = [a for a in sys.argv[1:] if a != "--numbers"]
ROWS = int(ARGS[1]) if len(ARGS) > 1 else 100_000
MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG = "http://schemas.openxmlformats.org/package/2006/relationships"


def escape(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def main():
    random.seed(1)
    strings, index = [], {}

    def shared(text):
        if text not in index:
            index[text] = len(strings)
            strings.append(text)
        return index[text]

    partners = ["Partner %d s.r.o. Žilina" % i for i in range(2000)]
    rows = ['<row r="1" spans="1:10">' + "".join(
        '<c r="%s1" t="s"><v>%d</v></c>' % (col, shared(name)) for col, name in zip(
            "ABCDEFGHIJ", ["Faktúra", "Odberateľ", "IČ DPH", "Dátum", "Základ", "Daň",
                           "Spolu", "Zľava", "Sadzba", "Poznámka"])) + "</row>"]
    for r in range(2, ROWS + 2):
        if NUMBERS:
            cells = ['<c r="%s%d"><v>%s</v></c>' % (col, r, repr(round(random.uniform(0, 1e6), 2)))
                     for col in "ABCDEFGHIJ"]
            rows.append('<row r="%d" spans="1:10">%s</row>' % (r, "".join(cells)))
            continue
        partner = random.randrange(len(partners))
        base = round(random.uniform(1, 100000), 2)
        cells = [
            '<c r="A%d" t="s"><v>%d</v></c>' % (r, shared("FA2024/%06d" % r)),
            '<c r="B%d" t="s"><v>%d</v></c>' % (r, shared(partners[partner])),
            '<c r="C%d" t="s"><v>%d</v></c>' % (r, shared("SK20%08d" % partner)),
            '<c r="D%d" s="1"><v>%d</v></c>' % (r, 45292 + r % 366),
            '<c r="E%d" s="2"><v>%s</v></c>' % (r, repr(base)),
            '<c r="F%d" s="2"><v>%s</v></c>' % (r, repr(round(base * 0.2, 2))),
            '<c r="G%d" s="2"><v>%s</v></c>' % (r, repr(round(base * 1.2, 2))),
            '<c r="H%d"><v>%s</v></c>' % (r, repr(random.random())),
            '<c r="I%d"><v>%d</v></c>' % (r, random.choice((10, 20, 23))),
            '<c r="J%d" t="s"><v>%d</v></c>' % (r, shared("poznámka %d k dokladu" % random.randrange(ROWS))),
        ]
        rows.append('<row r="%d" spans="1:10">%s</row>' % (r, "".join(cells)))
    sheet = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<worksheet xmlns="%s" '
             'xmlns:r="%s"><dimension ref="A1:J%d"/><sheetViews><sheetView workbookViewId="0"/>'
             '</sheetViews><sheetFormatPr defaultRowHeight="15"/><sheetData>%s</sheetData>'
             '<pageMargins left="0.7" right="0.7" top="0.75" bottom="0.75" header="0.3" '
             'footer="0.3"/></worksheet>' % (MAIN, REL, ROWS + 1, "".join(rows)))
    sst = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<sst xmlns="%s" count="%d" '
           'uniqueCount="%d">%s</sst>' % (MAIN, (ROWS + 1) * 5, len(strings), "".join(
               "<si><t>%s</t></si>" % escape(s) for s in strings)))
    styles = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<styleSheet xmlns="%s">'
              '<numFmts count="1"><numFmt numFmtId="164" formatCode="#,##0.00\\ &quot;€&quot;"/>'
              '</numFmts><fonts count="1"><font><sz val="11"/><name val="Calibri"/></font></fonts>'
              '<fills count="2"><fill><patternFill patternType="none"/></fill><fill>'
              '<patternFill patternType="gray125"/></fill></fills><borders count="1"><border/>'
              '</borders><cellStyleXfs count="1"><xf/></cellStyleXfs><cellXfs count="3">'
              '<xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>'
              '<xf numFmtId="14" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>'
              '<xf numFmtId="164" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>'
              '</cellXfs></styleSheet>' % MAIN)
    workbook = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<workbook xmlns="%s" '
                'xmlns:r="%s"><sheets><sheet name="A1" sheetId="1" r:id="rId1"/></sheets>'
                '</workbook>' % (MAIN, REL))
    rels = ('<Relationships xmlns="%s"><Relationship Id="rId1" Type="%s/worksheet" '
            'Target="worksheets/sheet1.xml"/><Relationship Id="rId2" Type="%s/styles" '
            'Target="styles.xml"/><Relationship Id="rId3" Type="%s/sharedStrings" '
            'Target="sharedStrings.xml"/></Relationships>' % (PKG, REL, REL, REL))
    root_rels = ('<Relationships xmlns="%s"><Relationship Id="rId1" Type="%s/officeDocument" '
                 'Target="xl/workbook.xml"/></Relationships>' % (PKG, REL))
    types = ('<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
             '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.'
             'relationships+xml"/><Default Extension="xml" ContentType="application/xml"/>'
             '<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-'
             'officedocument.spreadsheetml.sheet.main+xml"/><Override PartName="/xl/worksheets/'
             'sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.'
             'worksheet+xml"/><Override PartName="/xl/styles.xml" ContentType="application/vnd.'
             'openxmlformats-officedocument.spreadsheetml.styles+xml"/><Override PartName="/xl/'
             'sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.'
             'spreadsheetml.sharedStrings+xml"/></Types>')
    with zipfile.ZipFile(ARGS[0], "w", zipfile.ZIP_DEFLATED) as package:
        package.writestr("[Content_Types].xml", types)
        package.writestr("_rels/.rels", root_rels)
        package.writestr("xl/workbook.xml", workbook)
        package.writestr("xl/_rels/workbook.xml.rels", rels)
        package.writestr("xl/styles.xml", styles)
        package.writestr("xl/sharedStrings.xml", sst)
        package.writestr("xl/worksheets/sheet1.xml", sheet)


main()
