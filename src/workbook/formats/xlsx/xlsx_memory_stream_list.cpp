#include "workbook/formats/xlsx/xlsx_memory_stream_list.h"

#include <stdexcept>

#include "workbook/formats/zip/zip_archive.h"
#include "workbook/model/workbook.h"

namespace workbook {

TExporterXLSX_MemoryStreamList_Item::TExporterXLSX_MemoryStreamList_Item(
    std::unique_ptr<TStream> stream, bool compressed)
    : stream_(std::move(stream)), compressed_(compressed) {
  stream_->SetPosition(0);
  // The size as the decompression wrapper gives it back.
  Size = compressed_ ? TDecompressionStream(*stream_).Size() : stream_->Size();
}

std::size_t TExporterXLSX_MemoryStreamList_Item::Read(void* buffer, std::size_t count) {
  if (!compressed_) return stream_->Read(buffer, count);
  if (!decompression_) decompression_ = std::make_unique<TDecompressionStream>(*stream_);
  return decompression_->Read(buffer, count);
}

void TExporterXLSX_MemoryStreamList_Item::Reset() {
  decompression_.reset();
  stream_->SetPosition(0);
}

TExporterXLSX_MemoryStreamList::TExporterXLSX_MemoryStreamList(TWorkbook* workbook)
    : workbook_(workbook) {}

void TExporterXLSX_MemoryStreamList::Insert(
    std::unique_ptr<TExporterXLSX_MemoryStreamList_Item> item, int index) {
  if (index < 0 || static_cast<std::size_t>(index) > items_.size())
    items_.push_back(std::move(item));
  else
    items_.insert(items_.begin() + index, std::move(item));
  dirty_ = true;
}

void TExporterXLSX_MemoryStreamList::AddStream(std::unique_ptr<TStream> stream, int index) {
  Insert(std::make_unique<TExporterXLSX_MemoryStreamList_Item>(std::move(stream), false), index);
}

void TExporterXLSX_MemoryStreamList::AddCompressed(std::unique_ptr<TStream> stream, int index) {
  Insert(std::make_unique<TExporterXLSX_MemoryStreamList_Item>(std::move(stream), true), index);
}

void TExporterXLSX_MemoryStreamList::AddBytes(const void* data, std::size_t count, bool compress,
                                              int level) {
  auto part = std::make_unique<TMemoryStream>();
  if (compress) {
    TCompressionStream packer(*part, level);
    packer.WriteBuffer(data, count);
    packer.Finish();
    AddCompressed(std::move(part));
  } else {
    part->WriteBuffer(data, count);
    AddStream(std::move(part));
  }
}

void TExporterXLSX_MemoryStreamList::AddToZip(TZipArchive& zip, const std::u16string& fileName) {
  std::vector<std::unique_ptr<TMemoryStream>> deflated;
  std::vector<TStream*> pieces;
  UpdateOffsets();
  for (auto& item : items_) {
    // The parts are compressed here rather than read, so the progress follows them.
    ReportProgress(item->Start);
    item->Reset();
    if (item->Compressed()) {
      pieces.push_back(&item->Stream());
    } else if (item->Size > 0) {
      deflated.push_back(std::make_unique<TMemoryStream>());
      TCompressionStream packer(*deflated.back());
      packer.CopyFrom(item->Stream(), item->Size);
      packer.Finish();
      pieces.push_back(deflated.back().get());
    }
  }
  ReportProgress(size_);
  zip.AddDeflated(fileName, pieces);
  for (auto& item : items_) item->Reset();
}

void TExporterXLSX_MemoryStreamList::ReportProgress(std::int64_t position) {
  if (workbook_ == nullptr) return;
  const std::int64_t megabyte = (position >> 20) & 0xFFF;
  if (megabyte == lastMegabyte_) return;
  lastMegabyte_ = megabyte;
  workbook_->DoProgress(wpsCompressing, megabyte, size_ >> 20, u"");
}

void TExporterXLSX_MemoryStreamList::UpdateOffsets() {
  if (!dirty_) return;
  std::int64_t start = 0;
  for (auto& item : items_) {
    item->Start = start;
    start += item->Size;
  }
  size_ = start;
  dirty_ = false;
}

std::int64_t TExporterXLSX_MemoryStreamList::Size() {
  UpdateOffsets();
  return size_;
}

std::size_t TExporterXLSX_MemoryStreamList::Read(void* buffer, std::size_t count) {
  UpdateOffsets();
  ReportProgress(position_);
  const std::int64_t remaining = size_ - position_;
  if (remaining <= 0) return 0;
  if (static_cast<std::int64_t>(count) > remaining) count = static_cast<std::size_t>(remaining);
  auto* out = static_cast<std::uint8_t*>(buffer);
  std::size_t done = 0;
  while (done < count && current_ < items_.size()) {
    TExporterXLSX_MemoryStreamList_Item& item = *items_[current_];
    const std::int64_t left = item.Start + item.Size - position_;
    const std::size_t want = static_cast<std::size_t>(
        std::min<std::int64_t>(left, static_cast<std::int64_t>(count - done)));
    const std::size_t got = want > 0 ? item.Read(out + done, want) : 0;
    done += got;
    position_ += static_cast<std::int64_t>(got);
    if (got == static_cast<std::size_t>(left) || got < want) {
      // A part ends here (or gave less than it measured): on to the next one.
      item.Reset();
      position_ = item.Start + item.Size;
      ++current_;
    }
  }
  return done;
}

std::int64_t TExporterXLSX_MemoryStreamList::Seek(std::int64_t offset, TSeekOrigin origin) {
  UpdateOffsets();
  if (origin == TSeekOrigin::Beginning && offset == 0) {
    for (auto& item : items_) item->Reset();
    position_ = 0;
    current_ = 0;
    return 0;
  }
  if (origin == TSeekOrigin::Current && offset == 0) return position_;
  if (origin == TSeekOrigin::End && offset == 0) return size_;
  if (origin != TSeekOrigin::Beginning && offset == position_) return position_;
  if (origin == TSeekOrigin::Beginning) return position_;
  throw std::runtime_error("TExporterXLSX_MemoryStreamList supports seeking only to 0.");
}

}  // namespace workbook
