# Number-format date classes, reference bounds and shared-formula offsets as openpyxl sees them,
# for every format code, cell reference and formula of the XLSX files under sys.argv[1] (and
# openpyxl's built-in format table). Prints tab-separated lines: "fmt CODE-HEX IS-DATE",
# "ref TOKEN BOUNDS|error", "f FORMULA-HEX COL-OFFSET ROW-OFFSET RESULT-HEX|error" (texts in
# UTF-8 hex).
import glob, html, re, sys, zipfile
from openpyxl.formula.translate import Translator
from openpyxl.styles.numbers import BUILTIN_FORMATS, is_date_format
from openpyxl.utils.cell import range_boundaries

codes, refs, formulas = set(BUILTIN_FORMATS.values()), set(), set()
for name in sorted(glob.glob(sys.argv[1] + '/**/*.xlsx', recursive=True)):
    try:
        z = zipfile.ZipFile(name)
        parts = z.namelist()
    except Exception:
        continue
    for part in parts:
        if not part.endswith('.xml'):
            continue
        s = z.read(part).decode('utf8', 'replace')
        if part == 'xl/styles.xml':
            codes.update(html.unescape(m.group(1)) for m in
                         re.finditer(r'<(?:\w+:)?numFmt [^>]*formatCode="([^"]*)"', s))
        if part.startswith('xl/worksheets/'):
            for m in re.finditer(r'\s(?:r|ref|sqref)="([^"]*)"', s):
                refs.update(t for t in m.group(1).split() if not t.isdigit())
            formulas.update(html.unescape(m.group(1)) for m in
                            re.finditer(r'<(?:\w+:)?f(?: [^>]*)?>([^<]+)</(?:\w+:)?f>', s))
for c in sorted(codes):
    print('fmt', c.encode().hex(), int(is_date_format(c)), sep='\t')
for r in sorted(refs):
    try:
        b = ' '.join(str(-1 if x is None else x) for x in range_boundaries(r))
    except Exception:
        b = 'error'
    print('ref', r, b, sep='\t')
for f in sorted(formulas):
    for dc, dr in ((1, 1), (2, 0), (0, 3)):
        try:
            t = Translator('=' + f, origin='C3').translate_formula(
                chr(ord('C') + dc) + str(3 + dr))[1:].encode().hex()
        except Exception:
            t = 'error'
        print('f', f.encode().hex(), dc, dr, t, sep='\t')
