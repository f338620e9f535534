"""Python's zipfile as the zip tests' peer: it writes archives of other tools' kinds and reads
ours.

Usage:
  zip_peer.py show FILE            testzip's result (None when every CRC and size agrees), then a
                                   line "name|compress type|content" per entry
  zip_peer.py two OUT              one.txt "first" and two.txt "second" * 100, deflated
  zip_peer.py streamed OUT         written to a pipe (zipfile cannot seek back and uses data
                                   descriptors): stored.txt, a deflated entry named with
                                   backslashes, streamed.txt
  zip_peer.py bomb OUT DECLARED REAL [PARTS]
                                   xl/worksheets/sheet1.xml holding REAL zero bytes, deflated,
                                   whose headers then declare DECLARED bytes (0: as written);
                                   with PARTS, sheet2.xml to sheetPARTS.xml the same, as written
"""
import struct
import sys
import zipfile

command, path = sys.argv[1], sys.argv[2]
if command == 'show':
    z = zipfile.ZipFile(path)
    print(z.testzip())
    for i in z.infolist():
        print(i.filename, i.compress_type, z.read(i).decode(), sep='|')
elif command == 'two':
    with zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as z:
        z.writestr('one.txt', 'first')
        z.writestr('two.txt', 'second' * 100)
elif command == 'streamed':
    with open(path, 'wb') as f:
        class Pipe:
            def write(self, b):
                return f.write(b)

            def flush(self):
                f.flush()
        with zipfile.ZipFile(Pipe(), 'w') as z:
            z.writestr('stored.txt', 'plain', zipfile.ZIP_STORED)
            z.writestr('xl\\worksheets\\sheet1.xml', '<a/>' * 1000, zipfile.ZIP_DEFLATED)
            with z.open('streamed.txt', 'w') as e:
                e.write(b'by descriptor')
elif command == 'bomb':
    declared, real = int(sys.argv[3]), int(sys.argv[4])
    with zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as z:
        for part in range(1, int(sys.argv[5]) + 1 if len(sys.argv) > 5 else 2):
            z.writestr(f'xl/worksheets/sheet{part}.xml', bytes(real))
    data = bytearray(open(path, 'rb').read())
    if declared:
        struct.pack_into('<I', data, 22, declared)
        cd = data.rfind(b'PK\x01\x02')
        struct.pack_into('<I', data, cd + 24, declared)
    open(path, 'wb').write(data)
