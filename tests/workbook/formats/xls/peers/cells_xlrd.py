"""Prints the cells of .xls files as python3-xlrd reads them, in the form the XLS reader's tests
compare with: per file a line "F<TAB>path", "V<TAB>BIFF version (80 for BIFF8)", then "S<TAB>index<TAB>name" per worksheet and
"C<TAB>sheet<TAB>row<TAB>column<TAB>text" per cell whose value text is not empty; a file xlrd
cannot read gives "X<TAB>reason" instead.

Usage: cells_xlrd.py FILE.xls...
Value texts follow the library's invariant forms: numbers with up to 15 significant digits and
"." (exponent form beyond 15 integer digits or below 0.0001), dates, times and date-times by their
format's kind (1904 workbooks shifted to 1900 serials), Booleans "1"/"0", errors empty, line
breaks as CR LF. Tabs, line breaks and backslashes in texts are escaped as \\t, \\n, \\r, \\\\.
"""
import datetime
import sys

import xlrd


def float_text(value):
    if value == 0:
        return "0"
    mantissa, exponent = ("%.14e" % abs(value)).split("e")
    digits = mantissa.replace(".", "").rstrip("0")
    point = int(exponent) + 1
    sign = "-" if value < 0 else ""
    n = len(digits)
    if point > 15 or point < -3:
        text = digits[0] + ("." + digits[1:] if n > 1 else "")
        return sign + text + "E" + str(point - 1)
    if point <= 0:
        return sign + "0." + "0" * (-point) + digits
    if n <= point:
        return sign + digits + "0" * (point - n)
    return sign + digits[:point] + "." + digits[point:]


def date_time_kind(code):
    lower = code.lower()
    if lower == "%sysdate%":
        return "date"
    if lower in ("%systime%", "%systimews%"):
        return "time"
    if lower.startswith("%sysdatetime"):
        return "datetime"
    elapsed = "[h]" in lower
    lower = lower.split(";")[0]
    letters = ""
    i = 0
    while i < len(lower):
        if lower.startswith("[h]", i):
            letters += "h"
            i += 3
            continue
        if lower[i] == "[":
            close = lower.find("]", i)
            if close < 0:
                break
            i = close + 1
            continue
        if lower[i] != "\\":
            letters += lower[i]
        i += 1
    date = "d" in letters or "y" in letters
    time = "h" in letters or "s" in letters
    if date and not time:
        return "date"
    if time and not date:
        return "elapsed" if elapsed else "time"
    return "datetime"


def decode(value):
    """Day serial to (date text, time text) as the library decodes it; None when out of range."""
    if value == 0 or value <= -693594 or value >= 2958466:
        return None
    msecs = round(value * 86400000)
    day = int(msecs / 86400000)
    time = abs(msecs) % 86400000
    date = datetime.date(1899, 12, 30) + datetime.timedelta(days=day)
    clock = "%02d:%02d:%02d" % (time // 3600000, time % 3600000 // 60000, time % 60000 // 1000)
    return "%04d-%02d-%02d" % (date.year, date.month, date.day), clock


def date_text(value, kind):
    if kind == "date":
        parts = decode(float(int(value)))
        return parts[0] if parts else "0000-00-00"
    if kind == "time":
        parts = decode(value - int(value))
        return parts[1] if parts else "00:00:00"
    if kind == "elapsed":
        parts = decode(value)
        return parts[1] if parts else "00:00:00"
    parts = decode(value)
    return parts[0] + " " + parts[1] if parts else "0000-00-00 00:00:00"


def crlf(text):
    return text.replace("\r\n", "\n").replace("\n", "\r\n")


def escape(text):
    return (text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")
            .replace("\r", "\\r"))


def value_text(book, sheet, row, col):
    cell = sheet.cell(row, col)
    if cell.ctype == xlrd.XL_CELL_TEXT:
        return crlf(cell.value)
    if cell.ctype == xlrd.XL_CELL_NUMBER:
        return float_text(cell.value)
    if cell.ctype == xlrd.XL_CELL_DATE:
        xf = book.xf_list[sheet.cell_xf_index(row, col)]
        code = book.format_map[xf.format_key].format_str
        value = cell.value + (1462 if book.datemode == 1 else 0)
        return date_text(value, date_time_kind(code))
    if cell.ctype == xlrd.XL_CELL_BOOLEAN:
        return "1" if cell.value else "0"
    return ""


def dump(path):
    try:
        book = xlrd.open_workbook(path, formatting_info=True, on_demand=False)
    except Exception as error:  # xlrd's own failures of every kind
        print("X\t" + escape(type(error).__name__ + ": " + str(error)))
        return
    print("V\t%d" % book.biff_version)
    for index in range(book.nsheets):
        sheet = book.sheet_by_index(index)
        print("S\t%d\t%s" % (index, escape(sheet.name)))
        for row in range(sheet.nrows):
            for col in range(sheet.row_len(row)):
                text = value_text(book, sheet, row, col)
                if text:
                    print("C\t%d\t%d\t%d\t%s" % (index, row, col, escape(text)))


for name in sys.argv[1:]:
    print("F\t" + name)
    sys.stdout.flush()
    dump(name)
