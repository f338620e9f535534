#include "app/statement/vat_check.h"

#include "platform/text_codec.h"

namespace app {
namespace {

std::string Text(const char* utf8) { return platform::Utf8ToCp1250(utf8); }

std::string TitleOf(TVATListKind kind) {
  switch (kind) {
    case TVATListKind::Register:
      return Text("Zoznam neplatných IČ DPH (podľa zoznamu registrovaných platiteľov DPH): ");
    case TVATListKind::Cancellation:
      return Text(
          "Nájdené IČ DPH (v zozname platiteľov s dôvodom na zrušenie registrácie pre DPH):");
    case TVATListKind::SpecialScheme:
      break;
  }
  return Text("Nájdené IČ DPH (v zozname platiteľov DPH uplatňujúcich osobitnú úpravu):");
}

std::string CountLabelOf(TVATListKind kind) {
  return kind == TVATListKind::Register ? Text("Počet neplatných IČ DPH: ")
                                        : Text("Počet nájdených IČ DPH: ");
}

// Calls Finished when the scan ends, also when it ends by an exception.
class TFinishGuard {
 public:
  explicit TFinishGuard(const TVATCheckProgress& progress) : progress_(progress) {
    if (progress_.Started) progress_.Started();
  }
  ~TFinishGuard() { Finish(); }
  void Finish() {
    if (finished_) return;
    finished_ = true;
    if (progress_.Finished) progress_.Finished();
  }
  TFinishGuard(const TFinishGuard&) = delete;
  TFinishGuard& operator=(const TFinishGuard&) = delete;

 private:
  const TVATCheckProgress& progress_;
  bool finished_ = false;
};

class TScan {
 public:
  TScan(TVATListKind kind, const std::vector<tVATSubject>& list, const TVATCheckProgress& progress,
        TVATCheckResult& result)
      : kind_(kind), list_(list), progress_(progress), result_(result) {}

  template <class Record>
  void Section(const TRecordArray<Record>& rows, std::string_view label,
               std::string Record::*idField, bool slovakOnly) {
    for (const auto& row : rows) {
      const std::string& id = (*row).*idField;
      if (!slovakOnly || id.starts_with("SK")) Check(label, id);
      if (progress_.RecordDone) progress_.RecordDone();
    }
  }

 private:
  void Check(std::string_view label, const std::string& id) {
    const auto key = VATIdKey(id);
    const bool listed = key && VATsearch(list_, *key);
    if (listed == (kind_ == TVATListKind::Register)) return;
    result_.Report += label;
    result_.Report += id;
    result_.Report += "\r\n";
    ++result_.Count;
  }

  TVATListKind kind_;
  const std::vector<tVATSubject>& list_;
  const TVATCheckProgress& progress_;
  TVATCheckResult& result_;
};

}  // namespace

TVATCheckResult VATCheck(TVATListKind kind, const std::vector<tVATSubject>& list, const TData& data,
                         const TVATCheckProgress& progress) {
  TVATCheckResult result;
  result.Report = TitleOf(kind) + "\r\n";
  {
    TFinishGuard guard(progress);
    TScan scan(kind, list, progress, result);
    scan.Section(data.RowsA1, "A1: ", &tDataA1::Odb, true);
    scan.Section(data.RowsA2, "A2: ", &tDataA2::Odb, false);
    scan.Section(data.RowsB2, "B2: ", &tDataB2::Dod, false);
    scan.Section(data.RowsB32, "B32: ", &tDataB32::Dod, false);
    scan.Section(data.RowsC1, "C1: ", &tDataC1::Odb, true);
    guard.Finish();
  }
  result.Report += "\r\n" + CountLabelOf(kind) + std::to_string(result.Count);
  return result;
}

std::optional<TVATCheckResult> VATCheckFile(const std::string& fileName, const TData& data,
                                            std::vector<tVATSubject>& loadedList,
                                            const TVATCheckProgress& progress) {
  std::optional<TVATList> list = LoadVATList(fileName);
  if (!list) return std::nullopt;
  loadedList = std::move(list->Entries);
  return VATCheck(list->Kind, loadedList, data, progress);
}

}  // namespace app
