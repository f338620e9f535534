#include "workbook/gui/progress_dlg_wrapper_gui.h"

namespace workbook {

TWorkbookProgressDlgWrapperGui::TWorkbookProgressDlgWrapperGui()
    : Dialog(CreateProgressDlg(std::u16string(), 1)) {}

void TWorkbookProgressDlgWrapperGui::SetCaption(const std::u16string& caption) {
  Dialog->SetCaption(caption);
  if (Dialog->isVisible()) ProcessProgressEvents();
}

void TWorkbookProgressDlgWrapperGui::SetSheetText(const std::u16string& sheetName) {
  std::u16string caption = Dialog->GetCaption();
  if (const std::size_t lineBreak = caption.find(u"\r\n"); lineBreak != std::u16string::npos)
    caption.resize(lineBreak);
  if (!sheetName.empty()) caption += u"\r\n" + sheetName;
  Dialog->SetCaption(caption);
}

void TWorkbookProgressDlgWrapperGui::SetProgress(long long position, long long max) {
  Dialog->SetBarProgress(0, position, max);
}

std::unique_ptr<TWorkbookProgressDlgWrapper> TWorkbookProgressDlgWrapperGui::Create() {
  return std::make_unique<TWorkbookProgressDlgWrapperGui>();
}

}  // namespace workbook
