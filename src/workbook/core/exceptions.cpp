#include "workbook/core/exceptions.h"

#include "platform/text_codec.h"

namespace workbook {

ELibraryException::ELibraryException(const std::u16string& message)
    : std::runtime_error(platform::Utf16ToUtf8(message)), message_(message) {}

}  // namespace workbook
