#pragma once
// What a list reports to its change handlers.

namespace workbook {

enum class TListNotification { Added, Extracted, Deleted };

}  // namespace workbook
