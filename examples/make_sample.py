#!/usr/bin/python3
"""Writes the sample workbook sample.xlsx and the settings.ini that reads it.

Run from this folder with Debian's /usr/bin/python3 (python3-openpyxl). Every one of the twelve
sections has its worksheet (named as the settings window names them by default: A_1 ... SV_2),
one heading row and a few rows that import without errors, so the sample can be exported at once.
settings.ini is written as the program writes it: Windows-1250 text, CR LF after every line.
"""
import datetime

import openpyxl

D = datetime.date

# Per section: the field keys in column order, then the rows.
SECTIONS = [
    ("A1", ["Odb", "F", "Den", "Z", "D", "S", "Kopr"], [
        ["SK1234567890", "FV2021001", D(2021, 3, 5), 1000, 200, "20", None],
        ["CZ12345678", "FV2021002", D(2021, 3, 8), 50.5, 5.05, "10", None]]),
    ("A2", ["Odb", "F", "Den", "Z", "TK", "TD", "Mn", "MJ", "Kopr"], [
        ["SK4444444444", "FV2021010", D(2021, 3, 10), 2500, "7201", "MT", 597.67, "t", None]]),
    ("B1", ["Dod", "F", "Den", "Z", "D", "S", "O", "Kopr"], [
        ["CZ12121212", "25/2021", D(2021, 3, 2), 1444.39, 288.88, "20", 288.88, None]]),
    ("B2", ["Dod", "F", "Den", "Z", "D", "S", "O", "Kopr"], [
        ["SK6666666666", "21-19", D(2021, 3, 4), 784.96, 156.99, "20", 156.99, None],
        ["SK7777777777", "2103816", D(2021, 3, 26), 639.16, 63.92, "10", 0, None]]),
    ("B31", ["Z", "D", "O", "Kopr"], [[88.64, 17.73, 17.73, None]]),
    ("B32", ["Dod", "Z", "D", "O", "Kopr"], [["SK8888888888", 120, 24, 24, None]]),
    ("C1", ["Odb", "FO", "FP", "ZR", "DR", "S", "TK", "TD", "Mn", "MJ", "Kopr", "ONP"], [
        ["SK1234567890", "FV2021001", "DB2021001", -100, -20, "20", "7226", "MT", -5, "kg", None,
         None]]),
    ("C2", ["Dod", "FO", "FP", "ZR", "DR", "S", "OR", "Kopr", "ONP"], [
        ["SK8787878787", "2060/2021", "DB-7", -200, -40, "20", -40, None, None]]),
    ("D1", ["SumaObratov", "Z", "D", "ZZn", "DZn", "Kopr"], [
        [416.9, 145.27, 29.05, 219.62, 21.96, None]]),
    ("D2", ["Z", "D", "ZZn", "DZn", "Kopr"], [[548.02, 109.6, 504.42, 50.44, None]]),
    ("SV1", ["Odb", "Z", "Kod"], [["CZ12345678", 1500, None], ["DE123456789", 250, "2"]]),
    ("SV2", ["Odb", "OdbP", "Vr", "Kopr"], [["CZ12345678", "SK1234567890", "x", None]]),
]

# The settings file's key order: ONP before Kopr in C1 and C2.
def key_order(section, fields):
    if section in ("C1", "C2"):
        fields = [f for f in fields if f not in ("Kopr", "ONP")] + ["ONP", "Kopr"]
    return fields


def sheet_name(section):
    """"A1" -> "A_1", "B31" -> "B_31", "SV1" -> "SV_1"."""
    letters = section.rstrip("0123456789")
    return letters + "_" + section[len(letters):]


def write_workbook():
    book = openpyxl.Workbook()
    book.remove(book.active)
    for section, fields, rows in SECTIONS:
        sheet = book.create_sheet(sheet_name(section))
        sheet.append(fields)
        for row in rows:
            sheet.append(row)
            for cell in sheet[sheet.max_row]:
                if isinstance(cell.value, D):
                    cell.number_format = "dd.mm.yyyy"
    book.save("sample.xlsx")


def write_settings():
    lines = ["[Vseobecne nastavenia]", "Typ podania:R", "Obdobie:Marec", "Rok:2021",
             "PoslednyRiadok:A", "[Danovy subjekt]", "ICDPH:SK2020123456",
             "NazovSubjektu:Vzorová firma s.r.o.", "Stat:Slovenská republika",
             "Obec:Banská Bystrica", "PSC:97401", "Ulica:Námestie SNP", "Cislo:12/A",
             "Telefon:0905123456", "Email:info@vzorova.sk", "[Nazvy harkov]"]
    lines += [f"{s}:{sheet_name(s)}" for s, _, _ in SECTIONS]
    lines += ["[Odsadenie]"] + [f"{s}:1" for s, _, _ in SECTIONS]
    lines += ["[Poradia stlpcov]"]
    for s, fields, _ in SECTIONS:
        lines += [f"{s}-{f}:{fields.index(f) + 1}" for f in key_order(s, fields)]
    lines += ["[Poznamky]"]
    for s, fields, _ in SECTIONS:
        lines += [f"{s}-{f}:" for f in key_order(s, fields)]
    with open("settings.ini", "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("cp1250"))


write_workbook()
write_settings()
