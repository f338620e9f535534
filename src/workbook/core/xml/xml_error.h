#pragma once
// The XML facility's failure: malformed XML or a misuse of the XML library. The format readers
// turn it into their own file exception.
#include "workbook/core/exceptions.h"

namespace workbook {

class EXmlError : public EWorkbookException {
 public:
  using EWorkbookException::EWorkbookException;
  const char* ClassName() const override { return "EXmlError"; }
};

}  // namespace workbook
