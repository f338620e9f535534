#pragma once
// Qt's own texts (the file dialogs, the standard buttons, the context menus) in the program's
// language.
class QCoreApplication;

namespace platform {

// Loads Qt's Slovak translation from Qt's translations folder into the application; false when
// it is not installed (Qt then speaks English).
bool InstallSlovakQtTexts(QCoreApplication& application);

}  // namespace platform
