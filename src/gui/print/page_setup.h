#pragma once
// The program's printer: one for the whole run, so that the paper, margins
// and orientation chosen in "Configurer l'impression..." stay chosen until
// the program ends and every printing command starts from them.
class QPrinter;
class QWidget;

namespace lumora {

QPrinter& ApplicationPrinter();

// The page set-up dialog on the program's printer; true when the user
// confirmed it (the printer then holds the new settings).
bool ShowPageSetup(QWidget* parent);

}  // namespace lumora
