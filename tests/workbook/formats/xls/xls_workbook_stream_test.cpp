#include "workbook/formats/xls/xls_workbook_stream.h"

#include <gtest/gtest.h>

#include "compound_file_builder.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"

using namespace workbook;
using namespace xls_test;

namespace {

// A BOF record of the given BIFF version followed by filler.
std::vector<std::uint8_t> BofStream(std::uint16_t version, std::size_t size) {
  std::vector<std::uint8_t> data = Pattern(size, 20);
  const std::uint8_t bof[] = {0x09,
                              0x08,
                              0x10,
                              0x00,
                              static_cast<std::uint8_t>(version & 0xFF),
                              static_cast<std::uint8_t>(version >> 8)};
  std::copy(std::begin(bof), std::end(bof), data.begin());
  return data;
}

std::u16string FailureOf(const std::vector<std::uint8_t>& bytes) {
  TMemoryStream source(bytes);
  TMemoryStream target;
  try {
    XLSReadWorkbookStream(source, target);
  } catch (const EWorkbookFileException& e) {
    EXPECT_EQ(target.Size(), 0);
    return e.Message();
  }
  return u"";
}

}  // namespace

TEST(XlsWorkbookStream, TakesTheWorkbookStreamBeforeABookStream) {
  const std::vector<std::uint8_t> workbook = BofStream(0x0600, 5000);
  CompoundFile file =
      BuildCompoundFile({{u"Book", BofStream(0x0500, 300)}, {u"Workbook", workbook}});
  TMemoryStream source = file.Stream();
  TMemoryStream target;
  XLSReadWorkbookStream(source, target);
  EXPECT_EQ(target.Data(), workbook);
}

TEST(XlsWorkbookStream, TakesABiff8StreamNamedBook) {
  const std::vector<std::uint8_t> book = BofStream(0x0600, 1584);
  CompoundFile file = BuildCompoundFile({{u"BOOK", book}});
  TMemoryStream source = file.Stream();
  TMemoryStream target;
  XLSReadWorkbookStream(source, target);
  EXPECT_EQ(target.Data(), book);
}

TEST(XlsWorkbookStream, ReportsExcel95FilesAsOldFormat) {
  EXPECT_EQ(FailureOf(BuildCompoundFile({{u"Book", BofStream(0x0500, 7000)}}).bytes),
            WorkbookLng_OldXLS);
  CompoundFile damaged = BuildCompoundFile({{u"Book", BofStream(0x0600, 7000)}});
  damaged.SetFat(damaged.chains[1][0], kFree);
  EXPECT_EQ(FailureOf(damaged.bytes), WorkbookLng_OldXLS);
}

TEST(XlsWorkbookStream, ReportsAnythingElseAsInvalid) {
  const std::string text = "Datum;Suma\n1.1.2024;10\n";
  EXPECT_EQ(FailureOf(std::vector<std::uint8_t>(text.begin(), text.end())), WorkbookLng_InvalidXLS);
  EXPECT_EQ(FailureOf({}), WorkbookLng_InvalidXLS);
  EXPECT_EQ(FailureOf(BuildCompoundFile({{u"Other", Pattern(100, 1)}}).bytes),
            WorkbookLng_InvalidXLS);
  CompoundFile damaged = BuildCompoundFile({{u"Workbook", BofStream(0x0600, 7000)}});
  damaged.SetFat(damaged.chains[1][0], damaged.chains[1][0]);
  EXPECT_EQ(FailureOf(damaged.bytes), WorkbookLng_InvalidXLS);
}
