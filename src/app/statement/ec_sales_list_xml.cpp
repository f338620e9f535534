#include "app/statement/ec_sales_list_xml.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "app/statement/integer_text.h"
#include "app/statement/period_names.h"
#include "app/statement/xml_chars.h"
#include "app/statement/xml_escape.h"

namespace app {
namespace {

constexpr std::size_t kRecordsPerPage2014 = 27;
constexpr std::size_t kRecordsPerPage2020 = 12;

// "<name><![CDATA[value]]></name>" after the indentation.
std::string CdataElement(std::string_view indent, std::string_view name, std::string_view value) {
  std::string line(indent);
  line += '<';
  line += name;
  line += '>';
  line += Cdata(value);
  line += "</";
  line += name;
  line += '>';
  return line;
}

// A VAT ID's country code and the number after it.
std::string_view CountryOf(std::string_view vatId) { return vatId.substr(0, 2); }
std::string_view NumberOf(std::string_view vatId) {
  return vatId.substr(std::min<std::size_t>(2, vatId.size()));
}

// The text without its leading and trailing control characters and blanks.
std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

std::string TwoDigits(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02u", value);
  return text;
}

void AddRecord(TTextLines& lines, const tDataSV1& r) {
  lines.push_back("      <zaznam>");
  lines.push_back(CdataElement("        ", "kodStatu", CountryOf(r.Odb)));
  lines.push_back(CdataElement("        ", "idCislo", NumberOf(r.Odb)) + "\t");
  lines.push_back(CdataElement("        ", "hodnota", r.Z));
  lines.push_back(r.Kod.empty() ? "        <kod/>" : CdataElement("        ", "kod", r.Kod));
  lines.push_back("      </zaznam>");
}

void AddEmptyRecords(TTextLines& lines, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    lines.insert(lines.end(), {"      <zaznam>", "        <kodStatu/>", "        <idCislo/>",
                               "        <hodnota/>", "        <kod/>", "      </zaznam>"});
}

void AddRecordCast2(TTextLines& lines, const tDataSV2& r) {
  lines.push_back("      <zaznamCast2>");
  lines.push_back(CdataElement("        ", "kodStatu", CountryOf(r.Odb)));
  lines.push_back(CdataElement("        ", "idCislo", NumberOf(r.Odb)) + "\t");
  lines.push_back(CdataElement("        ", "idCislo2", NumberOf(r.OdbP)) + "\t");
  lines.push_back(CdataElement("        ", "vratenieTovaru", r.Vr));
  lines.push_back(CdataElement("        ", "oprava", r.Kopr));
  lines.push_back("      </zaznamCast2>");
}

void AddEmptyRecordsCast2(TTextLines& lines, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    lines.insert(lines.end(),
                 {"      <zaznamCast2>", "        <kodStatu/>", "        <idCislo/>",
                  "        <idCislo2/>", "        <vratenieTovaru><![CDATA[0]]></vratenieTovaru>",
                  "        <oprava><![CDATA[0]]></oprava>", "      </zaznamCast2>"});
}

std::size_t PagesFor(std::size_t records, std::size_t perPage) {
  return (records + perPage - 1) / perPage;
}

// The sum of the SV1 amounts, each a whole number of euros.
std::int64_t TotalOf(const TRecordArray<tDataSV1>& rows, TSVLayout layout) {
  std::int64_t total = 0;
  for (const auto& row : rows) {
    std::string value = row->Z;
    // The later layout's reading takes a decimal point for the decimal comma.
    if (layout == TSVLayout::Layout2020) std::replace(value.begin(), value.end(), '.', ',');
    if (__builtin_add_overflow(total, StrToInt64(value), &total))
      throw std::overflow_error("Integer overflow");
  }
  return total;
}

void AddHeader(TTextLines& lines, TSVLayout layout, const tDataHeader& header,
               const tSubject& subject, std::int64_t total, std::size_t pages,
               std::chrono::year_month_day today) {
  const bool layout2014 = layout == TSVLayout::Layout2014;
  lines.push_back("  <hlavicka>");
  lines.push_back("    <identifikacneCislo>");
  lines.push_back("      <kodStatu/>");
  lines.push_back(CdataElement("      ", "dic", NumberOf(subject.ICDPH)) + "\t");
  lines.push_back("    </identifikacneCislo>");
  lines.push_back("    <danovyUrad/>");

  lines.push_back("    <druhSV>");
  lines.push_back(CdataElement("      ", "riadny", header.Druh == "R" ? "1" : "0"));
  lines.push_back(CdataElement("      ", "opravny", header.Druh == "O" ? "1" : "0"));
  lines.push_back(CdataElement("      ", "dodatocny", header.Druh == "D" ? "1" : "0"));
  lines.push_back("    </druhSV>");

  lines.push_back("    <obdobie>");
  static constexpr const char* kQuarterNumerals[] = {"I", "II", "III", "IV"};
  if (auto month = MonthOfPeriod(header.Obdobie))
    lines.push_back(CdataElement("      ", "mesiac", TwoDigits(*month)) + "<stvrtrok/>");
  else if (auto quarter = QuarterOfPeriod(header.Obdobie))
    lines.push_back("      <mesiac/>" +
                    CdataElement("", "stvrtrok", kQuarterNumerals[*quarter - 1]));
  lines.push_back(CdataElement("      ", "rok", header.Rok));
  lines.push_back("    </obdobie>");

  lines.push_back("    <obchodneMeno>");
  lines.push_back(CdataElement("      ", "riadok", LeftChars(subject.NazovSubjektu, 37)));
  lines.insert(lines.end(), 3, "      <riadok/>");
  lines.push_back("    </obchodneMeno>");

  lines.push_back("    <adresa>");
  lines.push_back(CdataElement("      ", "ulica", LeftChars(subject.Ulica, 28)));
  lines.push_back(CdataElement("      ", "cislo", LeftChars(subject.Cislo, 8)));
  lines.push_back(CdataElement("      ", "psc", LeftChars(subject.PSC, 5)));
  lines.push_back(CdataElement("      ", "obec", LeftChars(subject.Obec, 31)));
  if (layout2014) {
    const std::string_view phone = subject.Telefon;
    lines.push_back("      <tel>");
    lines.push_back(CdataElement("        ", "predcislie", LeftChars(phone, 4)));
    lines.push_back(CdataElement(
        "        ", "cislo",
        Trimmed(LeftChars(phone.substr(std::min<std::size_t>(4, phone.size())), 100))));
    lines.push_back("      </tel>");
    lines.insert(lines.end(),
                 {"      <fax>", "        <predcislie/>", "        <cislo/>", "      </fax>"});
  } else {
    lines.push_back(CdataElement("      ", "tel", LeftChars(subject.Telefon, 31)));
    lines.push_back(CdataElement("      ", "email", LeftChars(subject.Email, 31)));
  }
  lines.push_back("    </adresa>");

  lines.push_back(CdataElement("    ", "celkovaHodnota", std::to_string(total)));
  if (layout2014) {
    lines.push_back(CdataElement("    ", "pocet2Stran", std::to_string(pages)) + "\t");
    lines.insert(lines.end(), {"    <konatel/>", "    <konatelTel>", "      <predcislie/>",
                               "      <cislo/>", "    </konatelTel>"});
  } else {
    lines.insert(lines.end(), {"    <konatel/>", "    <konatelTel/>", "    <konatelEmail/>"});
  }

  lines.push_back("    <datumVyhlasenia>");
  lines.push_back(CdataElement("      ", "den", TwoDigits(static_cast<unsigned>(today.day()))));
  lines.push_back(
      CdataElement("      ", "mesiac", TwoDigits(static_cast<unsigned>(today.month()))));
  lines.push_back(CdataElement("      ", "rok", std::to_string(static_cast<int>(today.year()))));
  lines.push_back("    </datumVyhlasenia>");
  lines.push_back("  </hlavicka>");
}

// 27 records a page, numbered; with no records the body holds no page.
void AddBody2014(TTextLines& lines, const TRecordArray<tDataSV1>& sv1, std::size_t pages) {
  lines.push_back("  <telo>");
  std::size_t i = 0;
  for (const auto& row : sv1) {
    if (i % kRecordsPerPage2014 == 0) {
      if (i != 0) lines.push_back("    </strana>");
      lines.push_back("    <strana>");
      lines.push_back("      <oznacenie>");
      lines.push_back(
          CdataElement("        ", "aktualna", std::to_string(i / kRecordsPerPage2014 + 1)));
      lines.push_back(CdataElement("        ", "celkovo", std::to_string(pages)));
      lines.push_back("      </oznacenie>");
    }
    AddRecord(lines, *row);
    ++i;
  }
  if (i != 0) {
    const std::size_t on_last_page = (i - 1) % kRecordsPerPage2014 + 1;
    AddEmptyRecords(lines, kRecordsPerPage2014 - on_last_page);
    lines.push_back("    </strana>");
  }
  lines.push_back("  </telo>");
}

// Every page holds 12 SV1 record blocks followed by 12 SV2 record blocks, empty blocks filling
// what the records leave; there are as many pages as the longer of the two lists needs, at least
// one.
void AddBody2020(TTextLines& lines, const TRecordArray<tDataSV1>& sv1,
                 const TRecordArray<tDataSV2>& sv2) {
  const std::size_t pages = std::max({PagesFor(sv1.size(), kRecordsPerPage2020),
                                      PagesFor(sv2.size(), kRecordsPerPage2020), std::size_t{1}});
  lines.push_back("  <telo>");
  for (std::size_t page = 0; page < pages; ++page) {
    const std::size_t first = page * kRecordsPerPage2020;
    const std::size_t last = first + kRecordsPerPage2020;
    lines.push_back("    <strana>");
    for (std::size_t i = first; i < last; ++i) {
      if (i < sv1.size())
        AddRecord(lines, *sv1[i]);
      else
        AddEmptyRecords(lines, 1);
    }
    for (std::size_t j = first; j < last; ++j) {
      if (j < sv2.size())
        AddRecordCast2(lines, *sv2[j]);
      else
        AddEmptyRecordsCast2(lines, 1);
    }
    lines.push_back("    </strana>");
  }
  lines.push_back("  </telo>");
}

}  // namespace

TTextLines BuildEcSalesList(TSVLayout layout, const TData& data,
                            std::chrono::year_month_day today) {
  const std::int64_t total = TotalOf(data.RowsSV1, layout);
  const std::size_t pages =
      std::max(PagesFor(data.RowsSV1.size(), kRecordsPerPage2014), std::size_t{1});
  TTextLines lines;
  lines.push_back("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
  lines.push_back(
      "<dokument xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
      "xsi:noNamespaceSchemaLocation=\"universal.xsd\">");
  AddHeader(lines, layout, data.Header, data.Subject, total, pages, today);
  if (layout == TSVLayout::Layout2014)
    AddBody2014(lines, data.RowsSV1, pages);
  else
    AddBody2020(lines, data.RowsSV1, data.RowsSV2);
  lines.push_back("</dokument>");
  return lines;
}

std::string ExportEcSalesList(TSVLayout layout, const TData& data,
                              std::chrono::year_month_day today, const std::string& chosenName) {
  const TTextLines lines = BuildEcSalesList(layout, data, today);
  RequireXmlLines(lines);
  return SaveTextLines(lines, chosenName, ".xml");
}

}  // namespace app
