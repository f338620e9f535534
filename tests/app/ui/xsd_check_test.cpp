// The hidden XSD check of a saved statement on both roads: the in-process schema validation, and
// the external validator run through the console.
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <fstream>

#include "app/statement/data.h"
#include "app/statement/xsd_check.h"
#include "app_fixture.h"
#include "platform/console_runner.h"

namespace app::test {
namespace {

const std::string kValid =
    "[None] Výsledok kontroly XML: Overenie podľa schémy XSD prebehlo bez chýb.";
const std::string kInvalid =
    "[None] Výsledok kontroly XML: Overenie podľa schémy XSD prebehlo s chybami.\r\n\r\nVýpis "
    "chýb:\r\n\r\n";

class XsdCheckTest : public AppTest {
 protected:
  // Imports the goldens' statement and writes it in the format into folder/name.xml.
  void ExportStatement(QRadioButton* TMainApp::*format, const std::string& folder,
                       const std::string& name = "kv") {
    Start(GoldenSettings());
    (main_.get()->*format)->click();
    Import("book.xlsx", GoldenWorkbook());
    std::filesystem::create_directories(dir_ / folder);
    Choose(main_->Export1Btn, Path(folder + "/" + name));
    TakeBoxes();
  }
  // The authority's schema copied into a folder of the test; false when it is not there.
  bool CopySchema(const std::string& xsd, const std::filesystem::path& folder) {
    const std::filesystem::path source = std::filesystem::path(SHARED_DIR) / "authority" / xsd;
    if (!std::filesystem::exists(source)) return false;
    std::filesystem::copy_file(source, folder / xsd,
                               std::filesystem::copy_options::overwrite_existing);
    return true;
  }
  void CheckFile(const std::string& path) { Choose(main_->Button5, path); }
};

// The export is valid, and the same file with a filing kind the schema lacks is not.
TEST_F(XsdCheckTest, InProcessRoadJudgesTheExport) {
  const std::pair<QRadioButton * TMainApp::*, const char*> cases[] = {
      {&TMainApp::RadioButton5, "kv_dph_2014.xsd"}, {&TMainApp::RadioButton6, "kv_dph_2016.xsd"}};
  for (const auto& [format, xsd] : cases) {
    SCOPED_TRACE(xsd);
    // The next case starts the program afresh from the test's folder.
    std::filesystem::current_path(dir_);
    Data = TData();
    KVDPH = TKVDPH();
    ExportStatement(format, "statements");
    // The schema is read from the start-up folder, though the open dialog makes another current.
    if (!CopySchema(xsd, dir_))
      GTEST_SKIP() << "the tax authority's schemas are not at " << SHARED_DIR << "/authority";
    CheckFile(Path("statements/kv.xml"));
    EXPECT_EQ(std::filesystem::current_path(), dir_ / "statements");
    EXPECT_EQ(TakeBoxes(), kValid);
    EXPECT_EQ(dialogs_.Calls.back().Filter, u"XML súbory (*.xml)|*.xml");

    std::string document = ReadFileBytes(Path("statements/kv.xml"));
    document.replace(document.find("<Druh>R</Druh>"), 14, "<Druh>Q</Druh>");
    std::ofstream(Path("statements/bad.xml"), std::ios::binary) << document;
    CheckFile(Path("statements/bad.xml"));
    const std::string text = TakeBoxes();
    EXPECT_TRUE(text.starts_with(kInvalid)) << text;
    EXPECT_GT(text.size(), kInvalid.size());
  }
}

TEST_F(XsdCheckTest, InProcessRoadWithoutTheSchemaIsShownAsAFailure) {
  Start(PlainSettings());
  std::ofstream(Path("kv.xml")) << "<KVDPH_2021/>";
  CheckFile(Path("kv.xml"));
  EXPECT_TRUE(TakeBoxes().starts_with("[Stop] KVDPH: "));
}

class ValidatorRoad : public XsdCheckTest {
 protected:
  void SetUp() override {
    XsdCheckTest::SetUp();
    os_ = std::make_unique<platform::TScriptedOsVersion>(false);
    platform::Services().OsVersion = os_.get();
  }
};

TEST_F(ValidatorRoad, RunsXmlstarletInTheStartupFolderAndJudgesItsOutput) {
  Start(PlainSettings());
  main_->RadioButton6->click();
  std::filesystem::create_directory(dir_ / "my files");
  const std::string file = Path("my files/kv 1.xml");

  console_.Output = file + " - valid\n";
  CheckFile(file);
  ASSERT_EQ(console_.Runs.size(), 1u);
  EXPECT_EQ(console_.Runs[0].Arguments,
            (std::vector<std::string>{"xmlstarlet", "val", "-e", "-s", "kv_dph_2016.xsd", file}));
  EXPECT_EQ(console_.Runs[0].Folder, dir_.string() + "/");
  EXPECT_EQ(std::filesystem::current_path(), dir_);
  EXPECT_EQ(TakeBoxes(), kValid);

  console_.Output = file + ":3.5: Element 'Druh': not valid.\n" + file + " - invalid\n";
  CheckFile(file);
  EXPECT_EQ(TakeBoxes(), kInvalid + console_.Output);

  // Output that does not judge the file by its full name shows nothing.
  for (const char* output : {"sh: 1: xmlstarlet: not found\n", "my files/kv 1.xml - valid\n"}) {
    console_.Output = output;
    CheckFile(file);
    EXPECT_EQ(TakeBoxes(), "") << output;
  }
}

// The real validator's verdict line read as the program reads it, on a name with blanks (the
// scripted road above checks an invalid file's output).
TEST_F(ValidatorRoad, RealXmlstarletOnTheExport) {
  if (!std::filesystem::exists("/usr/bin/xmlstarlet"))
    GTEST_SKIP() << "xmlstarlet is not installed";
  const std::string name = "kv 1";
  ExportStatement(&TMainApp::RadioButton5, "out", name);
  if (!CopySchema("kv_dph_2014.xsd", dir_))
    GTEST_SKIP() << "the tax authority's schemas are not at " << SHARED_DIR << "/authority";
  platform::TConsoleRunner runner;
  platform::Services().Console = &runner;

  CheckFile(Path("out/" + name + ".xml"));
  EXPECT_EQ(TakeBoxes(), kValid);
}

}  // namespace
}  // namespace app::test
