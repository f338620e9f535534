#pragma once
// Checking the statement's Slovak VAT IDs against a loaded VAT-payer list.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/statement/data.h"
#include "app/statement/vat_payer_list.h"

namespace app {

// What the window does around the scan. Each may be empty.
struct TVATCheckProgress {
  std::function<void()> Started;     // show the wait window
  std::function<void()> RecordDone;  // after every record: let the window handle its events
  std::function<void()> Finished;    // close the wait window; runs on every path after Started
};

struct TVATCheckResult {
  std::string Report;  // the message box's text (Windows-1250)
  int Count = 0;       // IDs reported
};

// Checks A1 "Odb" (Slovak IDs only), A2 "Odb", B2 "Dod", B32 "Dod" and C1 "Odb" (Slovak IDs
// only), in this order, against the list: for the register an ID not in it is reported, for the
// other two kinds an ID in it. An ID whose characters 3 to 12 are no number is not in any list.
TVATCheckResult VATCheck(TVATListKind kind, const std::vector<tVATSubject>& list, const TData& data,
                         const TVATCheckProgress& progress = {});

// The whole command after the open dialog: loads the list file, replaces `loadedList` (the
// program's KVDPH.VATList) with its entries and checks. Nothing, with `loadedList` unchanged,
// for a file of an unknown kind. Reading and conversion errors of the file are raised before
// Started is called.
std::optional<TVATCheckResult> VATCheckFile(const std::string& fileName, const TData& data,
                                            std::vector<tVATSubject>& loadedList,
                                            const TVATCheckProgress& progress = {});

}  // namespace app
