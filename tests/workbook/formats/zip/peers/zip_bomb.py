"""Writes a zip whose one entry (xl/worksheets/sheet1.xml) holds REAL zero bytes, deflated, and
whose local and central headers then declare DECLARED bytes uncompressed (0: left as written).

Usage: zip_bomb.py OUT.zip DECLARED REAL
"""
import struct
import sys
import zipfile

out, declared, real = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
with zipfile.ZipFile(out, 'w', zipfile.ZIP_DEFLATED) as z:
    z.writestr('xl/worksheets/sheet1.xml', bytes(real))
data = bytearray(open(out, 'rb').read())
if declared:
    struct.pack_into('<I', data, 22, declared)
    cd = data.rfind(b'PK\x01\x02')
    struct.pack_into('<I', data, cd + 24, declared)
open(out, 'wb').write(data)
