#include "workbook/formats/xls/xls_shared_strings_writer.h"

#include <algorithm>

#include "platform/text_codec.h"
#include "workbook/formats/xls/xls_record_ids.h"
#include "workbook/formats/xls/xls_stream_primitives.h"
#include "workbook/formats/xlsx/xlsx_memory_stream_list.h"
#include "workbook/formats/zip/compression_stream.h"

namespace workbook {

namespace {

constexpr int kRecordData = static_cast<int>(xls_record::kMaxRecordData);

}  // namespace

std::int32_t TXLSSharedStrings_Export::Add(const std::u16string& text, const std::u16string& suffix,
                                           std::vector<std::uint8_t> runs) {
  bool isNew = false;
  const bool surrogates = std::any_of(text.begin(), text.end(), platform::IsSurrogate);
  const std::int32_t index =
      keys_.Add((surrogates ? platform::WellFormedUtf16(text) : text) + suffix, isNew);
  if (isNew) {
    entries_.emplace_back();
    if (!suffix.empty() || !runs.empty()) {
      // Runs beyond what one record holds are dropped rather than written into a broken record.
      if (runs.size() > kMaxRuns * 4) runs.resize(kMaxRuns * 4);
      runs.resize(runs.size() / 4 * 4);
      entries_.back() = std::make_unique<TXLSSharedStrings_ExportEntry>(
          static_cast<std::uint32_t>(text.size()), std::move(runs));
    }
  }
  return index;
}

TXLSSharedStrings_ExportEntry* TXLSSharedStrings_Export::GetEntry(std::int32_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return entries_[static_cast<std::size_t>(index)].get();
}

std::u16string TXLSSharedStrings_Export::GetString(std::int32_t index) const {
  const std::u16string_view key = keys_.Get(index);
  const TXLSSharedStrings_ExportEntry* entry = GetEntry(index);
  return std::u16string(entry ? key.substr(0, entry->TextLength) : key);
}

int TXLSSharedStrings_Export::GetRunCount(std::int32_t index) const {
  const TXLSSharedStrings_ExportEntry* entry = GetEntry(index);
  return entry ? static_cast<int>(entry->Runs.size() / 4) : 0;
}

void TXLSSharedStrings_Export::WriteRuns(std::int32_t index, TStream& stream, int& budget) const {
  const TXLSSharedStrings_ExportEntry* entry = GetEntry(index);
  if (!entry || entry->Runs.empty()) return;
  stream.WriteBuffer(entry->Runs.data(), entry->Runs.size());
  budget -= static_cast<int>(entry->Runs.size());
}

void TXLSSharedStrings_Export::SaveToRecords(TExporterXLSX_MemoryStreamList& list, bool compress) {
  recordSizes_.clear();
  buckets_.clear();
  if (Count() == 0) return;
  // EXTSST holds at most 128 buckets, each at least 8 strings.
  bucketSize_ = static_cast<std::uint16_t>(std::max<std::int32_t>(8, (Count() + 127) / 128));

  auto record = std::make_unique<TMemoryStream>();
  XLSWriteRecordHeader(*record, xls_record::kSST, 0);
  XLSWriteDWord(*record, static_cast<std::uint32_t>(Count()));
  XLSWriteDWord(*record, static_cast<std::uint32_t>(Count()));
  int budget = kRecordData - 8;

  auto close = [&] {
    const std::int64_t size = record->Size() - 4;
    record->SetPosition(2);
    XLSWriteWord(*record, static_cast<std::uint16_t>(size));
    record->Seek(0, TSeekOrigin::End);
    recordSizes_.push_back(static_cast<std::uint32_t>(record->Size()));
    if (compress) {
      list.AddBytes(record->Memory(), record->Data().size(), true, kTempDeflateLevel);
    } else {
      list.AddStream(std::move(record));
    }
  };
  auto startContinue = [&] {
    close();
    record = std::make_unique<TMemoryStream>();
    XLSWriteRecordHeader(*record, xls_record::kContinue, 0);
    budget = kRecordData;
  };

  for (std::int32_t i = 0; i < Count(); ++i) {
    const std::u16string text = GetString(i);
    const int runs = GetRunCount(i);
    if (budget <= 6) startContinue();
    if (i % bucketSize_ == 0)
      buckets_.push_back({recordSizes_.size(), static_cast<std::uint16_t>(record->Size())});
    const std::size_t count = std::min<std::size_t>(text.size(), 65535);
    XLSWriteWord(*record, static_cast<std::uint16_t>(count));
    budget -= 2;
    std::size_t done = 0;
    bool first = true;
    do {
      XLSWriteByte(*record, static_cast<std::uint8_t>(first && runs > 0 ? 0x09 : 0x01));
      budget -= 1;
      if (first && runs > 0) {
        XLSWriteWord(*record, static_cast<std::uint16_t>(runs));
        budget -= 2;
      }
      first = false;
      const std::size_t fits = static_cast<std::size_t>(std::max(budget, 0) / 2);
      const std::size_t piece = std::min(count - done, fits);
      for (std::size_t k = 0; k < piece; ++k) XLSWriteWord(*record, text[done + k]);
      done += piece;
      budget -= static_cast<int>(2 * piece);
      if (done < count) startContinue();
    } while (done < count);
    if (runs > 0) {
      // Runs that fit exactly stay: a CONTINUE record with nothing in it would follow otherwise.
      if (4 * runs > budget) startContinue();
      WriteRuns(i, *record, budget);
    }
  }
  close();
}

std::unique_ptr<TMemoryStream> TXLSSharedStrings_Export::ExtSSTRecord(
    std::uint32_t sstPosition) const {
  auto record = std::make_unique<TMemoryStream>();
  XLSWriteRecordHeader(*record, xls_record::kExtSST,
                       static_cast<std::uint16_t>(2 + 8 * buckets_.size()));
  XLSWriteWord(*record, bucketSize_);
  std::vector<std::uint32_t> starts;
  std::uint32_t position = sstPosition;
  for (std::uint32_t size : recordSizes_) {
    starts.push_back(position);
    position += size;
  }
  for (const TBucket& bucket : buckets_) {
    XLSWriteDWord(*record, starts[bucket.Record] + bucket.Offset);
    XLSWriteWord(*record, bucket.Offset);
    XLSWriteWord(*record, 0);
  }
  return record;
}

}  // namespace workbook
