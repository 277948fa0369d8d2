#pragma once
// What every dialog of the program does when it opens: it centres itself
// over its parent (or the screen) and uses the small dialog font.
class QDialog;
class QDialogButtonBox;
class QFont;
class QWidget;

namespace lumora {

// The program's small dialog font: 8-point sans.
const QFont& SmallFont8();

// Centres `dialog` over `parent`, or over the screen without a parent.
void CentrerDialog(QWidget& dialog, const QWidget* parent);

// Both: the small font on the dialog and all its controls, then centring.
void PrepareDialog(QWidget& dialog, const QWidget* parent);

// "OK" and "Annuler" (named IDOK and IDCANCEL, as tests find them) that
// accept and reject `dialog` (its own accept when it overrides it).
QDialogButtonBox* OkCancelButtons(QDialog* dialog);

}  // namespace lumora
