#pragma once
// TWorkbookProgressDlgWrapper: what the workbook reports a load's progress to. The windowing
// binding registers a class that shows a progress window; the headless default shows nothing.
#include <memory>
#include <string>

namespace workbook {

class TWorkbookProgressDlgWrapper {
 public:
  virtual ~TWorkbookProgressDlgWrapper() = default;
  virtual void SetCaption(const std::u16string& text) = 0;
  virtual void SetSheetText(const std::u16string& sheetName) = 0;
  virtual void SetProgress(int position, int max) = 0;
};

// Reports to nobody: loads without a window (tools, tests, servers).
class TWorkbookProgressDlgWrapperHeadless final : public TWorkbookProgressDlgWrapper {
 public:
  void SetCaption(const std::u16string&) override {}
  void SetSheetText(const std::u16string&) override {}
  void SetProgress(int, int) override {}

  static std::unique_ptr<TWorkbookProgressDlgWrapper> Create() {
    return std::make_unique<TWorkbookProgressDlgWrapperHeadless>();
  }
};

}  // namespace workbook
