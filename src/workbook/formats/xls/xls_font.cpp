// The BIFF8 FONT record (0x0031) of a font and of the font registry.
#include <algorithm>

#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/core/stream.h"
#include "workbook/formats/xls/xls_record_ids.h"
#include "workbook/formats/xls/xls_stream_primitives.h"
#include "workbook/model/font.h"
#include "workbook/model/font_list.h"

namespace workbook {

namespace {

constexpr std::size_t kFixedPartSize = 14;
// The FONT record's underline byte for Underline 1 to 4; 0 for not set and none.
constexpr std::uint8_t kUnderlineCodes[] = {0, 1, 2, 0x21, 0x22};

std::uint16_t GetWord(std::span<const std::uint8_t> data, std::size_t offset) {
  return XLSDecodeWord(data.data() + offset);
}

[[noreturn]] void Truncated() { throw EWorkbookFileException(WorkbookLng_InvalidXLS); }

}  // namespace

std::vector<std::uint8_t> TExportFont::WriteXLS(std::uint8_t colorIndex) const {
  // The name has an 8-bit character count: longer names are cut so the record stays consistent.
  const std::size_t nameLength = std::min<std::size_t>(name_.size(), 255);
  std::vector<std::uint8_t> data;
  data.reserve(kFixedPartSize + 2 + 2 * nameLength);
  // A height that does not fit the word is clamped rather than wrapped.
  XLSPutWord(data, static_cast<std::uint16_t>(
                       std::clamp<std::int64_t>(std::int64_t{size_} * 20, 0, 0xFFFF)));
  const std::uint8_t underline =
      style_.Underline >= 1 && style_.Underline <= 4 ? kUnderlineCodes[style_.Underline] : 0;
  std::uint16_t flags = 0;
  if (style_.Bold == 1) flags |= 0x01;
  if (style_.Italic == 1) flags |= 0x02;
  if (underline != 0) flags |= 0x04;
  if (style_.StrikeOut == 1) flags |= 0x08;
  XLSPutWord(data, flags);
  XLSPutWord(data, colorIndex);
  XLSPutWord(data, style_.Bold == 1 ? 700 : 400);
  XLSPutWord(data, style_.VertPosition == 1 || style_.VertPosition == 2 ? style_.VertPosition : 0);
  data.push_back(underline);
  data.insert(data.end(), 3, 0);
  data.push_back(static_cast<std::uint8_t>(nameLength));
  data.push_back(0x01);
  for (std::size_t i = 0; i < nameLength; ++i) XLSPutWord(data, name_[i]);
  return data;
}

std::uint16_t TExportFont::ReadXLS(std::span<const std::uint8_t> data) {
  // The name: 8-bit count, option byte (bit 0: 16-bit characters, else one byte each). Checked
  // before anything changes, so a truncated record leaves the font as it was.
  const std::size_t start = kFixedPartSize + 2;
  if (data.size() < start) Truncated();
  const std::size_t count = data[14];
  const bool wide = (data[15] & 0x01) != 0;
  if (data.size() - start < count * (wide ? 2 : 1)) Truncated();

  size_ = GetWord(data, 0) / 20;
  const std::uint16_t flags = GetWord(data, 2);
  style_.Italic = (flags & 0x02) ? 1 : 2;
  style_.StrikeOut = (flags & 0x08) ? 1 : 2;
  const std::uint16_t colorIndex = GetWord(data, 4);
  style_.Bold = GetWord(data, 6) < 700 ? 2 : 1;
  const std::uint16_t escapement = GetWord(data, 8);
  style_.VertPosition = escapement <= 2 ? static_cast<std::uint8_t>(escapement) : 3;
  const std::uint8_t* code =
      std::find(std::begin(kUnderlineCodes), std::end(kUnderlineCodes), data[10]);
  style_.Underline =
      code != std::end(kUnderlineCodes) ? static_cast<std::uint8_t>(code - kUnderlineCodes) : 5;
  name_.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    name_[i] = wide ? static_cast<char16_t>(GetWord(data, start + 2 * i)) : data[start + i];
  }
  return colorIndex;
}

void TExportFontList::WriteXLSRecord(TStream& stream, const std::vector<std::uint8_t>& data,
                                     int times) {
  std::vector<std::uint8_t> record;
  XLSPutWord(record, xls_record::kFont);
  XLSPutWord(record, static_cast<std::uint16_t>(data.size()));
  record.insert(record.end(), data.begin(), data.end());
  for (int i = 0; i < times; ++i) stream.WriteBuffer(record.data(), record.size());
}

}  // namespace workbook
