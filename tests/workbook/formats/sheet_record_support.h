#pragma once
// A record reader over one hand-built BIFF8 record, and bytes shown as hex, for the tests of the
// sheet settings' record readers and writers.
#include <cstdint>
#include <string>
#include <vector>

#include "workbook/core/stream.h"
#include "workbook/formats/xls/xls_record_reader.h"
#include "workbook/formats/xml_test_support.h"
#include "workbook/model/model_fixture.h"

namespace workbook::test {

// A reader positioned at the data of the one record in Record (header included).
class OneRecord {
 public:
  explicit OneRecord(std::vector<std::uint8_t> record)
      : stream_(std::move(record)), bytes_(stream_), reader_(bytes_) {
    reader_.Next();
  }
  TXLSRecordReader& Reader() { return reader_; }

 private:
  TMemoryStream stream_;
  TOleStreamReader bytes_;
  TXLSRecordReader reader_;
};

// Bytes as "0A 0B ..." for readable failure output.
inline std::string Hex(const std::vector<std::uint8_t>& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  for (std::uint8_t b : bytes) {
    if (!text.empty()) text += ' ';
    text += digits[b >> 4];
    text += digits[b & 15];
  }
  return text;
}

}  // namespace workbook::test
