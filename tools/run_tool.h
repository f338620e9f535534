#pragma once
// What every tool does around its work: the library started with the date and time formats the
// program sets, and a failure printed on stderr as the exception's class and message.
#include <cstdio>
#include <exception>
#include <typeinfo>

#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"
#include "workbook/formats/library_start.h"
#include "workbook/model/workbook.h"

namespace tools {

// Runs Work; 0 when it returns, 2 when it throws.
template <class Work>
int RunTool(Work work) {
  workbook::StartWorkbookLibrary();
  workbook::WorkbookDateFormat = u"%sysdate%";
  workbook::WorkbookTimeFormat = u"%systime%";
  try {
    work();
  } catch (const workbook::ELibraryException& error) {
    std::fprintf(stderr, "%s: %s\n", error.ClassName(),
                 platform::Utf16ToUtf8(error.Message()).c_str());
    return 2;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", typeid(error).name(), error.what());
    return 2;
  }
  return 0;
}

}  // namespace tools
