#include "app/statement/settings_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/statement/errors.h"
#include "app/statement/number_text.h"
#include "app/statement/replace_file.h"
#include "platform/text_codec.h"

namespace app {

namespace {

// The reader keeps this much of a value.
constexpr std::size_t kMaxValueLength = 1000;
// Longer lines cannot hold a known key with a kept value; only their start is kept, so a huge
// file of one line cannot exhaust memory.
constexpr std::size_t kMaxLineLength = 4096;

std::string IoErrorText(int error) {
  switch (error) {
    case ENOENT:
      return "File not found";
    case ENOTDIR:
      return "Path not found";
    case EACCES:
    case EPERM:
    case EROFS:
      return "Access denied";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return "Disk full";
    default:
      return "I/O error " + std::to_string(error);
  }
}

struct TFileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using TFile = std::unique_ptr<std::FILE, TFileCloser>;

// Reads lines ending at LF or CR LF; the last line needs no ending.
class TLineReader {
 public:
  explicit TLineReader(std::FILE* file) : file_(file) {}

  // False at the end of the file (after at least one line, possibly empty).
  bool ReadLine(std::string& line, bool& cut) {
    if (done_) return false;
    line.clear();
    cut = false;
    for (;;) {
      const int c = std::getc(file_);
      if (c == EOF) {
        if (std::ferror(file_)) throw EInOutError(IoErrorText(errno ? errno : EIO));
        done_ = true;
        break;
      }
      if (c == '\n') break;
      if (line.size() < kMaxLineLength) {
        line.push_back(static_cast<char>(c));
      } else {
        cut = true;
      }
    }
    if (!line.empty() && line.back() == '\r' && !done_ && !cut) line.pop_back();
    return true;
  }

 private:
  std::FILE* file_;
  bool done_ = false;
};

struct TLoadState {
  bool offsets_part = false;
  bool notes_part = false;
  bool sv2_offset_seen = false;
};

// Keys of files from before the EC sales list had a second section.
std::string_view CurrentKey(std::string_view key) {
  if (key == "SV") return "SV1";
  if (key == "SV-Odb") return "SV1-Odb";
  if (key == "SV-Z") return "SV1-Z";
  if (key == "SV-Kod") return "SV1-Kod";
  return key;
}

void ApplyLine(std::string_view key, std::string_view value, TLoadState& state, TData& data) {
  key = CurrentKey(key);
  if (key == "Typ podania") {
    if (value == "R" || value == "O" || value == "D") data.Header.Druh = std::string(value);
  } else if (key == "Obdobie") {
    data.Header.Obdobie = std::string(value);
  } else if (key == "Rok") {
    data.Header.Rok = std::string(value);
  } else if (key == "PoslednyRiadok") {
    data.Header.PoslednyRiadok = value == "A";
  } else if (TSection section; FindSection(key, section)) {
    if (state.offsets_part) {
      data.Offsets[section] = StrToInt(value);
      if (section == TSection::SV2) state.sv2_offset_seen = true;
    } else {
      data.Sheets.Store(section, value);
    }
  } else if (NoteSlot(key) >= 0) {
    if (state.notes_part) {
      data.Order.NoteOf(key) = std::string(value);
    } else {
      data.Order.ColumnOf(key) = StrToInt(value);
    }
  } else {
    for (std::size_t i = 0; i < kSubjectKeys.size(); ++i) {
      if (key == kSubjectKeys[i])
        SubjectField(data.Subject, static_cast<int>(i)) = std::string(value);
    }
  }
}

// Files from before section SV2 existed get its sheet, offset, columns and notes, and the ONP
// columns that came with it.
void ApplySV2Defaults(TData& data) {
  data.Offsets.SV2 = 1;
  data.Sheets.SV2 = "SV2";
  static const std::array<std::pair<std::string_view, const char*>, 4> kDefaults = {{
      {"SV2-Odb", "IČ DPH odberateľa"},
      {"SV2-OdbP", "IČ DPH pôvodného odberateľa"},
      {"SV2-Vr", "Vrátenie tovaru"},
      {"SV2-Kopr", "Oprava"},
  }};
  for (std::size_t i = 0; i < kDefaults.size(); ++i) {
    data.Order.ColumnOf(kDefaults[i].first) = static_cast<std::int32_t>(i + 1);
    data.Order.NoteOf(kDefaults[i].first) = platform::Utf8ToCp1250(kDefaults[i].second);
  }
  data.Order.ColumnOf("C1-ONP") = 12;
  data.Order.ColumnOf("C2-ONP") = 9;
}

// The run-time's Trim: characters up to the blank go at both ends.
std::string Trim(std::string_view text) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  std::size_t first = 0, last = text.size();
  while (first < last && blank(text[first])) ++first;
  while (last > first && blank(text[last - 1])) --last;
  return std::string(text.substr(first, last - first));
}

}  // namespace

std::string& SubjectField(tSubject& subject, int index) {
  std::string* fields[] = {&subject.ICDPH, &subject.NazovSubjektu, &subject.Stat,
                           &subject.Obec,  &subject.PSC,           &subject.Ulica,
                           &subject.Cislo, &subject.Telefon,       &subject.Email};
  return *fields[index];
}

const std::string& SubjectField(const tSubject& subject, int index) {
  return SubjectField(const_cast<tSubject&>(subject), index);
}

std::string SettingsFilePath() {
  if (KVDPH.StartupDir.empty()) return std::string(kSettingsFileName);
  return (std::filesystem::path(KVDPH.StartupDir) / kSettingsFileName).string();
}

void LoadSettings(TData& data) { LoadSettingsFile(SettingsFilePath(), data); }

void LoadSettingsFile(const std::string& path, TData& data) {
  TFile file(std::fopen(path.c_str(), "rb"));
  if (!file) throw EInOutError(IoErrorText(errno));
  data.Header.Druh = "R";
  TLoadState state;
  TLineReader reader(file.get());
  errno = 0;
  std::string line;
  bool cut = false;
  while (reader.ReadLine(line, cut)) {
    if (!line.empty() && line[0] == '[' && !cut) {
      if (line == "[Odsadenie]") state.offsets_part = true;
      if (line == "[Poznamky]") state.notes_part = true;
    }
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos) continue;  // no key
    const std::string_view text(line);
    ApplyLine(text.substr(0, colon), text.substr(colon + 1, kMaxValueLength), state, data);
  }
  if (!state.sv2_offset_seen) ApplySV2Defaults(data);
}

TSettingsValues SettingsValuesFromData(const TData& data) {
  TSettingsValues values;
  values.Druh = data.Header.Druh;
  values.Obdobie = data.Header.Obdobie;
  values.Rok = data.Header.Rok;
  values.PoslednyRiadok = data.Header.PoslednyRiadok;
  for (std::size_t i = 0; i < kSubjectKeys.size(); ++i)
    values.Subject[i] = SubjectField(data.Subject, static_cast<int>(i));
  for (TSection section : kSections) {
    values.Sheets[SectionIndex(section)] = data.Sheets[section];
    values.Offsets[SectionIndex(section)] = std::to_string(data.Offsets[section]);
  }
  for (int slot = 0; slot < kColumnKeyCount; ++slot) {
    values.Columns[slot] = std::to_string(data.Order.ColumnOf(kColumnKeys[slot]));
    values.Notes[slot] = data.Order.NoteOf(kColumnKeys[slot]);
  }
  return values;
}

void SaveSettings(const TSettingsValues& values) { SaveSettingsFile(SettingsFilePath(), values); }

void SaveSettingsFile(const std::string& path, const TSettingsValues& values) {
  std::string text;
  auto line = [&text](std::string_view key, std::string_view value) {
    text.append(key).append(":").append(value).append("\r\n");
  };
  auto section_line = [&text](std::string_view name) { text.append(name).append("\r\n"); };

  section_line("[Vseobecne nastavenia]");
  if (values.Druh == "R" || values.Druh == "D" || values.Druh == "O")
    line("Typ podania", values.Druh);
  line("Obdobie", values.Obdobie);
  line("Rok", values.Rok);
  line("PoslednyRiadok", values.PoslednyRiadok ? "A" : "N");
  section_line("[Danovy subjekt]");
  for (std::size_t i = 0; i < kSubjectKeys.size(); ++i)
    line(kSubjectKeys[i], Trim(values.Subject[i]));
  section_line("[Nazvy harkov]");
  for (TSection s : kSections) line(SectionName(s), Trim(values.Sheets[SectionIndex(s)]));
  section_line("[Odsadenie]");
  for (TSection s : kSections) line(SectionName(s), Trim(values.Offsets[SectionIndex(s)]));
  section_line("[Poradia stlpcov]");
  for (int slot = 0; slot < kColumnKeyCount; ++slot)
    line(kColumnKeys[slot], Trim(values.Columns[slot]));
  section_line("[Poznamky]");
  for (int slot = 0; slot < kColumnKeyCount; ++slot)
    line(kColumnKeys[slot], Trim(values.Notes[slot]));

  if (const auto failure = ReplaceFileContents(path, text))
    throw EInOutError(IoErrorText(failure->Error));
}

}  // namespace app
