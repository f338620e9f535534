"""Python's csv module reading a delimited text file.

Usage: csv_rows.py FILE ENCODING DELIMITER
A line per row: each cell as the hex of its UTF-8 bytes, cells joined by "|". Quotes are '"',
doubled inside quoted fields; strict mode fails on a malformed file.
"""
import csv
import sys

path, encoding, delimiter = sys.argv[1:4]
with open(path, newline='', encoding=encoding) as f:
    for row in csv.reader(f, delimiter=delimiter, quotechar='"', doublequote=True, strict=True):
        print('|'.join(c.encode('utf-8').hex() for c in row))
