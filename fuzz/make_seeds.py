"""Seeds for every fuzz target, from the spreadsheet corpus and a few made-up texts.

    /usr/bin/python3 fuzz/make_seeds.py CORPUS OUT

writes OUT/NAME/ for every target NAME: whole files for the file readers, the parts taken out of
the corpus packages (sheet, shared strings, styles, content.xml) and compound files (the BIFF
stream) for the part targets. Inputs above 256 KB are left out: they slow every run.
"""
import io
import os
import sys
import zipfile

import olefile

LIMIT = 256 * 1024


def corpus_files(corpus, extensions):
    for folder, _, names in os.walk(corpus):
        for name in sorted(names):
            if name.lower().rsplit(".", 1)[-1] in extensions:
                yield os.path.join(folder, name)


def put(out, target, name, data):
    if not data or len(data) > LIMIT:
        return
    folder = os.path.join(out, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name.replace(os.sep, "_")), "wb") as f:
        f.write(data)


def parts(path, wanted):
    try:
        with zipfile.ZipFile(path) as z:
            for info in z.infolist():
                if wanted(info.filename) and info.file_size <= LIMIT:
                    yield info.filename, z.read(info)
    except (zipfile.BadZipFile, OSError, RuntimeError, NotImplementedError):
        return


def main(corpus, out, examples):
    for path in corpus_files(corpus, {"xlsx", "xlsm"}):
        base = os.path.relpath(path, corpus)
        put(out, "xlsx_file", base, open(path, "rb").read())
        for name, data in parts(path, lambda n: n.startswith("xl/worksheets/sheet")):
            put(out, "xlsx_sheet_part", base + "_" + name, data)
        for name, data in parts(path, lambda n: n == "xl/sharedStrings.xml"):
            put(out, "xlsx_shared_strings_part", base, data)
        for name, data in parts(path, lambda n: n == "xl/styles.xml"):
            put(out, "xlsx_styles_part", base, data)
    for path in corpus_files(corpus, {"xls"}):
        base = os.path.relpath(path, corpus)
        data = open(path, "rb").read()
        put(out, "xls_file", base, data)
        try:
            with olefile.OleFileIO(io.BytesIO(data)) as ole:
                for stream in ("Workbook", "Book"):
                    if ole.exists(stream):
                        put(out, "xls_biff_stream", base, ole.openstream(stream).read())
                        break
        except (OSError, ValueError, IndexError, TypeError):
            pass
    for path in corpus_files(corpus, {"ods"}):
        base = os.path.relpath(path, corpus)
        put(out, "ods_file", base, open(path, "rb").read())
        for name, data in parts(path, lambda n: n == "content.xml"):
            put(out, "ods_content_part", base, data)
    for path in corpus_files(corpus, {"csv"}):
        base = os.path.relpath(path, corpus)
        data = open(path, "rb").read()
        put(out, "csv_file", base, data)
        packed = io.BytesIO()
        with zipfile.ZipFile(packed, "w", zipfile.ZIP_DEFLATED) as z:
            z.writestr(os.path.basename(path), data)
        put(out, "zip_csv_file", base, packed.getvalue())

    put(out, "settings_ini", "example", open(os.path.join(examples, "settings.ini"), "rb").read())
    put(out, "vat_payer_list", "register",
        b"ZoznamSubjektovRegistrovanychkDPH;06.12.2026\r\nIC_DPH;ICO;NAZOV\r\n"
        b"SK2020000001;12345678;Firma a.s.;Bratislava\r\nSK2020000002;1;B\r\n")
    put(out, "vat_payer_list", "cancellation",
        b"zoznamplatitelovdphsdovodomnazrusenieregistracie;05.02.2014\nSK2020000001;x\n")
    put(out, "vat_payer_list", "special", b"zoznamplatitelovdph_osobitnauprava\nSK9999999999;y\n")
    # First byte: the section (0 A1 ... 11 SV2); then rows of TAB-separated cells.
    put(out, "section_import", "a1",
        b"\x00SK2020000001\tF1\t2021-03-01\t100.5\t20\t20\t1\nAT1\tF2\t2021-3-2\t-1\t0\t10\t\n")
    put(out, "section_import", "c1",
        b"\x06AT1\t1\t2\t10\t2\t20\t0401\tIO\t2,5\tkg\t1\tx\n")
    put(out, "section_import", "sv1", b"\x0aCZ12345678\t10\t1\nDE1\t5\t\n")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], os.path.join(os.path.dirname(__file__), "..", "examples"))
