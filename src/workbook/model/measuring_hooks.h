#pragma once
// The text-measuring hooks through which the library sizes columns and rows. The windowing
// binding installs real measuring; without one, InstallHeadlessMeasuring puts estimates from the
// font-metrics table in place. Writing a workbook refuses to run while the hooks are unset.
#include <string_view>

#include "workbook/model/font.h"

namespace workbook {

// Average width of one digit in pixels.
using TCharWidthHook = int (*)(const TExportFont& font);
// Single-line width of a text in pixels.
using TTextWidthHook = int (*)(std::u16string_view text, const TExportFont& font);

extern TCharWidthHook CharWidthHook;
extern TTextWidthHook TextWidthHook;

// Installs estimates from the font-metrics table into hooks that are still unset.
void InstallHeadlessMeasuring();
int HeadlessCharWidth(const TExportFont& font);
int HeadlessTextWidth(std::u16string_view text, const TExportFont& font);

}  // namespace workbook
