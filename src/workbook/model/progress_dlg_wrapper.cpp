#include "workbook/model/progress_dlg_wrapper.h"

namespace workbook {

namespace {

TProgressDlgWrapperFactory& ProgressFactory() {
  static TProgressDlgWrapperFactory factory;
  return factory;
}

}  // namespace

void SetProgressDlgWrapperClass(TProgressDlgWrapperFactory factory) {
  ProgressFactory() = std::move(factory);
}

const TProgressDlgWrapperFactory& GetProgressDlgWrapperClass() { return ProgressFactory(); }

}  // namespace workbook
