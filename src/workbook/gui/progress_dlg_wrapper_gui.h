#pragma once
// The progress wrapper the workbook drives while it loads a file, shown as the progress window.
#include <memory>

#include "workbook/gui/progress_dlg.h"
#include "workbook/model/progress_dlg_wrapper.h"

namespace workbook {

class TWorkbookProgressDlgWrapperGui final : public TWorkbookProgressDlgWrapper {
 public:
  // Shows the window with one bar at 0 of 1 (unless progress windows are switched off).
  TWorkbookProgressDlgWrapperGui();
  // Frees the window, which enables the windows it disabled again.
  ~TWorkbookProgressDlgWrapperGui() override = default;

  void SetCaption(const std::u16string& caption) override;
  // The caption's first line stays; sheetName becomes the second line (none when empty).
  void SetSheetText(const std::u16string& sheetName) override;
  void SetProgress(long long position, long long max) override;

  static std::unique_ptr<TWorkbookProgressDlgWrapper> Create();

  std::unique_ptr<TCustomProgressDlg> Dialog;
};

}  // namespace workbook
