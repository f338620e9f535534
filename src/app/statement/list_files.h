#pragma once
// The error and warning lists as text files and the column sums as a CSV file.
#include <string>

#include "app/statement/settings_objects.h"
#include "app/statement/text_lines.h"

namespace app {

// One message a line; an empty list gives an empty file. Written to the chosen name + ".txt";
// returns the name written.
std::string SaveMessageList(const TTextLines& messages, const std::string& chosenName);

// "Sekcia - udaj;Sucet", then one line "<key>;<sum>" for each of the 32 summed columns, the sum as
// a plain decimal number to the cent (AmountText) with the process-wide decimal separator. The EC
// sales list's sum goes out under the key "SV-Z".
TTextLines SumsFileLines(const tDataTotals& totals);

// SumsFileLines written to the chosen name + ".csv"; returns the name written.
std::string SaveSumsFile(const tDataTotals& totals, const std::string& chosenName);

}  // namespace app
