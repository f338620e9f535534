#pragma once
// The data of one BIFF8 record as a bounded view: every read is checked against the record's
// declared size, so a short record is a damaged file and never a read of its neighbour's bytes.
#include <cstdint>
#include <span>

#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/xls/xls_record_reader.h"
#include "workbook/formats/xls/xls_stream_primitives.h"

namespace workbook {

class TXLSRecordData {
 public:
  explicit TXLSRecordData(std::span<const std::uint8_t> data) : data_(data) {}

  std::size_t Size() const { return data_.size(); }
  std::span<const std::uint8_t> Bytes() const { return data_; }

  std::uint8_t Byte(std::size_t offset) const {
    Need(offset, 1);
    return data_[offset];
  }
  std::uint16_t Word(std::size_t offset) const {
    Need(offset, 2);
    return XLSDecodeWord(data_.data() + offset);
  }
  std::uint32_t DWord(std::size_t offset) const {
    Need(offset, 4);
    return XLSDecodeDWord(data_.data() + offset);
  }
  double Double(std::size_t offset) const {
    Need(offset, 8);
    return XLSDecodeDouble(data_.data() + offset);
  }

 private:
  void Need(std::size_t offset, std::size_t count) const {
    if (offset > data_.size() || data_.size() - offset < count) {
      throw EWorkbookFileException(WorkbookLng_InvalidXLS);
    }
  }

  std::span<const std::uint8_t> data_;
};

// The data of Reader's current record; a record that runs past the end of the stream is a damaged
// file.
inline TXLSRecordData XLSCurrentRecordData(const TXLSRecordReader& reader) {
  return TXLSRecordData(reader.Data());
}

}  // namespace workbook
