#include "workbook/model/local_number_text.h"

#include "platform/float_text.h"
#include "platform/format_settings.h"

namespace workbook {

bool TryStrToFloatLocal(const std::u16string& text, double& value) {
  double parsed = 0;
  bool ok = platform::TryTextToFloat(text, platform::FormatSettings().DecimalSeparator, parsed);
  value = ok ? parsed : 0;
  return ok;
}

}  // namespace workbook
