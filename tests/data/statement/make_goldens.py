#!/usr/bin/python3
"""Writes the expected control-statement and EC-sales-list documents for the statement tests.

Written by hand from the documents' description, independently of the C++ writers: the records
below are the ones of full_statement.tsv (the records in field order, trailing empty fields left
out), which the statement and window tests load. Run it from this folder;
the outputs are UTF-8 with CR LF after every line and no byte-order mark.
"""

# --- the fixture (keep in step with full_statement.tsv and statement_fixture.cpp) ---
HEADER = dict(Druh="R", Rok="2021", Obdobie="Marec")
SUBJECT = dict(ICDPH="SK2020123456", NazovSubjektu="Obchod & Servis, s.r.o. Banská Bystrica",
               Stat="Slovenská republika", Obec="Banská Bystrica", PSC="97401",
               Ulica="Námestie SNP", Cislo="12/A", Telefon="+421 905 123 456",
               Email="info@obchod.sk")
TODAY = ("09", "01", "2024")
SV1 = [("CZ12345678", "1500", ""), ("DE123456789", "250", "2"), ("HU12345678", "-10", "3")]
SV2 = [("CZ12345678", "SK1234567890", "1", "0"), ("PL1234567890", "", "0", "1")]


def write(name, lines):
    with open(name, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("utf-8"))


# --- control statement ---
def kv(year):
    root = {"2014": "KVDPH", "2016": "KVDPH_2016", "2017": "KVDPH_2016", "2021": "KVDPH_2021"}[year]
    onp = year == "2021"
    lines = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        '<%s xmlns="https://ekr.financnasprava.sk/Formulare/XSD/kv_dph_%s.xsd">' % (root, year),
        '  <Identifikacia>',
        '    <IcDphPlatitela>SK2020123456</IcDphPlatitela>',
        '    <Druh>R</Druh>',
        '    <Obdobie>',
        '      <Rok>2021</Rok>',
        '      <Mesiac>3</Mesiac>',
        '    </Obdobie>',
        # 37 characters of the name, then escaped
        '    <Nazov>Obchod &amp; Servis, s.r.o. Banská Bystri</Nazov>',
        '    <Stat>Slovenská republika</Stat>',
        '    <Obec>Banská Bystrica</Obec>',
        '    <PSC>97401</PSC>',
        '    <Ulica>Námestie SNP</Ulica>',
        '    <Cislo>12/A</Cislo>',
        '    <Tel>+421 905 123 45</Tel>',  # 15 characters
        '    <Email>info@obchod.sk</Email>',
        '  </Identifikacia>',
        '  <Transakcie>',
        '    <A1 Odb="SK1234567890" F="FV2021001" Den="2021-03-05" Z="1000" D="200" S="20"/>',
        '    <A1 F="FV2021002" Den="2021-03-08" Z="50.5" D="5.05" S="10" KOpr="1"/>',
        '    <A2 Odb="SK4444444444" F="FV2021010" Den="2021-03-10" Z="2500" TK="7201" Mn="597.67" MJ="t"/>',
        '    <A2 Odb="SK4545454545" F="FV2021011" Den="2021-03-11" Z="300" TD="IO" Mn="27" MJ="ks" KOpr="2"/>',
        '    <B1 Dod="CZ12121212" F="25/2021" Den="2021-03-02" Z="1444.39" D="288.88" S="20" O="288.88"/>',
        '    <B1 F="1030/2021" Den="2021-03-22" Z="100" D="20" S="20" O="20" KOpr="2"/>',
        '    <B2 Dod="SK6666666666" F="21-19" Den="2021-03-04" Z="784.96" D="156.99" S="20" O="156.99"/>',
        '    <B2 Dod="SK7777777777" F="2103816" Den="2021-03-26" Z="639.16" D="63.92" S="10" O="0" KOpr="1"/>',
    ]
    if year == "2014":
        lines.append('    <B3 Z="88.64" D="17.73" O="17.73"/>')
    else:
        lines.append('    <B31 Z="88.64" D="17.73" O="17.73"/>')
        lines.append('    <B32 Dod="SK8888888888" Z="120" D="24" O="24" KOpr="2"/>')
    lines.append('    <C1 Odb="SK1234567890" FO="FV2021001" FP="DB2021001" ZR="-100" DR="-20" S="20"'
                 + (' ONP="1"' if onp else '') + '/>')
    lines.append('    <C1 FO="FV2021003" FP="DB2021002" ZR="-50" TK="7226" Mn="-5.5" MJ="kg" KOpr="2"/>')
    lines.append('    <C2 Dod="SK8787878787" FO="2060/2021" FP="DB-7" ZR="-200" DR="-40" S="20" OR="-40"'
                 + (' ONP="2"' if onp else '') + '/>')
    lines += [
        '    <D1 SumaObratov="416.9" Z="145.27" D="29.05" ZZn="219.62" DZn="21.96"/>',
        '    <D2 Z="548.02" D="109.6" ZZn="504.42" DZn="50.44" KOpr="1"/>',
        '  </Transakcie>',
        '</%s>' % root,
    ]
    return lines


# --- EC sales list ---
def cd(value):
    return "<![CDATA[" + value + "]]>"


def record(odb, z, kod):
    return ["      <zaznam>",
            "        <kodStatu>" + cd(odb[:2]) + "</kodStatu>",
            "        <idCislo>" + cd(odb[2:]) + "</idCislo>\t",
            "        <hodnota>" + cd(z) + "</hodnota>",
            "        <kod/>" if kod == "" else "        <kod>" + cd(kod) + "</kod>",
            "      </zaznam>"]


EMPTY = ["      <zaznam>", "        <kodStatu/>", "        <idCislo/>", "        <hodnota/>",
         "        <kod/>", "      </zaznam>"]


def part2(odb, odbp, vr, kopr):
    return ["      <zaznamCast2>",
            "        <kodStatu>" + cd(odb[:2]) + "</kodStatu>",
            "        <idCislo>" + cd(odb[2:]) + "</idCislo>\t",
            "        <idCislo2>" + cd(odbp[2:]) + "</idCislo2>\t",
            "        <vratenieTovaru>" + cd(vr) + "</vratenieTovaru>",
            "        <oprava>" + cd(kopr) + "</oprava>",
            "      </zaznamCast2>"]


EMPTY2 = ["      <zaznamCast2>", "        <kodStatu/>", "        <idCislo/>", "        <idCislo2/>",
          "        <vratenieTovaru><![CDATA[0]]></vratenieTovaru>",
          "        <oprava><![CDATA[0]]></oprava>", "      </zaznamCast2>"]


def sv(layout):
    lines = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        '<dokument xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" '
        'xsi:noNamespaceSchemaLocation="universal.xsd">',
        "  <hlavicka>",
        "    <identifikacneCislo>",
        "      <kodStatu/>",
        "      <dic><![CDATA[2020123456]]></dic>\t",
        "    </identifikacneCislo>",
        "    <danovyUrad/>",
        "    <druhSV>",
        "      <riadny><![CDATA[1]]></riadny>",
        "      <opravny><![CDATA[0]]></opravny>",
        "      <dodatocny><![CDATA[0]]></dodatocny>",
        "    </druhSV>",
        "    <obdobie>",
        "      <mesiac><![CDATA[03]]></mesiac><stvrtrok/>",
        "      <rok><![CDATA[2021]]></rok>",
        "    </obdobie>",
        "    <obchodneMeno>",
        "      <riadok><![CDATA[Obchod & Servis, s.r.o. Banská Bystri]]></riadok>",
        "      <riadok/>", "      <riadok/>", "      <riadok/>",
        "    </obchodneMeno>",
        "    <adresa>",
        "      <ulica><![CDATA[Námestie SNP]]></ulica>",
        "      <cislo><![CDATA[12/A]]></cislo>",
        "      <psc><![CDATA[97401]]></psc>",
        "      <obec><![CDATA[Banská Bystrica]]></obec>",
    ]
    if layout == "2014":
        lines += ["      <tel>",
                  "        <predcislie><![CDATA[+421]]></predcislie>",
                  "        <cislo><![CDATA[905 123 456]]></cislo>",
                  "      </tel>",
                  "      <fax>", "        <predcislie/>", "        <cislo/>", "      </fax>"]
    else:
        lines += ["      <tel><![CDATA[+421 905 123 456]]></tel>",
                  "      <email><![CDATA[info@obchod.sk]]></email>"]
    lines += ["    </adresa>",
              "    <celkovaHodnota><![CDATA[1740]]></celkovaHodnota>"]
    if layout == "2014":
        lines += ["    <pocet2Stran><![CDATA[1]]></pocet2Stran>\t",
                  "    <konatel/>", "    <konatelTel>", "      <predcislie/>", "      <cislo/>",
                  "    </konatelTel>"]
    else:
        lines += ["    <konatel/>", "    <konatelTel/>", "    <konatelEmail/>"]
    lines += ["    <datumVyhlasenia>",
              "      <den><![CDATA[09]]></den>",
              "      <mesiac><![CDATA[01]]></mesiac>",
              "      <rok><![CDATA[2024]]></rok>",
              "    </datumVyhlasenia>",
              "  </hlavicka>",
              "  <telo>",
              "    <strana>"]
    if layout == "2014":
        lines += ["      <oznacenie>",
                  "        <aktualna><![CDATA[1]]></aktualna>",
                  "        <celkovo><![CDATA[1]]></celkovo>",
                  "      </oznacenie>"]
        for r in SV1:
            lines += record(*r)
        lines += EMPTY * (27 - len(SV1))
    else:
        for r in SV1:
            lines += record(*r)
        lines += EMPTY * (12 - len(SV1))
        for r in SV2:
            lines += part2(*r)
        lines += EMPTY2 * (12 - len(SV2))
    lines += ["    </strana>", "  </telo>", "</dokument>"]
    return lines


for year in ("2014", "2016", "2017", "2021"):
    write("kv_dph_%s_full.xml" % year, kv(year))
for layout in ("2014", "2020"):
    write("sv_dph_%s_full.xml" % layout, sv(layout))
