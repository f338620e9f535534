#!/usr/bin/python3
"""Prints a workbook the way wbdump prints it, as openpyxl reads it: the independent oracle of our
XLSX reader. "# sheet N NAME", then per row (up to the last row holding a cell) the value texts
of its cells up to its last cell, joined by TAB, with \\ \\t \\r \\n escaped.

Value texts follow the library's invariant forms: numbers with up to 15 significant digits and
"." as the point, Booleans as 1 and 0, dates as yyyy-mm-dd, times as hh:mm:ss, date-times as both;
errors and empty cells are empty. Where the library's rules differ from openpyxl's reading, the
oracle follows the library: day serials count from 1899-12-30 without the phantom 1900-02-29 (so
serials before 61 show one day earlier), durations show their time of day, and the "_x000D_"
escape before a line break is dropped. Line breaks are compared as LF by the calling test.
Usage: openpyxl_dump.py FILE... (each file's dump follows a line "# file PATH"; a file openpyxl
cannot read prints "# unreadable" instead)
"""
import datetime
import re
import sys
import warnings

import openpyxl

warnings.simplefilter("ignore")


def number_text(value):
    if isinstance(value, bool):
        return "1" if value else "0"
    if isinstance(value, int):
        return str(value)
    if value == int(value) and abs(value) < 1e15:
        return str(int(value))
    text = "%.15g" % value
    if "e" in text:
        mantissa, exponent = text.split("e")
        text = mantissa + "E" + str(int(exponent))
    return text


def date_code_parts(code):
    code = code.lower()
    in_quote = False
    plain = []
    for c in code:
        if c == '"':
            in_quote = not in_quote
        elif not in_quote:
            plain.append(c)
    plain = "".join(plain)
    has_date = any(c in plain for c in "dy")
    has_time = any(c in plain for c in "hs")
    return has_date, has_time


PHANTOM_LEAP_DAY = datetime.datetime(1900, 3, 1)


def value_text(cell):
    value = cell.value
    if value is None:
        return ""
    if isinstance(value, str):
        if cell.data_type == "e":
            return ""
        return re.sub("_x000[dD]_", "", value)
    if isinstance(value, bool):
        return "1" if value else "0"
    if isinstance(value, datetime.datetime):
        if value < PHANTOM_LEAP_DAY:
            value -= datetime.timedelta(days=1)
        has_date, has_time = date_code_parts(cell.number_format)
        if has_time and not has_date:
            return value.strftime("%H:%M:%S")
        if has_date and not has_time:
            return value.strftime("%Y-%m-%d")
        return value.strftime("%Y-%m-%d %H:%M:%S")
    if isinstance(value, datetime.date):
        return value.strftime("%Y-%m-%d")
    if isinstance(value, datetime.time):
        return value.strftime("%H:%M:%S")
    if isinstance(value, datetime.timedelta):
        seconds = round(value.total_seconds()) % 86400
        return "%02d:%02d:%02d" % (seconds // 3600, seconds // 60 % 60, seconds % 60)
    if isinstance(value, (int, float)):
        return number_text(value)
    return str(value)


def escape(text):
    return (text.replace("\\", "\\\\").replace("\t", "\\t").replace("\r", "\\r")
            .replace("\n", "\\n"))


def dump(path):
    book = openpyxl.load_workbook(path, data_only=True)
    out = []
    for number, sheet in enumerate(book.worksheets, 1):
        out.append("# sheet %d %s" % (number, sheet.title))
        rows = {}
        for (row, col), cell in sheet._cells.items():
            rows.setdefault(row, {})[col] = cell
        last_row = max(rows) if rows else 0
        for row in range(1, last_row + 1):
            cells = rows.get(row, {})
            last_col = max(cells) if cells else 0
            out.append("\t".join(escape(value_text(cells[c])) if c in cells else ""
                                 for c in range(1, last_col + 1)))
    return out


for path in sys.argv[1:]:
    print("# file " + path)
    try:
        lines = dump(path)
    except Exception:  # openpyxl's failures of every kind
        lines = ["# unreadable"]
    for line in lines:
        print(line)
