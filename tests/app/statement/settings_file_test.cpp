#include "app/statement/settings_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/statement/errors.h"
#include "platform/text_codec.h"

using namespace app;
namespace fs = std::filesystem;

namespace {

std::string Cp(const char* utf8) { return platform::Utf8ToCp1250(utf8); }

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("settings_file_test_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    path_ = (dir_ / "settings.ini").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Write(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }
  std::string Read() const {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
  }
  // Loads the file into a fresh data object.
  TData Load(const std::string& bytes) {
    Write(bytes);
    TData data;
    LoadSettingsFile(path_, data);
    return data;
  }

  fs::path dir_;
  std::string path_;
};

// Values as a user might leave them in the settings window, every note and column distinct.
TSettingsValues SampleValues() {
  TSettingsValues v;
  v.Druh = "D";
  v.Obdobie = Cp("2. štvrťrok");
  v.Rok = "2021";
  v.PoslednyRiadok = false;
  for (std::size_t i = 0; i < v.Subject.size(); ++i) v.Subject[i] = "subject " + std::to_string(i);
  v.Subject[1] = Cp("Test subjekt s.r.o. – Žilina");
  for (TSection s : kSections) {
    v.Sheets[SectionIndex(s)] = "Sheet " + std::string(SectionName(s));
    v.Offsets[SectionIndex(s)] = std::to_string(SectionIndex(s) + 1);
  }
  for (int slot = 0; slot < kColumnKeyCount; ++slot) {
    v.Columns[slot] = std::to_string(slot + 3);
    v.Notes[slot] = Cp("Poznámka ") + std::string(kColumnKeys[slot]);
  }
  return v;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "text after the last CR LF";
  return lines;
}

}  // namespace

TEST_F(SettingsFile, MissingFileRaisesAndChangesNothing) {
  TData data;
  data.Header.Druh = "O";
  try {
    LoadSettingsFile((dir_ / "none.ini").string(), data);
    FAIL() << "no exception";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(), "File not found");
  }
  EXPECT_EQ(data.Header.Druh, "O");
  EXPECT_EQ(data.Sheets.SV2, "");
}

TEST_F(SettingsFile, WriterLayout) {
  SaveSettingsFile(path_, SampleValues());
  const std::vector<std::string> lines = Lines(Read());
  ASSERT_EQ(lines.size(), 203u);
  const std::vector<std::string> head(lines.begin(), lines.begin() + 8);
  EXPECT_EQ(head, (std::vector<std::string>{
                      "[Vseobecne nastavenia]", "Typ podania:D", "Obdobie:" + Cp("2. štvrťrok"),
                      "Rok:2021", "PoslednyRiadok:N", "[Danovy subjekt]", "ICDPH:subject 0",
                      "NazovSubjektu:" + Cp("Test subjekt s.r.o. – Žilina")}));
  EXPECT_EQ(lines[14], "Email:subject 8");
  EXPECT_EQ(lines[15], "[Nazvy harkov]");
  EXPECT_EQ(lines[16], "A1:Sheet A1");
  EXPECT_EQ(lines[27], "SV2:Sheet SV2");
  EXPECT_EQ(lines[28], "[Odsadenie]");
  EXPECT_EQ(lines[29], "A1:1");
  EXPECT_EQ(lines[40], "SV2:12");
  EXPECT_EQ(lines[41], "[Poradia stlpcov]");
  EXPECT_EQ(lines[42], "A1-Odb:3");
  EXPECT_EQ(lines[42 + 51], "C1-ONP:54");
  EXPECT_EQ(lines[42 + 52], "C1-Kopr:55");
  EXPECT_EQ(lines[42 + 14], "A2-MJ:17");
  EXPECT_EQ(lines[121], "SV2-Kopr:82");
  EXPECT_EQ(lines[122], "[Poznamky]");
  EXPECT_EQ(lines[123], Cp("A1-Odb:Poznámka A1-Odb"));
  EXPECT_EQ(lines[202], Cp("SV2-Kopr:Poznámka SV2-Kopr"));
}

TEST_F(SettingsFile, WriterTrimsAllButPeriodAndYear) {
  TSettingsValues v = SampleValues();
  v.Druh = "";
  v.Obdobie = Cp(" Máj ");
  v.Rok = " 2021";
  v.PoslednyRiadok = true;
  v.Subject[0] = " SK1234567890\t";
  v.Sheets[0] = "  A_1 ";
  v.Offsets[0] = " 7 ";
  v.Columns[0] = " 12";
  v.Notes[0] = " note ";
  SaveSettingsFile(path_, v);
  const std::vector<std::string> lines = Lines(Read());
  ASSERT_EQ(lines.size(), 202u);  // no filing-kind line
  EXPECT_EQ(lines[1], "Obdobie:" + Cp(" Máj "));
  EXPECT_EQ(lines[2], "Rok: 2021");
  EXPECT_EQ(lines[3], "PoslednyRiadok:A");
  EXPECT_EQ(lines[5], "ICDPH:SK1234567890");
  EXPECT_EQ(lines[15], "A1:A_1");
  EXPECT_EQ(lines[28], "A1:7");
  EXPECT_EQ(lines[41], "A1-Odb:12");
  EXPECT_EQ(lines[122], "A1-Odb:note");
}

TEST_F(SettingsFile, RoundTripWriterToReader) {
  const TSettingsValues written = SampleValues();
  SaveSettingsFile(path_, written);
  TData data;
  LoadSettingsFile(path_, data);
  EXPECT_EQ(data.Header.Druh, "D");
  EXPECT_EQ(data.Header.Obdobie, Cp("2. štvrťrok"));
  EXPECT_FALSE(data.Header.PoslednyRiadok);
  EXPECT_EQ(data.Subject.Email, "subject 8");
  EXPECT_EQ(data.Sheets.B31, "Sheet B31");
  EXPECT_EQ(data.Offsets.SV2, 12);
  // Keys whose spelling differs from their neighbours', read back unchanged.
  for (const char* key : {"A2-MJ", "C1-MJ", "C1-FO", "C2-FO", "C1-ONP", "C1-Kopr"})
    EXPECT_EQ(data.Order.NoteOf(key), Cp("Poznámka ") + key) << key;
  EXPECT_EQ(data.Order.ColumnOf("C1-ONP"), 54);
  EXPECT_EQ(data.Order.Column[52], 54);  // slot 53 holds C1-ONP's number

  const TSettingsValues read = SettingsValuesFromData(data);
  EXPECT_EQ(read.Druh, written.Druh);
  EXPECT_EQ(read.Obdobie, written.Obdobie);
  EXPECT_EQ(read.Rok, written.Rok);
  EXPECT_EQ(read.PoslednyRiadok, written.PoslednyRiadok);
  EXPECT_EQ(read.Subject, written.Subject);
  EXPECT_EQ(read.Sheets, written.Sheets);
  EXPECT_EQ(read.Offsets, written.Offsets);
  EXPECT_EQ(read.Columns, written.Columns);
  EXPECT_EQ(read.Notes, written.Notes);
}

TEST_F(SettingsFile, HeaderKeys) {
  struct Case {
    const char* file;
    const char* druh;
    bool last_row;
  } cases[] = {
      {"", "R", false},
      {"Typ podania:X\r\n", "R", false},
      {"Typ podania:O\r\n", "O", false},
      {"Typ podania:D\r\nTyp podania:r\r\n", "D", false},
      {"PoslednyRiadok:A\r\n", "R", true},
      {"PoslednyRiadok:a\r\n", "R", false},
      {"PoslednyRiadok:A \r\n", "R", false},
  };
  for (const auto& c : cases) {
    const TData data = Load(c.file);
    EXPECT_EQ(data.Header.Druh, c.druh) << c.file;
    EXPECT_EQ(data.Header.PoslednyRiadok, c.last_row) << c.file;
  }
}

TEST_F(SettingsFile, KeysAreExactValuesUntrimmed) {
  const TData data = Load(
      "Rok:2020\r\nrok:2021\r\nRok :2022\r\nEmail:a:b\r\nObec: Nitra \r\n"
      "Obdobie:Janu\xE1r\r\nunknown:1\r\nno colon here\r\n");
  EXPECT_EQ(data.Header.Rok, "2020");
  EXPECT_EQ(data.Subject.Email, "a:b");
  EXPECT_EQ(data.Subject.Obec, " Nitra ");
  EXPECT_EQ(data.Header.Obdobie, "Janu\xE1r");
}

TEST_F(SettingsFile, SectionLinesDecideSheetOrOffsetAndColumnOrNote) {
  const TData data = Load(
      "A1:A_1\r\nA1-Odb:4\r\n[Odsadenie]\r\nA1:3\r\nA2-F:5\r\n[Poznamky]\r\nA1-Odb:5\r\n"
      "A1:6\r\n[Nazvy harkov]\r\nB1:7\r\n");
  EXPECT_EQ(data.Sheets.A1, "A_1");
  EXPECT_EQ(data.Order.ColumnOf("A1-Odb"), 4);
  EXPECT_EQ(data.Order.ColumnOf("A2-F"), 5);
  EXPECT_EQ(data.Order.NoteOf("A1-Odb"), "5");  // a column number after [Poznamky] is a note
  EXPECT_EQ(data.Offsets.A1, 6);
  EXPECT_EQ(data.Offsets.B1, 7);  // the flags are never cleared
  EXPECT_EQ(data.Sheets.B1, "");
}

TEST_F(SettingsFile, SectionLineMustMatchWhole) {
  const TData data = Load("[Odsadenie] \r\nA1:1\r\n[odsadenie]\r\nA2:2\r\n");
  EXPECT_EQ(data.Sheets.A1, "1");
  EXPECT_EQ(data.Sheets.A2, "2");
  EXPECT_EQ(data.Offsets.A1, 0);
}

TEST_F(SettingsFile, OldSVKeys) {
  const TData data = Load(
      "SV:Harok\r\nSV1:Novy\r\nB1:x\r\nSV:Posledny\r\n[Odsadenie]\r\nSV:4\r\nSV-Odb:2\r\n"
      "SV-Z:3\r\n[Poznamky]\r\nSV-Kod:kod\r\n");
  EXPECT_EQ(data.Sheets.SV1, "Posledny");  // the later line wins
  EXPECT_EQ(data.Offsets.SV1, 4);
  EXPECT_EQ(data.Order.ColumnOf("SV1-Odb"), 2);
  EXPECT_EQ(data.Order.ColumnOf("SV1-Z"), 3);
  EXPECT_EQ(data.Order.NoteOf("SV1-Kod"), "kod");
}

TEST_F(SettingsFile, FilesWithoutSV2GetItsDefaults) {
  const TData data =
      Load("[Odsadenie]\r\nSV1:2\r\nSV2-Odb:7\r\nC1-ONP:3\r\n[Poznamky]\r\nSV2-Vr:mine\r\n");
  EXPECT_EQ(data.Offsets.SV2, 1);
  EXPECT_EQ(data.Sheets.SV2, "SV2");
  EXPECT_EQ(data.Order.ColumnOf("SV2-Odb"), 1);
  EXPECT_EQ(data.Order.ColumnOf("SV2-OdbP"), 2);
  EXPECT_EQ(data.Order.ColumnOf("SV2-Vr"), 3);
  EXPECT_EQ(data.Order.ColumnOf("SV2-Kopr"), 4);
  EXPECT_EQ(data.Order.NoteOf("SV2-Odb"), Cp("IČ DPH odberateľa"));
  EXPECT_EQ(data.Order.NoteOf("SV2-OdbP"), Cp("IČ DPH pôvodného odberateľa"));
  EXPECT_EQ(data.Order.NoteOf("SV2-Vr"), Cp("Vrátenie tovaru"));
  EXPECT_EQ(data.Order.NoteOf("SV2-Kopr"), "Oprava");
  EXPECT_EQ(data.Order.ColumnOf("C1-ONP"), 12);
  EXPECT_EQ(data.Order.ColumnOf("C2-ONP"), 9);
}

TEST_F(SettingsFile, AnSV2OffsetKeepsTheFilesValues) {
  const TData data = Load("SV2:Mine\r\n[Odsadenie]\r\nSV2:3\r\nC1-ONP:5\r\n");
  EXPECT_EQ(data.Offsets.SV2, 3);
  EXPECT_EQ(data.Sheets.SV2, "Mine");
  EXPECT_EQ(data.Order.ColumnOf("C1-ONP"), 5);
  EXPECT_EQ(data.Order.ColumnOf("SV2-Odb"), 0);
  EXPECT_EQ(data.Order.NoteOf("SV2-Odb"), "");
}

TEST_F(SettingsFile, SheetNameIsCutAndValueKeepsAThousandCharacters) {
  const std::string long_note(1500, 'n');
  const TData data =
      Load("A1:" + std::string(40, 's') + "\r\n[Poznamky]\r\nA1-F:" + long_note + "\r\n");
  EXPECT_EQ(data.Sheets.A1, std::string(31, 's'));
  EXPECT_EQ(data.Order.NoteOf("A1-F"), std::string(1000, 'n'));
}

TEST_F(SettingsFile, HugeLinesAreReadWithoutHoldingThem) {
  const TData data = Load(std::string(1 << 20, 'z') + "\r\nEmail:" + std::string(5000, 'e') +
                          "\r\n[Odsadenie]" + std::string(5000, ' ') + "\r\nA1:1\r\n");
  EXPECT_EQ(data.Subject.Email, std::string(1000, 'e'));
  EXPECT_EQ(data.Sheets.A1, "1");  // the long bracket line started no offsets part
}

TEST_F(SettingsFile, LineEndings) {
  // LF alone ends a line; a lone CR is part of it; the last line needs no ending.
  const TData data = Load("Rok:2021\nObec:Ko\rsice\r\nEmail:last");
  EXPECT_EQ(data.Header.Rok, "2021");
  EXPECT_EQ(data.Subject.Obec, "Ko\rsice");
  EXPECT_EQ(data.Subject.Email, "last");
  EXPECT_EQ(Load("Rok:2022\r").Header.Rok, "2022\r");
}

TEST_F(SettingsFile, BadIntegerStopsTheReadMidFile) {
  struct Case {
    const char* file;
    const char* message;
  } cases[] = {
      {"[Odsadenie]\r\nA1:2\r\nA2:x\r\nB1:5\r\n", "'x' is not a valid integer value"},
      {"[Odsadenie]\r\nA1:2\r\nA2:\r\nB1:5\r\n", "'' is not a valid integer value"},
      {"A1:2\r\nA1-Odb:2\r\nA2-F: 3 \r\nB1:5\r\n", "' 3 ' is not a valid integer value"},
      {"[Odsadenie]\r\nA1:2\r\nSV2:1.5\r\nB1:5\r\n", "'1.5' is not a valid integer value"},
  };
  for (const auto& c : cases) {
    Write(c.file);
    TData data;
    try {
      LoadSettingsFile(path_, data);
      ADD_FAILURE() << "no exception: " << c.file;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(data.Header.Druh, "R");
    EXPECT_EQ(data.Offsets.B1, 0) << "read past the bad line";
    EXPECT_EQ(data.Sheets.B1, "") << "read past the bad line";
    EXPECT_EQ(data.Sheets.SV2, "") << "defaults applied after the bad line";
  }
  Write("[Odsadenie]\r\nA1:2\r\nA2:x\r\n");
  TData data;
  EXPECT_THROW(LoadSettingsFile(path_, data), EConvertError);
  EXPECT_EQ(data.Offsets.A1, 2);  // lines before keep their effect
}

TEST_F(SettingsFile, IntegerFormsOfTheRunTime) {
  const TData data = Load("[Odsadenie]\r\nA1:$10\r\nA2: 3\r\nB1:-1\r\nB2:+0\r\n");
  EXPECT_EQ(data.Offsets.A1, 16);
  EXPECT_EQ(data.Offsets.A2, 3);
  EXPECT_EQ(data.Offsets.B1, -1);
  EXPECT_EQ(data.Offsets.B2, 0);
}

TEST_F(SettingsFile, WriteFailuresRaiseInOutError) {
  EXPECT_THROW(SaveSettingsFile((dir_ / "missing" / "settings.ini").string(), SampleValues()),
               EInOutError);
}

// A file-size limit makes the write fail halfway, as a disk that fills up does.
TEST_F(SettingsFile, WriteFailingHalfwayLeavesTheOldFileWhole) {
  Write("[Nazvy harkov]\r\nA1:old sheet\r\n");
  const std::string before = Read();
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 512;  // the new file is several kilobytes
  const auto handler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string message = "no exception";
  try {
    SaveSettingsFile(path_, SampleValues());
  } catch (const EInOutError& e) {
    message = e.Message();
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, handler);

  EXPECT_EQ(message, "Disk full");
  EXPECT_EQ(Read(), before);
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(dir_)) left.push_back(entry.path().filename());
  EXPECT_EQ(left, std::vector<std::string>{"settings.ini"}) << "the half-written file is left";
}
