#pragma once
// The progress window as the workbook drives it while a file loads; the user-interface binding
// registers a factory for it.
#include <functional>
#include <memory>
#include <string>

namespace workbook {

class TWorkbookProgressDlgWrapper {
 public:
  virtual ~TWorkbookProgressDlgWrapper() = default;
  virtual void SetCaption(const std::u16string& caption) = 0;
  virtual void SetSheetText(const std::u16string& text) = 0;
  virtual void SetProgress(long long position, long long max) = 0;
};

// The progress wrapper the workbook creates around each load from a stream.
using TProgressDlgWrapperFactory = std::function<std::unique_ptr<TWorkbookProgressDlgWrapper>()>;
void SetProgressDlgWrapperClass(TProgressDlgWrapperFactory factory);
const TProgressDlgWrapperFactory& GetProgressDlgWrapperClass();

}  // namespace workbook
