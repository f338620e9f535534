#include "app/statement/control_statement_xml.h"

#include "app/statement/element_line.h"
#include "app/statement/period_names.h"
#include "app/statement/xml_chars.h"
#include "app/statement/xml_escape.h"

namespace app {
namespace {

// "<name>value</name>" at the given indentation, the value cut to `limit` characters first.
std::string TextElement(std::string_view indent, std::string_view name, std::string_view value,
                        std::size_t limit = std::string_view::npos) {
  std::string line(indent);
  line += '<';
  line += name;
  line += '>';
  line += XmlText(LeftChars(value, limit));
  line += "</";
  line += name;
  line += '>';
  return line;
}

void AddHeader(TTextLines& lines, const tDataHeader& header, const tSubject& subject) {
  lines.push_back("  <Identifikacia>");
  lines.push_back(TextElement("    ", "IcDphPlatitela", subject.ICDPH));
  lines.push_back(TextElement("    ", "Druh", header.Druh));
  lines.push_back("    <Obdobie>");
  lines.push_back(TextElement("      ", "Rok", header.Rok));
  if (auto month = MonthOfPeriod(header.Obdobie))
    lines.push_back("      <Mesiac>" + std::to_string(*month) + "</Mesiac>");
  else if (auto quarter = QuarterOfPeriod(header.Obdobie))
    lines.push_back("      <Stvrtrok>" + std::to_string(*quarter) + "</Stvrtrok>");
  lines.push_back("    </Obdobie>");
  lines.push_back(TextElement("    ", "Nazov", subject.NazovSubjektu, 37));
  lines.push_back(TextElement("    ", "Stat", subject.Stat, 28));
  lines.push_back(TextElement("    ", "Obec", subject.Obec, 31));
  lines.push_back(TextElement("    ", "PSC", subject.PSC, 5));
  lines.push_back(TextElement("    ", "Ulica", subject.Ulica, 28));
  lines.push_back(TextElement("    ", "Cislo", subject.Cislo, 8));
  lines.push_back(TextElement("    ", "Tel", subject.Telefon, 15));
  lines.push_back(TextElement("    ", "Email", subject.Email));
  lines.push_back("  </Identifikacia>");
}

template <class Record, class MakeLine>
void AddRows(TTextLines& lines, const TRecordArray<Record>& rows, MakeLine makeLine) {
  for (const auto& row : rows) lines.push_back(makeLine(*row).Line());
}

void AddTransactions(TTextLines& lines, TKVFormat format, const TData& data) {
  const bool with_b32 = format != TKVFormat::Format2014;
  const bool with_onp = format == TKVFormat::Format2021;
  lines.push_back("  <Transakcie>");
  AddRows(lines, data.RowsA1, [](const tDataA1& r) {
    return TElementLine("A1")
        .Optional("Odb", r.Odb)
        .Required("F", r.F)
        .Required("Den", r.Den)
        .Required("Z", r.Z)
        .Required("D", r.D)
        .Required("S", r.S)
        .Optional("KOpr", r.Kopr);
  });
  AddRows(lines, data.RowsA2, [](const tDataA2& r) {
    return TElementLine("A2")
        .Required("Odb", r.Odb)
        .Required("F", r.F)
        .Required("Den", r.Den)
        .Required("Z", r.Z)
        .Optional("TK", r.TK)
        .Optional("TD", r.TD)
        .Optional("Mn", r.Mn)
        .Optional("MJ", r.MJ)
        .Optional("KOpr", r.Kopr);
  });
  AddRows(lines, data.RowsB1, [](const tDataB1& r) {
    return TElementLine("B1")
        .Optional("Dod", r.Dod)
        .Required("F", r.F)
        .Required("Den", r.Den)
        .Required("Z", r.Z)
        .Required("D", r.D)
        .Required("S", r.S)
        .Required("O", r.O)
        .Optional("KOpr", r.Kopr);
  });
  AddRows(lines, data.RowsB2, [](const tDataB2& r) {
    return TElementLine("B2")
        .Required("Dod", r.Dod)
        .Required("F", r.F)
        .Required("Den", r.Den)
        .Required("Z", r.Z)
        .Required("D", r.D)
        .Required("S", r.S)
        .Required("O", r.O)
        .Optional("KOpr", r.Kopr);
  });
  // The 2014 schema knows one B3 section; the later ones split it into B31 and B32.
  AddRows(lines, data.RowsB31, [with_b32](const tDataB31& r) {
    return TElementLine(with_b32 ? "B31" : "B3")
        .Required("Z", r.Z)
        .Required("D", r.D)
        .Required("O", r.O)
        .Optional("KOpr", r.Kopr);
  });
  if (with_b32)
    AddRows(lines, data.RowsB32, [](const tDataB32& r) {
      return TElementLine("B32")
          .Required("Dod", r.Dod)
          .Required("Z", r.Z)
          .Required("D", r.D)
          .Required("O", r.O)
          .Optional("KOpr", r.Kopr);
    });
  // ONP exists from the 2021 schema on.
  AddRows(lines, data.RowsC1, [with_onp](const tDataC1& r) {
    return TElementLine("C1")
        .Optional("Odb", r.Odb)
        .Required("FO", r.FO)
        .Required("FP", r.FP)
        .Required("ZR", r.ZR)
        .Optional("DR", r.DR)
        .Optional("S", r.S)
        .Optional("TK", r.TK)
        .Optional("TD", r.TD)
        .Optional("Mn", r.Mn)
        .Optional("MJ", r.MJ)
        .Optional("ONP", with_onp ? std::string_view(r.ONP) : std::string_view())
        .Optional("KOpr", r.Kopr);
  });
  AddRows(lines, data.RowsC2, [with_onp](const tDataC2& r) {
    return TElementLine("C2")
        .Optional("Dod", r.Dod)
        .Required("FO", r.FO)
        .Required("FP", r.FP)
        .Required("ZR", r.ZR)
        .Required("DR", r.DR)
        .Required("S", r.S)
        .Required("OR", r.OR)
        .Optional("ONP", with_onp ? std::string_view(r.ONP) : std::string_view())
        .Optional("KOpr", r.Kopr);
  });
  AddRows(lines, data.RowsD1, [](const tDataD1& r) {
    return TElementLine("D1")
        .Required("SumaObratov", r.SumaObratov)
        .Required("Z", r.Z)
        .Required("D", r.D)
        .Required("ZZn", r.ZZn)
        .Required("DZn", r.DZn)
        .Optional("KOpr", r.Kopr);
  });
  AddRows(lines, data.RowsD2, [](const tDataD2& r) {
    return TElementLine("D2")
        .Required("Z", r.Z)
        .Required("D", r.D)
        .Required("ZZn", r.ZZn)
        .Required("DZn", r.DZn)
        .Optional("KOpr", r.Kopr);
  });
  lines.push_back("  </Transakcie>");
}

}  // namespace

std::string KVNamespaceURI(TKVFormat format) {
  const char* year = "2021";
  switch (format) {
    case TKVFormat::Format2014:
      year = "2014";
      break;
    case TKVFormat::Format2016:
      year = "2016";
      break;
    case TKVFormat::Format2017:
      year = "2017";
      break;
    case TKVFormat::Format2021:
      break;
  }
  return std::string(kKVSchemaHost) + "/Formulare/XSD/kv_dph_" + year + ".xsd";
}

std::string KVRootElement(TKVFormat format) {
  switch (format) {
    case TKVFormat::Format2014:
      return "KVDPH";
    case TKVFormat::Format2016:
    case TKVFormat::Format2017:
      return "KVDPH_2016";
    case TKVFormat::Format2021:
      break;
  }
  return "KVDPH_2021";
}

TTextLines BuildControlStatement(TKVFormat format, const TData& data) {
  const std::string root = KVRootElement(format);
  TTextLines lines;
  lines.push_back("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
  lines.push_back("<" + root + " xmlns=\"" + KVNamespaceURI(format) + "\">");
  AddHeader(lines, data.Header, data.Subject);
  AddTransactions(lines, format, data);
  lines.push_back("</" + root + ">");
  return lines;
}

std::string ExportControlStatement(TKVFormat format, const TData& data,
                                   const std::string& chosenName) {
  const TTextLines lines = BuildControlStatement(format, data);
  RequireXmlLines(lines);
  return SaveTextLines(lines, chosenName, ".xml");
}

}  // namespace app
