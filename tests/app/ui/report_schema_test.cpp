// Reports written from imported workbooks against the tax authority's schemas: every date and
// amount form the import accepts goes out in a form the schemas take, and what cannot is refused
// at the import with its row named.
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <ctime>
#include <regex>

#include "app/statement/data.h"
#include "app/statement/schema_check.h"
#include "app_fixture.h"

namespace app::test {
namespace {

// The first group of every match of the pattern, in document order.
std::vector<std::string> Captured(const std::string& document, const std::string& pattern) {
  const std::regex regex(pattern);
  std::vector<std::string> values;
  for (auto it = std::sregex_iterator(document.begin(), document.end(), regex);
       it != std::sregex_iterator(); ++it)
    values.push_back((*it)[1]);
  return values;
}
std::vector<std::string> Attributes(const std::string& document, const std::string& name) {
  return Captured(document, " " + name + "=\"([^\"]*)\"");
}
std::vector<std::string> CdataElements(const std::string& document, const std::string& name) {
  return Captured(document, "<" + name + "><!\\[CDATA\\[([^\\]]*)\\]\\]>");
}

class ReportSchemas : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    authority_ = AuthorityDir();
    if (authority_.empty())
      GTEST_SKIP() << "the tax authority's schemas are not at " << SHARED_DIR
                   << "/authority; schema checks skipped";
  }

  // Imports the sheets with the choices clicked first, as a user makes them.
  void ImportWith(std::initializer_list<QRadioButton * TMainApp::*> choices,
                  const std::vector<TFakeSheet>& sheets) {
    Data = TData();
    KVDPH = TKVDPH();
    std::filesystem::current_path(dir_);
    Start(PlainSettings());
    for (auto radio : choices) (main_.get()->*radio)->click();
    Import("book.xlsx", sheets);
  }

  // The report the button writes, after checking it against the schema.
  std::string ExportValid(QPushButton* button, const char* schema) {
    std::filesystem::current_path(dir_);
    std::filesystem::remove(Path("report.xml"));
    Choose(button, Path("report"));
    EXPECT_EQ(TakeBoxes().find("[Stop]"), std::string::npos);
    const std::string document = ReadFileBytes(Path("report.xml"));
    const auto violations = SchemaViolations(authority_ + "/" + schema, document);
    EXPECT_TRUE(violations.empty()) << schema << "\n" << DescribeViolations(violations) << document;
    return document;
  }

  std::string authority_;
};

struct TKVChoice {
  QRadioButton* TMainApp::*Radio;
  const char* Schema;
};
const TKVChoice kKVFormats[] = {{&TMainApp::RadioButton5, "kv_dph_2014.xsd"},
                                {&TMainApp::RadioButton6, "kv_dph_2016.xsd"}};

// Every date form the check takes goes out as the date it denotes, yyyy-mm-dd.
TEST_F(ReportSchemas, DatesGoOutAsIsoDates) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const std::string year = std::to_string(local.tm_year + 1900);
  const std::vector<std::pair<std::string, std::string>> dates = {
      {"2014-1-4", "2014-01-04"},    {"14-1-4", "2014-01-04"},      {"1-4", year + "-01-04"},
      {"2014-01-17 ", "2014-01-17"}, {"2014-01-17-", "2014-01-17"}, {"0214-1-4", "0214-01-04"},
      {"2016-02-29", "2016-02-29"}};
  TFakeSheet a1{"A1", {{"h"}}}, a2{"A2", {{"h"}}}, b1{"B1", {{"h"}}}, b2{"B2", {{"h"}}};
  std::vector<std::string> expected;
  for (const auto& [text, date] : dates) {
    a1.Rows.push_back({"", "F", text, "100", "20", "20"});
    a2.Rows.push_back({"SK1234567890", "F", text, "100"});
    b1.Rows.push_back({"", "F", text, "100", "20", "20", "20"});
    b2.Rows.push_back({"SK1234567890", "F", text, "100", "20", "20", "20"});
  }
  for (int section = 0; section < 4; ++section)
    for (const auto& [text, date] : dates) expected.push_back(date);

  for (const TKVChoice& format : kKVFormats) {
    SCOPED_TRACE(format.Schema);
    ImportWith({format.Radio}, {a1, a2, b1, b2});
    ASSERT_TRUE(Lines(main_->LogBox).empty()) << Lines(main_->LogBox).front().toStdString();
    TakeBoxes();
    EXPECT_EQ(Attributes(ExportValid(main_->Export1Btn, format.Schema), "Den"), expected);
  }
}

// Amounts and quantities go out as plain decimals to the cent in every rounding mode: never an
// exponent, never cut to 15 digits, the ordinary ones as they always looked.
TEST_F(ReportSchemas, AmountsGoOutAsPlainDecimals) {
  const std::vector<std::pair<std::string, std::string>> amounts = {
      {"165357.30", "165357.3"},      {"1E15", "1000000000000000"},
      {"-1e15", "-1000000000000000"}, {"12345678901234.56", "12345678901234.56"},
      {"2,5E14", "250000000000000"},  {"9999999999999998", "9999999999999998"}};
  TFakeSheet a1{"A1", {{"h"}}}, a2{"A2", {{"h"}}}, d1{"D1", {{"h"}}};
  std::vector<std::string> expected;
  for (const auto& [text, amount] : amounts) {
    a1.Rows.push_back({"", "F", "2021-03-01", text, text, "20"});
    a2.Rows.push_back({"SK1234567890", "F", "2021-03-01", text, "", "", text, "kg"});
    expected.push_back(amount);
  }
  d1.Rows.push_back({amounts[1].first, "1", "0.2", "0", "0"});
  std::vector<std::string> z = expected, d = expected;
  z.insert(z.end(), expected.begin(), expected.end());
  z.push_back("1");
  d.push_back("0.2");

  const std::pair<const char*, QRadioButton * TMainApp::*> roundings[] = {
      {"none", &TMainApp::RadioButton1},
      {"arithmetic", &TMainApp::RadioButton2},
      {"down", &TMainApp::RadioButton3},
      {"up", &TMainApp::RadioButton4}};
  for (const auto& [rounding, roundingRadio] : roundings) {
    for (const TKVChoice& format : kKVFormats) {
      SCOPED_TRACE(std::string(format.Schema) + ", rounding " + rounding);
      ImportWith({roundingRadio, format.Radio}, {a1, a2, d1});
      ASSERT_TRUE(Lines(main_->LogBox).empty()) << Lines(main_->LogBox).front().toStdString();
      TakeBoxes();
      const std::string document = ExportValid(main_->Export1Btn, format.Schema);
      EXPECT_EQ(Attributes(document, "Z"), z);
      EXPECT_EQ(Attributes(document, "D"), d);
      EXPECT_EQ(Attributes(document, "Mn"), expected);
      EXPECT_EQ(Attributes(document, "SumaObratov"), std::vector<std::string>{expected[1]});
    }
  }
}

// Amounts too large for the 18 digits a schema processor must read are import errors of their
// rows, in the statement and the EC sales list alike.
TEST_F(ReportSchemas, AmountsTooLargeForTheReportsAreErrorsOfTheirRows) {
  ImportWith({}, {TFakeSheet{"A1",
                             {{"h"},
                              {"", "F", "2021-03-01", "1.5E308", "1", "20"},
                              {"", "F", "2021-03-01", "1", "-1E16", "20"},
                              {"", "F", "2021-03-01", "9999999999999998", "1", "20"}}},
                  TFakeSheet{"SV1", {{"h"}, {"CZ12345678", "1E20", ""}}}});
  EXPECT_EQ(Lines(main_->LogBox), (std::vector<QString>{
                                      U("Neplatný údaj Z v riadku č.2 v sekcií A1"),
                                      U("Neplatný údaj D v riadku č.3 v sekcií A1"),
                                      U("Neplatný údaj Z v riadku č.2 v sekcií SV1"),
                                  }));
}

// The EC sales list's amounts and their total, whole euros of any size the import takes.
TEST_F(ReportSchemas, EcSalesListAmountsGoOutAsPlainDecimals) {
  ImportWith({&TMainApp::RadioButton8}, {TFakeSheet{"SV1",
                                                    {{"h"},
                                                     {"CZ12345678", "1E15", ""},
                                                     {"DE123456789", "250", "2"},
                                                     {"AT12345678", "1.2345678901234E13", ""}}}});
  ASSERT_TRUE(Lines(main_->LogBox).empty()) << Lines(main_->LogBox).front().toStdString();
  TakeBoxes();
  const std::string document = ExportValid(main_->Export2Btn, "svdph2010.xsd");
  EXPECT_EQ(CdataElements(document, "hodnota"),
            (std::vector<std::string>{"1000000000000000", "250", "12345678901234"}));
  EXPECT_EQ(CdataElements(document, "celkovaHodnota"),
            std::vector<std::string>{"1012345678901484"});
}

}  // namespace
}  // namespace app::test
