#pragma once
// The progress wrapper of loads without a window (tools, tests, servers): it reports to nobody.
#include <memory>

#include "workbook/model/progress_dlg_wrapper.h"

namespace workbook {

class TWorkbookProgressDlgWrapperHeadless final : public TWorkbookProgressDlgWrapper {
 public:
  void SetCaption(const std::u16string&) override {}
  void SetSheetText(const std::u16string&) override {}
  void SetProgress(long long, long long) override {}

  static std::unique_ptr<TWorkbookProgressDlgWrapper> Create() {
    return std::make_unique<TWorkbookProgressDlgWrapperHeadless>();
  }
};

}  // namespace workbook
