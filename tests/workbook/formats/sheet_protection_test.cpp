#include "workbook/model/sheet_protection.h"

#include <gtest/gtest.h>

#include "workbook/core/exceptions.h"
#include "workbook/formats/sheet_record_support.h"
#include "workbook/formats/xls/biff_builder.h"
#include "workbook/formats/xml_writer_capture.h"

namespace workbook {
namespace {

using namespace xls_test;
using Option = TSheetProtectionOption;
using test::OneRecord;
using test::XmlScratch;

std::string WriteXLSX(const TExportWorkSheetProtection& protection) {
  XmlScratch xml("worksheet");
  protection.WriteXLSX(xml.Root());
  return xml.Text();
}

std::string WriteODS(const TExportWorkSheetProtection& protection) {
  return test::WriterText([&](TXmlWriter& writer) {
    writer.StartElement("table:table");
    protection.WriteODS(writer);
    writer.EndElement();
  });
}

TEST(SheetProtectionTest, UnprotectedSheetWritesNothingAnywhere) {
  TExportWorkSheetProtection protection;
  protection.Password = u"secret";
  EXPECT_EQ(WriteXLSX(protection), "<worksheet/>");
  EXPECT_TRUE(protection.WriteXLS().empty());
  EXPECT_TRUE(protection.WriteXLSFeatHeader().empty());
  EXPECT_EQ(WriteODS(protection), "<table:table/>");
}

TEST(SheetProtectionTest, XlsxForms) {
  TExportWorkSheetProtection protection;
  protection.Protected = true;
  EXPECT_EQ(WriteXLSX(protection), "<worksheet><sheetProtection sheet=\"1\"/></worksheet>");
  protection.Password = u"password";
  protection.SetAllowed(Option::spFormatCells, true);
  protection.SetAllowed(Option::spSelectLockedCells, false);
  EXPECT_EQ(WriteXLSX(protection),
            "<worksheet><sheetProtection password=\"83AF\" sheet=\"1\" "
            "selectLockedCells=\"1\" formatCells=\"0\"/></worksheet>");
  protection.PasswordHash = 0x0A0B;  // a file's verifier wins over the password
  EXPECT_NE(WriteXLSX(protection).find("password=\"0A0B\""), std::string::npos);
  protection.PasswordHash = 0;
  protection.Password = u"\u00E9";
  EXPECT_THROW(WriteXLSX(protection), EWorkbookException);
}

// What openpyxl writes is read in the sheet-extras peer test; here the forms it does not write.
TEST(SheetProtectionTest, XlsxReadKeepsTheVerifier) {
  XmlScratch xml("x");
  xml.Load(R"(<sheetProtection password="CC1A" sheet="true" sort="0" selectUnlockedCells="1"/>)");
  TExportWorkSheetProtection protection;
  protection.Password = u"old";
  protection.ReadXLSX(xml.Root());
  EXPECT_EQ(protection.Password, u"");
  EXPECT_EQ(WriteXLSX(protection),
            "<worksheet><sheetProtection password=\"CC1A\" sheet=\"1\" "
            "selectUnlockedCells=\"1\" sort=\"0\"/></worksheet>");
  // A password that is no 16-bit hexadecimal number is no verifier.
  for (const char* bad : {R"(<p sheet="1" password="XYZ"/>)", R"(<p sheet="1" password="12345"/>)",
                          R"(<p sheet="1" password=""/>)"}) {
    xml.Load(bad);
    protection.ReadXLSX(xml.Root());
    EXPECT_EQ(protection.PasswordHash, 0) << bad;
  }
  xml.Load(R"(<sheetProtection sheet="0" password="CC1A" sort="0"/>)");
  protection.ReadXLSX(xml.Root());
  EXPECT_FALSE(protection.Protected);
  EXPECT_EQ(protection.PasswordHash, 0);
  EXPECT_EQ(protection.Options, TExportWorkSheetProtection::kDefaultOptions);
}

TEST(SheetProtectionTest, BiffRecords) {
  TExportWorkSheetProtection protection;
  protection.Protected = true;
  EXPECT_EQ(test::Hex(protection.WriteXLS()), "12 00 02 00 01 00");
  protection.Password = u"abc";
  EXPECT_EQ(test::Hex(protection.WriteXLS()), "12 00 02 00 01 00 13 00 02 00 1A CC");
  protection.SetAllowed(Option::spSort, true);
  EXPECT_EQ(test::Hex(protection.WriteXLSFeatHeader()),
            "67 08 17 00 67 08 00 00 00 00 00 00 00 00 00 00 02 00 01 FF FF FF FF 00 4C 00 00");
}

// PROTECT and PASSWORD are read in the xlwt peer test; xlwt writes no shared-feature header.
TEST(SheetProtectionTest, FeatureHeaderReading) {
  TExportWorkSheetProtection protection;
  OneRecord feature(Record(
      0x0867,
      Join({Word(0x0867), Bytes(10, 0), Word(2), {1}, DWord(0xFFFFFFFF), Word(0x0804), Word(0)})));
  protection.ReadXLSFeatHeader(feature.Reader());
  EXPECT_TRUE(protection.IsAllowed(Option::spFormatCells));
  EXPECT_TRUE(protection.IsAllowed(Option::spSort));
  EXPECT_TRUE(protection.IsAllowed(Option::spSelectLockedCells));
  EXPECT_FALSE(protection.IsAllowed(Option::spFormatRows));
  // A shared-feature header of another kind changes nothing; a short one is a damaged file.
  TExportWorkSheetProtection other;
  OneRecord smartTags(
      Record(0x0867, Join({Word(0x0867), Bytes(10, 0), Word(3), {1}, DWord(0), Word(0xFFFF)})));
  other.ReadXLSFeatHeader(smartTags.Reader());
  EXPECT_EQ(other.Options, TExportWorkSheetProtection::kDefaultOptions);
  OneRecord truncated(Record(0x0867, Join({Word(0x0867), Bytes(4, 0)})));
  EXPECT_THROW(other.ReadXLSFeatHeader(truncated.Reader()), EWorkbookFileException);
}

TEST(SheetProtectionTest, OdsTableProtection) {
  TExportWorkSheetProtection protection;
  protection.Protected = true;
  protection.Password = u"not written";
  protection.SetAllowed(Option::spSelectLockedCells, false);
  EXPECT_EQ(WriteODS(protection),
            "<table:table><table:table-protection table:select-unprotected-cells=\"true\"/>"
            "</table:table>");
}

}  // namespace
}  // namespace workbook
