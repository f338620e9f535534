#pragma once
// The settings window's check of what the user typed before it is saved.
#include <string>

#include "app/statement/settings_file.h"

namespace app {

// Every problem as one line (Windows-1250), in the order sheet names, offsets, column numbers;
// the duplicate column numbers of a section only when those found nothing. The lines are joined
// by CR LF; empty when everything is valid.
std::string ValidateSettingsValues(const TSettingsValues& values);

}  // namespace app
