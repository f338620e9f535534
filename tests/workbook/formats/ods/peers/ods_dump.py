# The oracle for our ODS reader: content.xml parsed with the standard library alone and printed in
# wbdump's layout ("# sheet N NAME", then the rows' value texts joined by TAB, escaped).
# Reads every file named on the command line in one run: each file's dump follows a line
# "# file PATH"; a package that cannot be read prints "# unreadable" instead, followed by ": encrypted"
# or ": too large" (more cells than a load may make) when that is why. Content that runs past the
# last row or column stops there, as LibreOffice reads it.
import sys
import zipfile
import xml.etree.ElementTree as ET

NS = {
    "office": "urn:oasis:names:tc:opendocument:xmlns:office:1.0",
    "table": "urn:oasis:names:tc:opendocument:xmlns:table:1.0",
    "text": "urn:oasis:names:tc:opendocument:xmlns:text:1.0",
}
MAX_ROWS, MAX_COLS = 1048576, 16384
MAX_CELLS = 16000000


class Unreadable(Exception):
    def __init__(self, why=""):
        super().__init__(why)
        self.why = why


def q(prefix, name):
    return "{%s}%s" % (NS[prefix], name)


def number_text(value):
    number = float(value)
    if number == int(number) and abs(number) < 1e15:
        return str(int(number))
    return repr(number)


def time_text(value):
    # PnDTnHnMnS
    body = value.lstrip("-")[1:]
    seconds = 0.0
    days, _, clock = body.partition("T")
    if days:
        seconds += float(days.rstrip("D")) * 86400
    number = ""
    for ch in clock:
        if ch in "HMS":
            seconds += float(number) * {"H": 3600, "M": 60, "S": 1}[ch]
            number = ""
        else:
            number += ch
    total = int(round(seconds)) % 86400
    return "%02d:%02d:%02d" % (total // 3600, total // 60 % 60, total % 60)


def paragraph_text(element):
    out = element.text or ""
    for child in element:
        if child.tag == q("text", "s"):
            out += " " * int(child.get(q("text", "c"), "1"))
        elif child.tag == q("text", "tab"):
            out += "\t"
        elif child.tag == q("text", "line-break"):
            out += "\r\n"
        elif child.tag not in (q("office", "annotation"), q("text", "note")):
            out += paragraph_text(child)
        out += child.tail or ""
    return out


def cell_text(cell):
    kind = cell.get(q("office", "value-type"))
    if kind in ("float", "percentage", "currency"):
        return number_text(cell.get(q("office", "value")))
    if kind == "date":
        value = cell.get(q("office", "date-value"))[:19].replace("T", " ")
        return value if len(value) > 10 else value + " 00:00:00"
    if kind == "time":
        return time_text(cell.get(q("office", "time-value")))
    if kind == "boolean":
        return "1" if cell.get(q("office", "boolean-value"), "")[:1] in ("t", "T", "1") else "0"
    paragraphs = cell.findall("text:p", NS)
    if paragraphs:
        return "\r\n".join(paragraph_text(p) for p in paragraphs)
    return None


def escape(text):
    return (text.replace("\\", "\\\\").replace("\t", "\\t").replace("\r", "\\r")
            .replace("\n", "\\n"))


def rows_of(element):
    for child in element:
        if child.tag == q("table", "table-row"):
            yield child
        elif child.tag in (q("table", "table-row-group"), q("table", "table-header-rows"),
                           q("table", "table-rows")):
            yield from rows_of(child)


def dump(path):
    try:
        package = zipfile.ZipFile(path)
        if "encryption-data" in package.read("META-INF/manifest.xml").decode("utf-8", "replace"):
            raise Unreadable(": encrypted")
        root = ET.fromstring(package.read("content.xml"))
    except (zipfile.BadZipFile, KeyError):
        raise Unreadable()
    out = []
    spreadsheet = root.find("office:body/office:spreadsheet", NS)
    tables = spreadsheet.findall("table:table", NS) if spreadsheet is not None else []
    made = 0
    for number, table in enumerate(tables, 1):
        out.append("# sheet %d %s" % (number, table.get(q("table", "name"), "")))
        cells = {}
        row_index = 0
        for row in rows_of(table):
            row_repeat = int(row.get(q("table", "number-rows-repeated"), "1"))
            values = {}
            col = 0
            for cell in row:
                if cell.tag not in (q("table", "table-cell"), q("table", "covered-table-cell")):
                    continue
                repeat = int(cell.get(q("table", "number-columns-repeated"), "1"))
                text = cell_text(cell)
                if text is not None:
                    for c in range(col, min(col + repeat, MAX_COLS)):
                        values[c] = text
                col += repeat
            if values and row_index < MAX_ROWS:
                last = min(row_index + row_repeat, MAX_ROWS)
                made += len(values) * (last - row_index)
                if made > MAX_CELLS:
                    raise Unreadable(": too large")
                for r in range(row_index, last):
                    cells[r] = values
            row_index += row_repeat
        for r in range(max(cells) + 1 if cells else 0):
            values = cells.get(r, {})
            width = max(values) + 1 if values else 0
            out.append("\t".join(escape(values.get(c, "")) for c in range(width)))
    return out


for path in sys.argv[1:]:
    print("# file " + path)
    try:
        lines = dump(path)
    except Unreadable as unreadable:
        lines = ["# unreadable" + unreadable.why]
    except Exception:  # damaged XML or values
        lines = ["# unreadable"]
    for line in lines:
        print(line)
