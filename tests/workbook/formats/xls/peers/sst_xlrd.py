"""The shared-string table of .xls files as Debian's python3-xlrd reads it.

Usage: sst_xlrd.py FILE...
For each FILE (numbered from 0) prints "FILE-INDEX<TAB>error" when xlrd cannot read it as BIFF8,
else "FILE-INDEX<TAB>sst<TAB>COUNT" and per string
"FILE-INDEX<TAB>s<TAB>UTF-8-TEXT-IN-HEX<TAB>RUNS", RUNS being "position:font" pairs joined by
commas, or "-" when xlrd could not read formatting.

Some files declare more strings than their SST holds, which xlrd refuses; for those the table is
taken as the longest prefix that xlrd's own SST parser accepts.
"""
import os
import sys

import xlrd
import xlrd.book

parse_sst = xlrd.book.unpack_SST_table


def lenient_parse_sst(datatab, nstrings):
    try:
        return parse_sst(datatab, nstrings)
    except (AssertionError, IndexError):
        low, high = 0, nstrings - 1  # low always parses, high + 1 does not
        while low < high:
            mid = (low + high + 1) // 2
            try:
                parse_sst(datatab, mid)
                low = mid
            except (AssertionError, IndexError):
                high = mid - 1
        return parse_sst(datatab, low)


xlrd.book.unpack_SST_table = lenient_parse_sst


quiet = open(os.devnull, "w")


def open_book(path):
    try:
        return xlrd.open_workbook(path, formatting_info=True, on_demand=True, logfile=quiet), True
    except Exception:
        return xlrd.open_workbook(path, on_demand=True, logfile=quiet), False


for index, path in enumerate(sys.argv[1:]):
    try:
        book, formatting = open_book(path)
        if book.biff_version != 80:
            raise ValueError("not BIFF8")
    except Exception:
        print(f"{index}\terror")
        continue
    strings = book._sharedstrings
    print(f"{index}\tsst\t{len(strings)}")
    runmap = getattr(book, "_rich_text_runlist_map", {})
    for k, text in enumerate(strings):
        if formatting:
            runs = ",".join(f"{p}:{f}" for p, f in runmap.get(k, []))
        else:
            runs = "-"
        print(f"{index}\ts\t{text.encode('utf-8', 'surrogatepass').hex()}\t{runs}")
