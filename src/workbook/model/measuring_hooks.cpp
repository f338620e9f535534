#include "workbook/model/measuring_hooks.h"

#include <algorithm>
#include <cmath>

#include "workbook/model/custom_exporter.h"
#include "workbook/model/font_metrics.h"

namespace workbook {

TCharWidthHook CharWidthHook = nullptr;
TTextWidthHook TextWidthHook = nullptr;

namespace {

// Superscript and subscript text is drawn at 60 per cent of the size.
int MeasuredSize(const TExportFont& font) {
  const int size = font.GetSize() > 0 ? font.GetSize() : 10;
  const std::uint8_t script = font.GetStyle().VertPosition;
  return script == 1 || script == 2 ? static_cast<int>(std::nearbyint(size * 0.6)) : size;
}

int DigitWidth(const TExportFont& font, int size) {
  const TFontMetrics* entry = nullptr;
  TCustomExporter::FindFontMetrics(font.GetName(), entry);
  const int clamped = std::clamp(size, 1, kFontMetricsMaxSize);
  return entry->Width[clamped - 1] * size / clamped;
}

}  // namespace

int HeadlessCharWidth(const TExportFont& font) {
  return DigitWidth(font, font.GetSize() > 0 ? font.GetSize() : 10);
}

int HeadlessTextWidth(std::u16string_view text, const TExportFont& font) {
  return static_cast<int>(text.size()) * DigitWidth(font, MeasuredSize(font));
}

void InstallHeadlessMeasuring() {
  if (CharWidthHook == nullptr) CharWidthHook = HeadlessCharWidth;
  if (TextWidthHook == nullptr) TextWidthHook = HeadlessTextWidth;
}

}  // namespace workbook
