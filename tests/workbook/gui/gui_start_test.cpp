#include "workbook/gui/gui_start.h"

#include <gtest/gtest.h>

#include <typeinfo>

#include "workbook/formats/exporter_registry.h"
#include "workbook/formats/library_start.h"
#include "workbook/gui/gui_exporters.h"
#include "workbook/gui/progress_dlg_wrapper_gui.h"
#include "workbook/gui/text_measuring.h"
#include "workbook/model/measuring_hooks.h"

namespace workbook {
namespace {

TEST(GuiStartTest, PutsTheMeasuringHandlersFirstAndInstallsTheHooks) {
  StopWorkbookLibrary();
  StartWorkbookLibrary();
  const int headlessCount = GetExporterCount();
  StartWorkbookGui();
  StartWorkbookGui();  // a second call changes nothing
  ASSERT_EQ(GetExporterCount(), headlessCount);
  EXPECT_EQ(typeid(*GetExporter(0)), typeid(gui::TExporterXLSX));
  EXPECT_EQ(typeid(*GetExporter(1)), typeid(gui::TExporterXLS));
  EXPECT_EQ(typeid(*GetExporter(2)), typeid(gui::TExporterODS));
  EXPECT_EQ(CharWidthHook, &GetFontCharWidth);
  EXPECT_EQ(TextWidthHook, &GetTextWidth);
  ASSERT_TRUE(GetProgressDlgWrapperClass());
  ASSERT_TRUE(GetSelectWorkSheetFunc());
  auto wrapper = GetProgressDlgWrapperClass()();
  EXPECT_NE(dynamic_cast<TWorkbookProgressDlgWrapperGui*>(wrapper.get()), nullptr);
  wrapper.reset();
  StopWorkbookGui();
  StopWorkbookLibrary();
  SetProgressDlgWrapperClass(nullptr);
  SetSelectWorkSheetFunc(nullptr);
}

}  // namespace
}  // namespace workbook
