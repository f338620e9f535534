#include "workbook/gui/text_measuring.h"

#include <QFontMetrics>
#include <QString>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

#include "workbook/core/invariant_texts.h"
#include "workbook/formats/library_routines.h"
#include "workbook/model/cell.h"
#include "workbook/model/custom_exporter.h"
#include "workbook/model/worksheet.h"

namespace workbook {

namespace {

// Keys compare without regard to case (ASCII folding, as font names are).
struct TCaseless {
  bool operator()(const std::u16string& a, const std::u16string& b) const {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](char16_t x, char16_t y) { return LowerAscii(x) < LowerAscii(y); });
  }
};
using TCharWidthCache = std::map<std::u16string, int, TCaseless>;

std::unique_ptr<TCharWidthCache>& Cache() {
  static std::unique_ptr<TCharWidthCache> cache;
  return cache;
}

// The largest size the spreadsheet programs accept; larger sizes from a file measure as this.
constexpr int kMaxPointSize = 409;

int ClampedSize(int size) { return std::clamp(size, 1, kMaxPointSize); }

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The measured height of the cell's text in Width - Inset pixels and its line count.
struct TWrappedText {
  int Height = 0;
  int Lines = 0;
};

TWrappedText MeasureWrapped(TCustomExporter& exporter, TExportCell& cell, double width, int inset) {
  const QFont font = MeasuringFont(cell.GetFont());
  const int available = RoundHalfEven(CellLayoutWidth(exporter, cell, width)) - inset;
  const QSize extent =
      CalcTextExtent(font, cell.GetValueText(), std::max(available, 1), kDtWordBreak | kDtNoPrefix);
  const int lineHeight = std::max(QFontMetrics(font).height(), 1);
  return {extent.height(), RoundHalfEven(static_cast<double>(extent.height()) / lineHeight)};
}

}  // namespace

std::u16string CharWidthCacheKey(const TExportFont& font) {
  std::string size = std::to_string(font.GetSize());
  return font.GetName() + u"::" + std::u16string(size.begin(), size.end());
}

int CharWidthCacheLookup(std::u16string_view key) {
  if (!Cache()) return -1;
  const auto found = Cache()->find(std::u16string(key));
  return found == Cache()->end() ? -1 : found->second;
}

int CharWidthCacheCount() { return Cache() ? static_cast<int>(Cache()->size()) : 0; }

void FreeCharWidthCache() { Cache().reset(); }

QFont MeasuringFont(const TExportFont& font) {
  QFont result(ToQString(font.GetName()));
  result.setPointSize(ClampedSize(font.GetSize()));
  const std::uint8_t styles = font.GetStyle().GetFontStyles();
  result.setBold(styles & TExportFontStyle::fsBold);
  result.setItalic(styles & TExportFontStyle::fsItalic);
  result.setUnderline(styles & TExportFontStyle::fsUnderline);
  result.setStrikeOut(styles & TExportFontStyle::fsStrikeOut);
  return result;
}

int GetFontCharWidth(const TExportFont& font) {
  if (!Cache()) Cache() = std::make_unique<TCharWidthCache>();
  std::u16string key = CharWidthCacheKey(font);
  const auto found = Cache()->find(key);
  if (found != Cache()->end()) return found->second;
  const int width = CalcTextExtent(MeasuringFont(font), u"0123456789", 0, kDtNoPrefix).width() / 10;
  if (Cache()->size() < kCharWidthCacheLimit && font.GetName().size() <= kCharWidthCacheNameLimit)
    Cache()->emplace(std::move(key), width);
  return width;
}

int GetTextWidth(std::u16string_view text, const TExportFont& font) {
  QFont qfont = MeasuringFont(font);
  const std::uint8_t script = font.GetStyle().VertPosition;
  if (script == 1 || script == 2)
    qfont.setPointSize(ClampedSize(RoundHalfEven(ClampedSize(font.GetSize()) * 0.6)));
  return CalcTextExtent(qfont, text, 0, kDtNoPrefix).width();
}

QSize CalcTextExtent(const QFont& font, std::u16string_view text, int width, unsigned flags) {
  const int qtFlags = (flags & kDtWordBreak) ? Qt::TextWordWrap : 0;
  const QRect rect =
      QFontMetrics(font).boundingRect(QRect(0, 0, std::max(width, 0), 0), qtFlags, ToQString(text));
  return rect.size();
}

double CellLayoutWidth(TCustomExporter&, TExportCell& cell, double width) {
  if (width > 0) return width;
  TExportWorkSheet* sheet = cell.GetWorkSheet();
  if (sheet == nullptr) return 80.0;
  if (const TExportCol* col = sheet->Cols.FindCol(cell.GetColIndex()); col && col->Width > 0)
    return col->Width;
  return TCustomExporter::GetDefaultColWidth(*sheet);
}

double CalcCellTextHeight(TCustomExporter& exporter, TExportCell& cell, double width) {
  const TWrappedText text = MeasureWrapped(exporter, cell, width, 8);
  const int rowHeight = TCustomExporter::GetFontRowHeight(cell.GetFont());
  return text.Lines > 1 ? static_cast<double>(rowHeight) * text.Lines : rowHeight;
}

double CalcODSCellTextHeight(TCustomExporter& exporter, TExportCell& cell, double width) {
  const TWrappedText text = MeasureWrapped(exporter, cell, width, 2);
  return text.Lines >= 2 ? text.Height + 2.0 : TCustomExporter::GetFontRowHeight(cell.GetFont());
}

}  // namespace workbook
