#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

#include "workbook/core/exceptions.h"
#include "workbook/formats/text/recent_texts.h"
#include "workbook/formats/text/text_exporter.h"
#include "workbook/formats/text/text_test_support.h"
#include "workbook/model/cell_number.h"
#include "workbook/model/cell_string.h"

namespace workbook {
namespace {

struct TImportCase {
  const char* name;
  std::string input;
  TSheetTexts rows;
};

// Read with "CSV comma-separated text".
const TImportCase kCommaCases[] = {
    {"empty middle field", "a,,b", {{u"a", u"", u"b"}}},
    {"separator ends the line", "a,b,\r\nc", {{u"a", u"b"}, {u"c"}}},
    {"quoted separator", "\"a,b\",c", {{u"a,b", u"c"}}},
    {"doubled quotes", "\"say \"\"hi\"\"\",x", {{u"say \"hi\"", u"x"}}},
    {"only a doubled quote", "\"\"\"\"", {{u"\""}}},
    {"quoted CR LF", "\"a\r\nb\",c\r\nd", {{u"a\r\nb", u"c"}, {u"d"}}},
    {"quoted LF becomes CR LF", "\"a\nb\"", {{u"a\r\nb"}}},
    {"quoted CR becomes CR LF", "\"a\rb\"", {{u"a\r\nb"}}},
    {"quoted breaks next to the quotes", "\"\n\r\",\"\r\"", {{u"\r\n\r\n", u"\r\n"}}},
    {"LF lines", "a\nb\n", {{u"a"}, {u"b"}}},
    {"CR lines", "a\rb\r", {{u"a"}, {u"b"}}},
    {"CR LF is one break", "a\r\n\r\nb", {{u"a"}, {}, {u"b"}}},
    {"LF CR is two breaks", "a\n\rb", {{u"a"}, {}, {u"b"}}},
    {"line separator character", "a\xE2\x80\xA8\x62", {{u"a"}, {u"b"}}},
    {"empty lines in the middle stay", "a\r\n\r\n\r\nb", {{u"a"}, {}, {}, {u"b"}}},
    {"trailing empty lines leave no rows", "a\r\n\r\n\r\n", {{u"a"}}},
    {"blanks around unquoted fields", "  a b \t, c ", {{u"a b", u"c"}}},
    {"blanks inside quotes stay", " \" a \" ,b", {{u" a ", u"b"}}},
    {"quoted empty field is an empty cell", "\"\",a", {{u"", u"a"}}},
    {"trailing empty cells go", "a,\"\",,", {{u"a"}}},
    {"quote inside an unquoted field", "a\"b,c", {{u"a\"b", u"c"}}},
    {"text after the closing quote is kept", "\"ab\"cd,e", {{u"abcd", u"e"}}},
    {"blanks after the closing quote", "\"a\" , \"b\" \r\nc", {{u"a", u"b"}, {u"c"}}},
    {"unterminated quote keeps the rest", "x,\"ab\r\ncd,e", {{u"x", u"ab\r\ncd,e"}}},
    {"quote closing at the end of the text", "x,\"ab\"", {{u"x", u"ab"}}},
    {"nul is a character", std::string("a\0b,c", 5), {{std::u16string(u"a\0b", 3), u"c"}}},
    {"invalid utf-8 is replaced", "a\xFF,b", {{u"a\uFFFD", u"b"}}},
    {"utf-8 mark is passed over", "\xEF\xBB\xBF\x61,b", {{u"a", u"b"}}},
    {"empty text", "", {}},
};

TEST_F(TextFormatsTest, CommaImportReadsTheExpectedCells) {
  for (const TImportCase& c : kCommaCases) {
    TExporterCSVComma comma;
    EXPECT_EQ(Import(comma, c.input), c.rows) << c.name;
  }
}

// Empty fields are empty cells, texts string cells; with the switch, plain numbers number cells.
TEST_F(TextFormatsTest, CellClassesOfTheFields) {
  using C = TCellClass;
  auto classes = [&](bool detect, const std::string& text) {
    TExporterCSVComma comma;
    comma.DetectNumbers = detect;
    Import(comma, text);
    TExportRow& row = *Book().WorkSheets.GetItem(0)->Rows.GetItem(0);
    std::vector<C> found;
    for (int c = 0; c < row.Cells.Count(); ++c) found.push_back(row.Cells.GetItem(c)->CellClass());
    return found;
  };
  EXPECT_EQ(classes(false, "1.5,,b"), (std::vector<C>{C::String, C::Empty, C::String}));
  EXPECT_EQ(classes(true, "1.5,\" 1.5\",-2e3,1.5x,\"7\""),
            (std::vector<C>{C::Number, C::String, C::Number, C::String, C::Number}));
  EXPECT_DOUBLE_EQ(static_cast<TExportCellNumber*>(Book().WorkSheets[0]->Rows[0]->Cells[2])->Value,
                   -2000);
  // Every character a number can start with.
  EXPECT_EQ(classes(true, "+1,.5,\",5\",x1,e1"),
            (std::vector<C>{C::Number, C::Number, C::Number, C::String, C::String}));
}

// The other handlers and the comma handler's switches.
TEST_F(TextFormatsTest, HandlersAndSwitchesSplitAsTheySay) {
  TExporterSSV ssv;  // at tabs, not at blanks
  EXPECT_EQ(Import(ssv, "a b\tc d\r\n"), (TSheetTexts{{u"a b", u"c d"}}));
  TExporterTSV tsv;
  EXPECT_EQ(Import(tsv, "a\t\tb\t\"c\td\""), (TSheetTexts{{u"a", u"", u"b", u"c\td"}}));
  TExporterCSVSemicolon semicolon;
  EXPECT_EQ(Import(semicolon, "1,5;2"), (TSheetTexts{{u"1,5", u"2"}}));
  TExporterCSVComma comment;
  comment.CommentChar = u'#';  // comment lines are skipped whole
  EXPECT_EQ(Import(comment, "#note,x\r\na,b\r\n#more\nc"), (TSheetTexts{{u"a", u"b"}, {u"c"}}));
  TExporterCSVComma untrimmed;
  untrimmed.TrimValues = false;
  EXPECT_EQ(Import(untrimmed, " a ,\"b\" "), (TSheetTexts{{u" a ", u"b "}}));
}

TEST_F(TextFormatsTest, CsvForExcelReadsTheCodePageWithTheListSeparator) {
  platform::FormatSettings().ListSeparator = u';';
  TExporterCSVExcel excel;
  // c, s and z with caron in Windows-1250.
  EXPECT_EQ(Import(excel, "\xE8;\x9A,\x9E"), (TSheetTexts{{u"\u010D", u"\u0161,\u017E"}}));
  // A UTF-8 file with its mark is read as UTF-8, not as the code page.
  EXPECT_EQ(Import(excel, "\xEF\xBB\xBF\xC4\x8D;x"), (TSheetTexts{{u"\u010D", u"x"}}));
}

TEST_F(TextFormatsTest, ASheetTheCallerDeclinesStaysEmpty) {
  Book().ReadRowsByEvent = true;
  Book().OnBeforeWorkSheetRead = [](TWorkbook&, TExportWorkSheet&, bool& read) { read = false; };
  TExporterCSVComma comma;
  EXPECT_EQ(Import(comma, "a,b\r\nc"), TSheetTexts{});
}

TEST_F(TextFormatsTest, RowsAreHandedOverAsTheyAreRead) {
  std::vector<TSheetTexts::value_type> seen;
  Book().ReadRowsByEvent = true;
  Book().OnRowRead = [&](TWorkbook&, TExportWorkSheet&, TExportRow& row) {
    seen.emplace_back();
    for (int c = 0; c < row.Cells.Count(); ++c)
      seen.back().push_back(row.Cells.GetItem(c)->GetValueText());
  };
  TExporterCSVComma comma;
  // The repeated texts outlive the rows handed over before.
  Import(comma, "a,,\r\nb,c\r\nb,c\r\nb,c");
  EXPECT_EQ(seen, (TSheetTexts{{u"a"}, {u"b", u"c"}, {u"b", u"c"}, {u"b", u"c"}}));
}

TEST_F(TextFormatsTest, MoreColumnsOrRowsThanASheetHoldsIsAFileError) {
  TExporterCSVComma comma;
  const std::string rows(1048576, '\n');
  const struct {
    std::string fits, tooMuch;
    std::u16string message;
  } kCases[] = {
      {std::string(16383, ',') + "x", "a\r\n" + std::string(16384, ',') + "x",
       u"Row 2 of the file has more columns than a worksheet can hold (16384)."},
      {rows.substr(1) + "x", rows + "x",
       u"The file has more rows than a worksheet can hold (1048576)."},
  };
  for (const auto& c : kCases) {
    EXPECT_NO_THROW(Import(comma, c.fits));
    try {
      Import(comma, c.tooMuch);
      ADD_FAILURE() << "no exception";
    } catch (const EWorkbookFileException& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

TEST_F(TextFormatsTest, AHugeQuotedFieldIsReadWhole) {
  TExporterCSVComma comma;
  std::string big(3'000'000, 'x');
  big[2'000'000] = '\n';
  const TSheetTexts rows = Import(comma, "\"" + big + "\",y");
  ASSERT_EQ(rows.size(), 1u);
  ASSERT_EQ(rows[0].size(), 2u);
  EXPECT_EQ(rows[0][0].size(), big.size() + 1);
  EXPECT_EQ(rows[0][0].substr(1'999'999, 4), u"x\r\nx");
  EXPECT_EQ(rows[0][1], u"y");
  EXPECT_TRUE(Book().WorkSheets[0]->Rows[0]->Cells[0]->GetStyle().GetWrapText());
}

TEST_F(TextFormatsTest, AFieldBeyondTheTextBudgetIsAFileError) {
  const std::string big(600'000, 'x');
  for (const std::string& text : {"a,\"" + big + "\"", "a," + big}) {
    Book().LoadLimits = {1000, 1 << 20};
    TExporterCSVComma comma;
    try {
      Import(comma, text);
      ADD_FAILURE() << "no exception";
    } catch (const EWorkbookFileException& e) {
      EXPECT_EQ(std::string(e.what()),
                "The file is too large to load: its texts take more than 1 MB.");
    }
  }
}

// Fields are scanned in runs over the reader's pieces of 16,384 characters: whatever falls on the
// border between two pieces (a doubled quote, a break inside quotes, CR and its LF, a letter of
// two bytes, the line separator) reads as it does inside a piece.
TEST_F(TextFormatsTest, PieceBordersChangeNoField) {
  const std::string kTails[] = {
      ",\"a\"\"b\",c\r\nd",     ",\"q\r\nr\",s\r\nt", "\r\nsecond,row\r\n",
      ",\xC4\x8D\xC5\xA1,z",    ",\"\",\"\"\"\"\n,x", "\r",
      ",\xE2\x80\xA8next,\"\"", ",  blank  ,\"x\"",
  };
  for (const std::string& tail : kTails) {
    TExporterCSVComma comma;
    TSheetTexts expected = Import(comma, "p" + tail);
    for (std::size_t shift = 16'378; shift <= 16'390; ++shift) {
      expected[0][0] = std::u16string(shift, u'p');  // every tail ends the first field
      TExporterCSVComma again;
      EXPECT_EQ(Import(again, std::string(shift, 'p') + tail), expected) << tail << " " << shift;
    }
  }
}

// A text repeated down a column is held once; the cells keep their texts whatever comes after.
TEST_F(TextFormatsTest, RepeatedTextsOfAColumnShareTheirCharacters) {
  TExporterCSVComma comma;
  std::string text;
  TSheetTexts expected;
  for (int r = 0; r < 300; ++r) {
    const std::string unique = "u" + std::to_string(r * 7919);
    text += "2024-01-31," + unique + ",\"" + std::string(40, 'L') + "\"\r\n";
    expected.push_back(
        {u"2024-01-31", std::u16string(unique.begin(), unique.end()), std::u16string(40, u'L')});
  }
  EXPECT_EQ(Import(comma, text), expected);
  TExportWorkSheet& sheet = *Book().WorkSheets[0];
  auto chars = [&](int row, int col) {
    return static_cast<TExportCellString*>(sheet.Rows[row]->Cells[col])
        ->GetValueShared()
        .Identity();
  };
  EXPECT_EQ(chars(0, 0), chars(299, 0));
  EXPECT_NE(chars(0, 1), chars(1, 1));
}

// Texts repeated down a column in any order, a few or thousands of them, are held once each as
// soon as the column's table has grown; texts too long to keep are the cells' own; every cell
// holds the text of the file.
TEST_F(TextFormatsTest, RepeatedTextsShareWhateverTheirNumber) {
  struct TColumn {
    const char* name;
    int distinct;  // 0: every row its own
    std::size_t length;
  };
  const TColumn columns[] = {{"rate", 3, 2},
                             {"partner", 2000, 24},
                             {"invoice", 0, 12},
                             {"longest kept", 500, TRecentTexts::kMaxLength},
                             {"too long to keep", 500, TRecentTexts::kMaxLength + 1}};
  constexpr int kRows = 12'000;
  std::minstd_rand random(5);
  std::string text;
  TSheetTexts expected(kRows);
  for (int r = 0; r < kRows; ++r) {
    for (const TColumn& column : columns) {
      const std::string n = std::to_string(column.distinct ? random() % column.distinct : r);
      const std::string value = std::string(column.length - n.size(), 'P') + n;
      text += (&column == columns ? "" : ",") + value;
      expected[r].emplace_back(value.begin(), value.end());
    }
    text += "\r\n";
  }
  TExporterCSVComma comma;
  ASSERT_EQ(Import(comma, text), expected);
  TExportWorkSheet& sheet = *Book().WorkSheets[0];
  for (int col = 0; col < 5; ++col) {
    SCOPED_TRACE(columns[col].name);
    std::map<std::u16string, const void*> first;
    for (int r = 4 * static_cast<int>(TRecentTexts::kReview); r < kRows; ++r) {
      const void* chars =
          static_cast<TExportCellString*>(sheet.Rows[r]->Cells[col])->GetValueShared().Identity();
      const auto [met, added] = first.emplace(expected[r][col], chars);
      if (!added) {
        ASSERT_EQ(met->second == chars, col != 4) << r;
      }
    }
  }
}

TEST_F(TextFormatsTest, ProgressStagesOfAnImport) {
  std::vector<int> stages;
  Book().OnProgress = [&](TWorkbook&, int stage, long long, long long) { stages.push_back(stage); };
  TExporterCSVComma comma;
  std::string many;
  for (int i = 0; i < 2000; ++i) many += "1,2,3,4,5,6\r\n";
  Import(comma, many);
  EXPECT_EQ(stages, (std::vector<int>{wpsStart, wpsLoading, wpsWorkSheet, wpsRows, wpsRows,
                                      wpsWorkSheet, wpsDone}));
}

}  // namespace
}  // namespace workbook
