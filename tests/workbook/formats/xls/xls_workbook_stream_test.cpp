#include "workbook/formats/xls/xls_workbook_stream.h"

#include <gtest/gtest.h>

#include "biff_builder.h"
#include "compound_file_builder.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "xls_test_support.h"

using namespace workbook;
using namespace xls_test;

namespace {

// A BOF record of the given BIFF version followed by filler.
std::vector<std::uint8_t> BofStream(std::uint16_t version, std::size_t size) {
  std::vector<std::uint8_t> data = Pattern(size, 20);
  const Bytes bof = Join({Word(0x0809), Word(0x0010), Word(version)});
  std::copy(bof.begin(), bof.end(), data.begin());
  return data;
}

CompoundFile Damaged(const std::u16string& name, std::uint32_t next) {
  CompoundFile file = BuildCompoundFile({{name, BofStream(0x0600, 7000)}});
  file.SetFat(file.chains[1][0], next == 0 ? file.chains[1][0] : next);  // 0: a cycle
  return file;
}

}  // namespace

TEST(XlsWorkbookStream, TakesWorkbookBeforeBookAndABiff8BookInAnyCase) {
  for (const std::vector<TestEntry>& entries :
       {std::vector<TestEntry>{{u"Book", BofStream(0x0500, 300)},
                               {u"Workbook", BofStream(0x0600, 5000)}},
        std::vector<TestEntry>{{u"BOOK", BofStream(0x0600, 1584)}}}) {
    TMemoryStream source = BuildCompoundFile(entries).Stream();
    EXPECT_EQ(WorkbookStreamBytes(source), entries.back().data);
  }
}

TEST(XlsWorkbookStream, FailsWithTheFileError) {
  const std::string text = "Datum;Suma\n1.1.2024;10\n";
  const std::pair<std::vector<std::uint8_t>, const std::u16string*> cases[] = {
      // Excel 95, and a Book stream too damaged to tell
      {BuildCompoundFile({{u"Book", BofStream(0x0500, 7000)}}).bytes, &WorkbookLng_OldXLS},
      {Damaged(u"Book", kFree).bytes, &WorkbookLng_OldXLS},
      {std::vector<std::uint8_t>(text.begin(), text.end()), &WorkbookLng_InvalidXLS},
      {{}, &WorkbookLng_InvalidXLS},
      {BuildCompoundFile({{u"Other", Pattern(100, 1)}}).bytes, &WorkbookLng_InvalidXLS},
      {Damaged(u"Workbook", 0).bytes, &WorkbookLng_InvalidXLS}};
  for (const auto& [bytes, message] : cases) {
    TMemoryStream source(bytes);
    try {
      XLSOpenWorkbookStream(source);
      ADD_FAILURE() << "read";
    } catch (const EWorkbookFileException& e) {
      EXPECT_EQ(e.Message(), *message);
    }
  }
}
