#include "workbook/formats/xls/xls_sheet_streams.h"

#include "workbook/formats/xlsx/xlsx_memory_stream_list.h"

namespace workbook {

void TXLSSheetStreams::BeginSheet() {
  Close();
  sheetFirst_.push_back(parts_.size());
}

void TXLSSheetStreams::Cut() { Close(); }

void TXLSSheetStreams::Close() {
  if (!current_) return;
  const std::int64_t size = Target().Size();
  if (wrapper_) wrapper_->Finish();
  wrapper_.reset();
  parts_.push_back({std::move(current_), size});
}

TStream& TXLSSheetStreams::Target() {
  if (!current_) {
    current_ = std::make_unique<TMemoryStream>();
    if (compress_) wrapper_ = std::make_unique<TCompressionStream>(*current_, kTempDeflateLevel);
  }
  return wrapper_ ? static_cast<TStream&>(*wrapper_) : *current_;
}

std::size_t TXLSSheetStreams::Write(const void* buffer, std::size_t count) {
  return Target().Write(buffer, count);
}

std::int64_t TXLSSheetStreams::Seek(std::int64_t offset, TSeekOrigin origin) {
  return Target().Seek(offset, origin);
}

std::int64_t TXLSSheetStreams::Size() { return Target().Size(); }

void TXLSSheetStreams::MoveTo(
    TExporterXLSX_MemoryStreamList& list, std::int64_t offset,
    const std::function<void(std::size_t sheet, std::int64_t offset)>& sheetStart) {
  Close();
  std::size_t sheet = 0;
  for (std::size_t i = 0; i < parts_.size(); ++i) {
    while (sheet < sheetFirst_.size() && sheetFirst_[sheet] == i) sheetStart(sheet++, offset);
    offset += parts_[i].Size;
    if (compress_)
      list.AddCompressed(std::move(parts_[i].Stream));
    else
      list.AddStream(std::move(parts_[i].Stream));
  }
  parts_.clear();
  sheetFirst_.clear();
}

}  // namespace workbook
