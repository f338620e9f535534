#pragma once
// The shared-string table (SST record) as written to a BIFF8 stream: distinct strings in first-use
// order, one text in two formattings being two entries, and the EXTSST index over them.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "workbook/core/stream.h"
#include "workbook/core/string_table.h"
#include "workbook/formats/xls/xls_record_ids.h"

namespace workbook {

class TExporterXLSX_MemoryStreamList;

class TXLSSharedStrings_ExportEntry {
 public:
  TXLSSharedStrings_ExportEntry(std::uint32_t textLength, std::vector<std::uint8_t> runs)
      : TextLength(textLength), Runs(std::move(runs)) {}
  void ClearRuns() { Runs.clear(); }

  // How many characters of the key are text (the rest encodes the formatting).
  std::uint32_t TextLength;
  // BIFF8 runs: 16-bit first character, 16-bit font index, per run.
  std::vector<std::uint8_t> Runs;
};

class TXLSSharedStrings_Export {
 public:
  // The most runs one string keeps: all of them go into one record of at most 8224 bytes.
  static constexpr std::size_t kMaxRuns = xls_record::kMaxRecordData / 4;

  // The index of text in the given formatting (suffix tells formattings apart, runs are its BIFF8
  // runs), added when new.
  std::int32_t Add(const std::u16string& text, const std::u16string& suffix,
                   std::vector<std::uint8_t> runs);
  std::int32_t Count() const { return keys_.Count(); }
  // The entry at index, nullptr for a plain text.
  TXLSSharedStrings_ExportEntry* GetEntry(std::int32_t index) const;
  std::u16string GetString(std::int32_t index) const;
  int GetRunCount(std::int32_t index) const;
  // Writes the runs of the string at index and takes their size from budget.
  void WriteRuns(std::int32_t index, TStream& stream, int& budget) const;

  // The SST record and its CONTINUE records, one memory stream each, appended to list (through
  // the compression wrapper when compress is set); nothing when the table is empty. Remembers
  // where the EXTSST buckets start.
  void SaveToRecords(TExporterXLSX_MemoryStreamList& list, bool compress);
  // The EXTSST record for the records SaveToRecords wrote, the SST record standing at SSTPosition
  // of the workbook stream.
  std::unique_ptr<TMemoryStream> ExtSSTRecord(std::uint32_t sstPosition) const;

 private:
  struct TBucket {
    std::size_t Record;    // index among the written records (0 = SST)
    std::uint16_t Offset;  // from the start of that record's header
  };

  TStringTable keys_;
  std::vector<std::unique_ptr<TXLSSharedStrings_ExportEntry>> entries_;
  std::vector<std::uint32_t> recordSizes_;
  std::vector<TBucket> buckets_;
  std::uint16_t bucketSize_ = 8;
};

}  // namespace workbook
