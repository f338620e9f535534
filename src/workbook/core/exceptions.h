#pragma once
// The library's failures. Each carries only a message, kept as UTF-16 (the library's text) and as
// UTF-8 for what().
#include <stdexcept>
#include <string>

namespace workbook {

class EWorkbookException : public std::runtime_error {
 public:
  explicit EWorkbookException(const std::u16string& message);
  const std::u16string& Message() const { return message_; }
  // The class name as the library names it, for reports such as wbdump's.
  virtual const char* ClassName() const { return "EWorkbookException"; }

 private:
  std::u16string message_;
};

#define WORKBOOK_EXCEPTION(Name, Base)                       \
  class Name : public Base {                                 \
   public:                                                   \
    using Base::Base;                                        \
    const char* ClassName() const override { return #Name; } \
  };

// A file name that no handler claims, or an image file name without an extension.
WORKBOOK_EXCEPTION(EWorkbookFileNameException, EWorkbookException)
// File content that is not valid for its format.
WORKBOOK_EXCEPTION(EWorkbookFileException, EWorkbookException)
// Compound-file storage failures (XLS container).
WORKBOOK_EXCEPTION(EOleStorageException, EWorkbookException)
// The XLS shared-string table.
WORKBOOK_EXCEPTION(EXLSSharedStrings, EWorkbookException)
// A damaged or unreadable zip container; importers turn it into EWorkbookFileException.
WORKBOOK_EXCEPTION(EZipFileInvalid, EWorkbookException)

#undef WORKBOOK_EXCEPTION

}  // namespace workbook
