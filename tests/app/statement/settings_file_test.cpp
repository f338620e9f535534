#include "app/statement/settings_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/statement/errors.h"
#include "statement_fixture.h"

using namespace app;
using namespace app::test;
namespace fs = std::filesystem;

namespace {

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = TestFolder();
    path_ = (dir_ / "settings.ini").string();
  }

  void Write(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }
  std::string Read() const { return ReadFileBytes(path_); }
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

}  // namespace

// Every section, key and note in its place, CR LF after every line, Windows-1250 text.
TEST_F(SettingsFile, WriterLayout) {
  SaveSettingsFile(path_, SampleValues());
  EXPECT_EQ(Read(), Golden("settings_sample.ini"));
}

// The runs of lines a written file must hold, each given with its CR LFs.
void ExpectRuns(const std::string& text, std::initializer_list<std::string> runs) {
  for (const std::string& run : runs)
    EXPECT_NE(("\r\n" + text).find("\r\n" + run), std::string::npos) << run;
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
  const std::string text = Read();
  // No filing-kind line.
  EXPECT_TRUE(
      text.starts_with(Cp("[Vseobecne nastavenia]\r\nObdobie: Máj \r\nRok: 2021\r\n"
                          "PoslednyRiadok:A\r\n[Danovy subjekt]\r\nICDPH:SK1234567890\r\n")));
  ExpectRuns(text, {"[Nazvy harkov]\r\nA1:A_1\r\n", "[Odsadenie]\r\nA1:7\r\n",
                    "[Poradia stlpcov]\r\nA1-Odb:12\r\n", "[Poznamky]\r\nA1-Odb:note\r\n"});
}

TEST_F(SettingsFile, RoundTripWriterToReader) {
  SaveSettingsFile(path_, SampleValues());
  const std::string written = Read();
  TData data;
  LoadSettingsFile(path_, data);
  EXPECT_EQ(data.Order.Column[52], 54);  // slot 53 holds C1-ONP's number
  // Read back and written again, every value comes out as it went in.
  SaveSettingsFile(path_, SettingsValuesFromData(data));
  EXPECT_EQ(Read(), written);
}

// One loaded value by its file key: "Rok", "Email" ..., a section ("A1": its sheet, "+A1": its
// offset), a column key ("#A1-Odb": its number, "!A1-Odb": its note).
std::string Field(const TData& data, const std::string& key) {
  const std::string rest = key.substr(1);
  TSection section{};
  if (key == "Druh") return data.Header.Druh;
  if (key == "Rok") return data.Header.Rok;
  if (key == "Obdobie") return data.Header.Obdobie;
  if (key == "PoslednyRiadok") return data.Header.PoslednyRiadok ? "A" : "N";
  for (std::size_t i = 0; i < kSubjectKeys.size(); ++i)
    if (key == kSubjectKeys[i]) return SubjectField(data.Subject, static_cast<int>(i));
  if (FindSection(key, section)) return data.Sheets[section];
  if (key[0] == '+' && FindSection(rest, section)) return std::to_string(data.Offsets[section]);
  if (key[0] == '#') return std::to_string(data.Order.ColumnOf(rest));
  if (key[0] == '!') return data.Order.NoteOf(rest);
  ADD_FAILURE() << "no key " << key;
  return {};
}

TEST_F(SettingsFile, ReaderTable) {
  struct Case {
    const char* title;
    std::string file;
    std::string values;  // "KEY=value|KEY=value", keys as Field takes them
  } cases[] = {
      {"empty file", "", "Druh=R|PoslednyRiadok=N"},
      {"unknown filing kind", "Typ podania:X\r\n", "Druh=R"},
      {"filing kind", "Typ podania:O\r\n", "Druh=O"},
      {"a second kind line", "Typ podania:D\r\nTyp podania:r\r\n", "Druh=D"},
      {"last row", "PoslednyRiadok:A\r\n", "PoslednyRiadok=A"},
      {"last row lower case", "PoslednyRiadok:a\r\n", "PoslednyRiadok=N"},
      {"last row blank", "PoslednyRiadok:A \r\n", "PoslednyRiadok=N"},
      {"keys are exact, values untrimmed",
       "Rok:2020\r\nrok:2021\r\nRok :2022\r\nEmail:a:b\r\nObec: Nitra \r\n"
       "Obdobie:Janu\xE1r\r\nunknown:1\r\nno colon here\r\n",
       "Rok=2020|Email=a:b|Obec= Nitra |Obdobie=Janu\xE1r"},
      // The headings decide whether a section key is a sheet or an offset, a column key a
      // number or a note; they are never cleared.
      {"headings",
       "A1:A_1\r\nA1-Odb:4\r\n[Odsadenie]\r\nA1:3\r\nA2-F:5\r\n[Poznamky]\r\nA1-Odb:5\r\n"
       "A1:6\r\n[Nazvy harkov]\r\nB1:7\r\n",
       "A1=A_1|#A1-Odb=4|#A2-F=5|!A1-Odb=5|+A1=6|+B1=7|B1="},
      {"heading lines match whole", "[Odsadenie] \r\nA1:1\r\n[odsadenie]\r\nA2:2\r\n",
       "A1=1|A2=2|+A1=0"},
      {"old SV keys, the later line wins",
       "SV:Harok\r\nSV1:Novy\r\nB1:x\r\nSV:Posledny\r\n[Odsadenie]\r\nSV:4\r\nSV-Odb:2\r\n"
       "SV-Z:3\r\n[Poznamky]\r\nSV-Kod:kod\r\n",
       "SV1=Posledny|+SV1=4|#SV1-Odb=2|#SV1-Z=3|!SV1-Kod=kod"},
      {"a file without SV2 gets its defaults",
       "[Odsadenie]\r\nSV1:2\r\nSV2-Odb:7\r\nC1-ONP:3\r\n[Poznamky]\r\nSV2-Vr:mine\r\n",
       "+SV2=1|SV2=SV2|#SV2-Odb=1|#SV2-OdbP=2|#SV2-Vr=3|#SV2-Kopr=4|#C1-ONP=12|#C2-ONP=9|" +
           Cp("!SV2-Odb=IČ DPH odberateľa|!SV2-OdbP=IČ DPH pôvodného odberateľa|"
              "!SV2-Vr=Vrátenie tovaru|!SV2-Kopr=Oprava")},
      {"an SV2 offset keeps the file's values", "SV2:Mine\r\n[Odsadenie]\r\nSV2:3\r\nC1-ONP:5\r\n",
       "+SV2=3|SV2=Mine|#C1-ONP=5|#SV2-Odb=0|!SV2-Odb="},
      {"sheet names are cut, values keep a thousand characters",
       "A1:" + std::string(40, 's') + "\r\n[Poznamky]\r\nA1-F:" + std::string(1500, 'n') + "\r\n",
       "A1=" + std::string(31, 's') + "|!A1-F=" + std::string(1000, 'n')},
      {"huge lines are read without holding them",
       std::string(1 << 20, 'z') + "\r\nEmail:" + std::string(5000, 'e') + "\r\n[Odsadenie]" +
           std::string(5000, ' ') + "\r\nA1:1\r\n",
       "Email=" + std::string(1000, 'e') + "|A1=1"},
      {"LF alone ends a line, a lone CR is part of it, the last needs no ending",
       "Rok:2021\nObec:Ko\rsice\r\nEmail:last", "Rok=2021|Obec=Ko\rsice|Email=last"},
      {"a CR at the very end", "Rok:2022\r", "Rok=2022\r"},
      {"integer forms of the run time", "[Odsadenie]\r\nA1:$10\r\nA2: 3\r\nB1:-1\r\nB2:+0\r\n",
       "+A1=16|+A2=3|+B1=-1|+B2=0"},
  };
  for (const auto& c : cases) {
    const TData data = Load(c.file);
    std::istringstream values(c.values);
    for (std::string pair; std::getline(values, pair, '|');) {
      const std::string key = pair.substr(0, pair.find('='));
      EXPECT_EQ(Field(data, key), pair.substr(key.size() + 1)) << c.title << ": " << key;
    }
  }
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
    EXPECT_EQ(test_support::Thrown<EConvertError>([&] { LoadSettingsFile(path_, data); }),
              c.message);
    EXPECT_EQ(data.Header.Druh, "R");
    EXPECT_EQ(data.Offsets.B1, 0) << "read past the bad line";
    EXPECT_EQ(data.Sheets.B1, "") << "read past the bad line";
    EXPECT_EQ(data.Sheets.SV2, "") << "defaults applied after the bad line";
    EXPECT_TRUE(data.Offsets.A1 == 2 || data.Sheets.A1 == "2") << "lines before keep their effect";
  }
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
  const std::string message =
      test_support::Thrown<EInOutError>([&] { SaveSettingsFile(path_, SampleValues()); });
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, handler);

  EXPECT_EQ(message, "Disk full");
  EXPECT_EQ(Read(), before);
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(dir_)) left.push_back(entry.path().filename());
  EXPECT_EQ(left, std::vector<std::string>{"settings.ini"}) << "the half-written file is left";
}
