"""The rows csv-spectrum's json files expect: the header line and then each object's values in
key order.

Usage: csv_spectrum_json.py FILE.json...
Per file a line "# file PATH", then a line per row: each cell as the hex of its UTF-8 bytes,
cells joined by "|".
"""
import json
import sys


def hexed(cells):
    return '|'.join(c.encode('utf-8').hex() for c in cells)


for path in sys.argv[1:]:
    rows = json.load(open(path, encoding='utf-8'))
    print('# file ' + path)
    print(hexed(rows[0].keys()))
    for row in rows:
        print(hexed(row.values()))
