"""Python's zipfile reading of packages other programs wrote.

Usage: zip_entries.py FILE...
Per file a line "FILE path", then a line "name|size|crc32" per entry of the central directory,
or "BAD" when zipfile cannot read the package.
"""
import sys
import zipfile
import zlib

for f in sys.argv[1:]:
    print('FILE', f)
    try:
        z = zipfile.ZipFile(f)
        print(''.join(f'{i.filename}|{len(z.read(i))}|{zlib.crc32(z.read(i))}\n'
                      for i in z.infolist()), end='')
    except Exception:
        print('BAD')
