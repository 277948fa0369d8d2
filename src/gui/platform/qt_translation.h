#pragma once
// Qt's own texts (OK/Cancel, the file, colour, font and print dialogs) in
// French, like the rest of the program.
class QCoreApplication;

namespace lumora {

// Loads Qt's French catalogue from Qt's translations directory and installs
// it in the application; false when the catalogue is not there (the
// standard dialogs then stay in English).
bool InstallQtFrenchTranslation(QCoreApplication& application);

}  // namespace lumora
