// The VAT-ID check from the main window: the wait window around the scan, the event pump after
// every record, the report box.
#include <QPushButton>
#include <QTest>
#include <fstream>

#include "app/statement/data.h"
#include "app_fixture.h"

namespace app::test {
namespace {

class VATCheckTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Start(GoldenSettings());
    Import("book.xlsx", GoldenWorkbook());
  }
  void WriteList(const std::string& name,
                 const std::string& text =
                     "ZoznamSubjektovRegistrovanychkDPH 01.03.2021\r\n"
                     "IC_DPH;NAZOV\r\nSK1234567890;A\r\nSK4444444444;B\r\n") {
    std::ofstream(Path(name), std::ios::binary) << text;
  }
  void Check(const std::string& name) { Choose(main_->VATcheckBtn, Path(name)); }
};

// The check handles the window's events after every record it reads; clicks meanwhile must not
// start another command (an import would free the records the check is reading). The report
// (whose text the statement tests check) is shown when the wait window has gone.
TEST_F(VATCheckTest, ClicksDuringTheScanStartNothing) {
  main_->show();
  WriteList("register.csv");
  files_.Books[Path("other.xlsx")] = {};
  dialogs_.Answer(Path("register.csv"));
  dialogs_.Answer(Path("other.xlsx"));
  bool disabledMeanwhile = true;
  pump_.User = [&] {
    disabledMeanwhile = disabledMeanwhile && !main_->isEnabled();
    for (QPushButton* button : {main_->LoadBtn, main_->VATcheckBtn, main_->Export1Btn})
      QTest::mouseClick(button, Qt::LeftButton);
  };
  QTest::mouseClick(main_->VATcheckBtn, Qt::LeftButton);
  pump_.User = nullptr;

  EXPECT_TRUE(disabledMeanwhile);
  EXPECT_EQ(pump_.Calls, 9);            // A1 2, A2 2, B2 2, B32 1, C1 2
  EXPECT_EQ(files_.Loaded.size(), 1u);  // the first import only
  EXPECT_EQ(dialogs_.Calls.size(), 2u);
  EXPECT_EQ(dialogs_.Calls.back().Filter, u"CSV súbory (*.csv)|*.csv");
  const std::string box = TakeBoxes();
  EXPECT_TRUE(box.starts_with("[None] Výsledok kontroly IČ DPH: ")) << box;
  EXPECT_TRUE(box.ends_with("B32: SK8888888888\r\n\r\nPočet neplatných IČ DPH: 4")) << box;
  EXPECT_FALSE(wait_->isVisible());
  EXPECT_TRUE(main_->isEnabled());
  EXPECT_EQ(Data.RowsA1.size(), 2u);
}

TEST_F(VATCheckTest, UnknownListKindShowsNothing) {
  WriteList("other.csv", "something else\r\nSK1234567890\r\n");
  Check("other.csv");
  EXPECT_EQ(TakeBoxes(), "");
  EXPECT_EQ(pump_.Calls, 0);
}

// A list that stops the check, and a file that is not there.
TEST_F(VATCheckTest, FailuresAreShownAndTheWaitWindowIsNotLeftOpen) {
  WriteList("broken.csv", "zoznamplatitelovdph_osobitnau\r\nSKabcdefghij;x\r\n");
  for (const char* name : {"broken.csv", "missing.csv"}) {
    Check(name);
    EXPECT_TRUE(TakeBoxes().starts_with("[Stop] KVDPH: ")) << name;
    EXPECT_FALSE(wait_->isVisible());
  }
}

}  // namespace
}  // namespace app::test
