#pragma once
// The library's failures. Each carries only a message, kept as UTF-16 (the library's text) and as
// UTF-8 for what().
#include <stdexcept>
#include <string>

namespace workbook {

// The run time's exception class with the library's message: every failure the library raises
// derives from it, the workbook's own and those of the lower units (storage, shared strings) alike.
class ELibraryException : public std::runtime_error {
 public:
  explicit ELibraryException(const std::u16string& message);
  const std::u16string& Message() const { return message_; }
  // The class name as the library names it, for reports such as wbdump's.
  virtual const char* ClassName() const = 0;

 private:
  std::u16string message_;
};

#define WORKBOOK_EXCEPTION(Name, Base)                       \
  class Name : public Base {                                 \
   public:                                                   \
    using Base::Base;                                        \
    const char* ClassName() const override { return #Name; } \
  };

// General library failure.
WORKBOOK_EXCEPTION(EWorkbookException, ELibraryException)
// A file name that no handler claims, or an image file name without an extension.
WORKBOOK_EXCEPTION(EWorkbookFileNameException, EWorkbookException)
// File content that is not valid for its format.
WORKBOOK_EXCEPTION(EWorkbookFileException, EWorkbookException)
// Compound-file storage failures (XLS container); the XLS reader turns them into
// EWorkbookFileException.
WORKBOOK_EXCEPTION(EOleStorageException, ELibraryException)
// The XLS shared-string table.
WORKBOOK_EXCEPTION(EXLSSharedStrings, ELibraryException)
// A damaged or unreadable zip container; importers turn it into EWorkbookFileException.
WORKBOOK_EXCEPTION(EZipFileInvalid, EWorkbookException)

#undef WORKBOOK_EXCEPTION

}  // namespace workbook
