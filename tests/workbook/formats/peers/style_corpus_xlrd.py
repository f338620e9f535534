"""xlrd's reading of the FONT records of BIFF8 .xls files other programs wrote.

Usage: style_corpus_xlrd.py FILE.xls...
Per BIFF8 file whose FONT records xlrd lists one for one: "FILE" path, then per record its bytes
in hex, a blank and name|height in points|italic|struck out|bold|escapement|underline|colour
index; then "END". Older BIFF versions (whose FONT records differ) are passed over.
"""
import struct
import sys

import xlrd
import xlrd.compdoc

for path in sys.argv[1:]:
    try:
        book = xlrd.open_workbook(path, formatting_info=True, on_demand=True,
                                  logfile=open('/dev/null', 'w'))
        if book.biff_version < 80:
            continue
        data = open(path, 'rb').read()
        cd = xlrd.compdoc.CompDoc(data, logfile=open('/dev/null', 'w'))
        stream = cd.get_named_stream('Workbook') or cd.get_named_stream('Book')
    except Exception:
        continue
    records = []
    pos = 0
    while pos + 4 <= len(stream):
        rid, size = struct.unpack('<HH', stream[pos:pos + 4])
        if rid == 0x31:
            records.append(stream[pos + 4:pos + 4 + size].hex())
        if rid == 0x0A:
            break
        pos += 4 + size
    fonts = [f for f in book.font_list if f.font_index != 4 or f.name != 'Dummy Font']
    if len(fonts) != len(records):
        continue
    print('FILE ' + path)
    for rec, f in zip(records, fonts):
        print(rec + ' ' + '|'.join(str(x) for x in [f.name, f.height // 20, f.italic, f.struck_out,
              int(f.weight >= 700), f.escapement, f.underline_type, f.colour_index]))
    print('END')
