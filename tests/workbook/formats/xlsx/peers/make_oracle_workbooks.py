#!/usr/bin/python3
"""Writes the workbooks our XLSX reader is compared on with openpyxl into the current folder.

openpyxl writes every text as an inline string and no cached formula values or rich text, so
its output is patched afterwards the way spreadsheet programs write: the texts move into a
shared-string table (a number placeholder stays an inline string), empty formula values get
their cached results, and a placeholder text becomes rich text with a phonetic run.
Usage: make_oracle_workbooks.py   (prints the names of the files written)
"""
import datetime
import re
import zipfile

import openpyxl
from openpyxl.utils.datetime import CALENDAR_MAC_1904

INLINE_PLACEHOLDER = 777001


def values_sheet(ws):
    ws.append(["text", "ünïcødé ščťžý 東京", "tab\there", "line\nbreak", "back\\slash", ""])
    ws.append([0, 1, -1, 1.5, 0.1 + 0.2, 123456789.125, -0.000125, 1e20, 2.5e-7])
    ws.append([True, False, "#N/A", "#DIV/0!", "#VALUE!"])
    ws.append([datetime.date(2021, 1, 1), datetime.datetime(2024, 2, 29, 13, 45, 30),
               datetime.time(6, 30, 15), datetime.date(1999, 12, 31)])
    ws["A4"].number_format = "yyyy-mm-dd"
    ws["B4"].number_format = "yyyy-mm-dd hh:mm:ss"
    ws["C4"].number_format = "hh:mm:ss"
    ws["D4"].number_format = "d.m.yyyy"
    ws["A5"] = 0.25
    ws["A5"].number_format = "0%"
    ws["B5"] = 1234.5
    ws["B5"].number_format = "#,##0.00 [$€-41B]"
    ws["C5"] = 12345.678
    ws["C5"].number_format = "0.00E+00"
    ws["A6"] = "=1+2"
    ws["B6"] = "=A1&\"x\""
    ws["C6"] = "=TRUE()"
    ws["D6"] = "=1/0"
    ws["A7"] = INLINE_PLACEHOLDER
    ws["B7"] = "RICHPLACEHOLDER"
    ws["F9"] = "sparse"
    ws["AA30"] = 42


def build(path, epoch=None):
    wb = openpyxl.Workbook()
    if epoch is not None:
        wb.epoch = epoch
    values_sheet(wb.active)
    wb.active.title = "Hodnoty"
    for name in ["Prázdny", "Ďalší list", "A1", "SV2", "Σ sheet"]:
        ws = wb.create_sheet(name)
        if name != "Prázdny":
            for r in range(1, 30):
                ws.append([r, "row %d" % r, r * 0.5] if r % 3 else [])
    wb.save(path)
    patch(path)


INLINE = re.compile(r'<c r="([A-Z]+[0-9]+)"([^>]*?) t="inlineStr"><is><t([^>]*)>(.*?)</t></is></c>',
                    re.S)
RICH = ('<si><r><t>bold</t></r><r><rPr><b/><sz val="11"/></rPr><t xml:space="preserve"> and'
        ' plain</t></r><rPh sb="0" eb="1"><t>phonetic</t></rPh></si>')


def patch(path):
    with zipfile.ZipFile(path) as source:
        parts = {name: source.read(name) for name in source.namelist()}
    table = []
    index = {}

    def shared(match):
        ref, attrs, text = match.group(1), match.group(2), match.group(4)
        if text not in index:
            index[text] = len(table)
            table.append(RICH if text == "RICHPLACEHOLDER" else
                         '<si><t xml:space="preserve">%s</t></si>' % text)
        return '<c r="%s"%s t="s"><v>%d</v></c>' % (ref, attrs, index[text])

    sheets = sorted(name for name in parts if name.startswith("xl/worksheets/sheet"))
    for name in sheets:
        sheet = INLINE.sub(shared, parts[name].decode("utf-8"))
        if name == "xl/worksheets/sheet1.xml":
            sheet = re.sub(r'<c r="A7"([^>]*)><v>%d</v></c>' % INLINE_PLACEHOLDER,
                           '<c r="A7" t="inlineStr"><is><t>inline &amp; text</t></is></c>', sheet)
            cached = {"A6": ("", "3"), "B6": (' t="str"', "textx"), "C6": (' t="b"', "1"),
                      "D6": (' t="e"', "#DIV/0!")}
            for ref, (kind, value) in cached.items():
                sheet = re.sub(r'<c r="%s"([^>]*?)( t="[a-z]+")?><f>(.*?)</f><v\s*/?>(</v>)?</c>' % ref,
                               lambda m: '<c r="%s"%s%s><f>%s</f><v>%s</v></c>' % (
                                   ref, m.group(1), kind, m.group(3), value), sheet)
        parts[name] = sheet.encode("utf-8")
    parts["xl/sharedStrings.xml"] = (
        '<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="%d" '
        'uniqueCount="%d">%s</sst>' % (len(table), len(table), "".join(table))).encode("utf-8")
    rels = parts["xl/_rels/workbook.xml.rels"].decode("utf-8")
    rels = rels.replace("</Relationships>", '<Relationship Id="rIdSst" Type="http://schemas.'
                        'openxmlformats.org/officeDocument/2006/relationships/sharedStrings" '
                        'Target="sharedStrings.xml"/></Relationships>')
    parts["xl/_rels/workbook.xml.rels"] = rels.encode("utf-8")
    types = parts["[Content_Types].xml"].decode("utf-8")
    types = types.replace("</Types>", '<Override PartName="/xl/sharedStrings.xml" ContentType="'
                          'application/vnd.openxmlformats-officedocument.spreadsheetml.'
                          'sharedStrings+xml"/></Types>')
    parts["[Content_Types].xml"] = types.encode("utf-8")
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as target:
        for name, data in parts.items():
            target.writestr(name, data)


MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"

# The forms of markup a worksheet and a shared-string table may take beyond what openpyxl writes:
# prefixed names, either quote, blanks in tags, references in values and texts, cells without a
# reference (each follows the one before), empty-element cells, rows out of order.
FORMS_SHEET = (
    '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
    '<x:worksheet xmlns:x="%s"><x:sheetData>'
    '<x:row r="2"><x:c r="A2" t=\'s\'><x:v>1</x:v></x:c><x:c r=\'C2\'><x:v>-0.5</x:v></x:c>'
    '<x:c r = "D2"  t = "str" ><x:f>"x"</x:f><x:v>a &amp; b&#10;c</x:v></x:c></x:row>'
    '<x:row r="1" spans="1:6"><x:c r="A1" t="inlineStr"><x:is><x:t>&lt;in&gt; &#269;&#x17E;</x:t>'
    '</x:is></x:c><x:c><x:v>2</x:v></x:c><x:c r="D1" s="0"/><x:c t="&#115;"><x:v>0</x:v></x:c>'
    '<x:c t="s"><x:v>2</x:v></x:c></x:row>'
    '<x:row r="3"><x:c r="A3" t="b"><x:v>1</x:v></x:c><x:c r="B3"><x:v>1234567.890123456</x:v></x:c>'
    '<x:c r="C3"><x:v>1.5E3</x:v></x:c><x:c r="D3"><x:v>0.1</x:v></x:c><x:c r="E3"/></x:row>'
    '<x:row><x:c r="B4" t="s"><x:v>3</x:v></x:c><x:c t="s"><x:v>4</x:v></x:c>'
    '<x:c t="s"><x:v>5</x:v></x:c></x:row>'
    '</x:sheetData></x:worksheet>') % MAIN
FORMS_STRINGS = (
    '<sst xmlns="%s" count="6" uniqueCount="6"><si><t>plain</t></si>'
    '<si><t xml:space="preserve"> spaced &amp; &#x10D; </t></si>'
    '<si><r><t>run</t></r><r><rPr><b/></rPr><t xml:space="preserve"> two</t></r></si>'
    '<si><t>line\nbreak_x000D_\nnext</t></si><si><t/></si>'
    '<s:si xmlns:s="%s"><s:t>prefixed</s:t></s:si></sst>') % (MAIN, MAIN)


def build_forms(path):
    wb = openpyxl.Workbook()
    wb.active.title = "Forms"
    wb.active["A1"] = "placeholder"
    wb.save(path)
    patch(path)
    with zipfile.ZipFile(path) as source:
        parts = {name: source.read(name) for name in source.namelist()}
    parts["xl/worksheets/sheet1.xml"] = FORMS_SHEET.encode("utf-8")
    parts["xl/sharedStrings.xml"] = FORMS_STRINGS.encode("utf-8")
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as target:
        for name, data in parts.items():
            target.writestr(name, data)


build("oracle_1900.xlsx")
build("oracle_1904.xlsx", CALENDAR_MAC_1904)
build_forms("oracle_forms.xlsx")
print("oracle_1900.xlsx")
print("oracle_1904.xlsx")
print("oracle_forms.xlsx")
