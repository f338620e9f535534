"""Writes the regression inputs of tests/data/fuzz that are easier made than kept by hand.

    cd tests/data/fuzz && /usr/bin/python3 make_regressions.py

xlsx_file/one_sheet_part_many_relationships.xlsx: a package whose workbook names its one sheet
part through 50 relationships (the reader refuses it instead of reading the part 50 times).
section_import/control_character_in_invoice (kept as it is): A1 rows whose invoice number holds
U+0001 and whose last cell holds U+FFFF.
"""
import zipfile

MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG = "http://schemas.openxmlformats.org/package/2006/relationships"

with zipfile.ZipFile("xlsx_file/one_sheet_part_many_relationships.xlsx", "w",
                     zipfile.ZIP_DEFLATED) as z:
    z.writestr("_rels/.rels", f'<Relationships xmlns="{PKG}"><Relationship Id="rId1" '
               f'Type="{REL}/officeDocument" Target="xl/workbook.xml"/></Relationships>')
    z.writestr("xl/workbook.xml", f'<workbook xmlns="{MAIN}" xmlns:r="{REL}"><sheets>'
               '<sheet name="A1" sheetId="1" r:id="rId1"/></sheets></workbook>')
    rels = "".join(f'<Relationship Id="rId{i}" Type="{REL}/worksheet" '
                   'Target="worksheets/sheet1.xml"/>' for i in range(1, 51))
    z.writestr("xl/_rels/workbook.xml.rels", f'<Relationships xmlns="{PKG}">{rels}</Relationships>')
    z.writestr("xl/worksheets/sheet1.xml", f'<worksheet xmlns="{MAIN}"><sheetData>'
               '<row r="1"><c r="A1"><v>1</v></c></row></sheetData></worksheet>')
