#include "workbook/formats/xlsx/xlsx_part_claims.h"

#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"

namespace workbook {

void TXLSXPartClaims::Claim(const std::string& part) {
  if (!claimed_.insert(part).second)
    throw EWorkbookFileException(WorkbookLng_InvalidXLSX + u"\r\n\r\n" +
                                 platform::Utf8ToUtf16(part) +
                                 u": named by more than one sheet relationship");
}

}  // namespace workbook
