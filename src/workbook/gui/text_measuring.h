#pragma once
// Text measuring on Qt: the real character and text widths the library's measuring hooks call,
// and the wrapped-text heights of the concrete XLSX, XLS and ODS handlers. Pixels are at the
// screen's resolution; a QGuiApplication must exist.
#include <QFont>
#include <QSize>
#include <string>
#include <string_view>

#include "workbook/model/font.h"

namespace workbook {

class TCustomExporter;
class TExportCell;

// Flags of CalcTextExtent (the values of the platform's text-drawing call).
inline constexpr unsigned kDtWordBreak = 0x10;
inline constexpr unsigned kDtNoPrefix = 0x800;

// The cache of digit widths, keyed "<name>::<size>" without regard to case. It holds at most
// kCharWidthCacheLimit entries and no names longer than kCharWidthCacheNameLimit, so fonts read
// from a hostile file cannot grow it without bound; such fonts are measured each time.
inline constexpr int kCharWidthCacheLimit = 256;
inline constexpr std::size_t kCharWidthCacheNameLimit = 255;
std::u16string CharWidthCacheKey(const TExportFont& font);
// The cached width, or -1.
int CharWidthCacheLookup(std::u16string_view key);
int CharWidthCacheCount();
// Frees the cache (the program's end; tests that start afresh).
void FreeCharWidthCache();

// The Qt font of a library font: name, size in points (clamped to 1..409), bold, italic,
// underline (any single or double kind), strike-out.
QFont MeasuringFont(const TExportFont& font);

// The average width of one digit, cached per name and size (not style).
int GetFontCharWidth(const TExportFont& font);
// The single-line width of text; superscript and subscript at 60 per cent of the size.
int GetTextWidth(std::u16string_view text, const TExportFont& font);
// The extent of text laid out in the rectangle (0, 0, width, 0) with the flags (kDtWordBreak
// wraps at word boundaries; "&" is always an ordinary character).
QSize CalcTextExtent(const QFont& font, std::u16string_view text, int width, unsigned flags);

// The width a wrapped cell text is laid out in: width when positive, else the width of the cell's
// column, else the sheet's default column width (80 pixels while the sheet sets none).
double CellLayoutWidth(TCustomExporter& exporter, TExportCell& cell, double width);
// The wrapped height of a cell: its font's row height times the number of lines (XLSX, XLS).
double CalcCellTextHeight(TCustomExporter& exporter, TExportCell& cell, double width);
// The ODS form: text laid out 2 pixels narrower; several lines give their measured height + 2.
double CalcODSCellTextHeight(TCustomExporter& exporter, TExportCell& cell, double width);

}  // namespace workbook
