"""openpyxl's reading of the fonts and border sets of .xlsx files other programs wrote.

Usage: style_corpus_openpyxl.py FILE.xlsx...
Per file it can read: "FILE" and the path of a copy of its styles.xml in a scratch folder, the
file's own path, a line per font and per border set (describe_styles.py), then "END". The
styles.xml part is read alone (loading the workbook would add the borders of merged cells); a
font without sz or name is 10 points without a name, as on our side.
"""
import os
import sys
import tempfile
import warnings
import zipfile

from openpyxl.styles.stylesheet import Stylesheet
from openpyxl.xml.functions import fromstring

from describe_styles import border_line, font_line

warnings.simplefilter('ignore')
out = tempfile.mkdtemp()
for n, path in enumerate(sys.argv[1:]):
    try:
        styles = zipfile.ZipFile(path).read('xl/styles.xml')
        sheet = Stylesheet.from_tree(fromstring(styles))
        for f in sheet.fonts:
            if f.sz is None:
                f.sz = 10
            if f.name is None:
                f.name = ''
        lines = [font_line(f) for f in sheet.fonts] + [border_line(b) for b in sheet.borders]
    except Exception:
        continue
    name = os.path.join(out, '%d.xml' % n)
    open(name, 'wb').write(styles)
    print('FILE ' + name)
    print(path)
    for line in lines:
        print(line)
    print('END')
