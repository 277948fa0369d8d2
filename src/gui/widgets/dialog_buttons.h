#pragma once
// The button rows of the album's dialogs.
#include <QString>

class QBoxLayout;
class QDialog;

namespace lumora {

// "OK", "Annuler" and "Aide" (the help opens beside the dialog), named
// "IDOK", "IDCANCEL" and "IDHELP".
void AddOkCancelHelp(QDialog& dialog, QBoxLayout& layout);

// One accepting and one rejecting button ("  Oui  " / "  Non  ", or a single
// "  OK  " when `no` is empty), named "IDOK" and "IDCANCEL".
void AddAnswerButtons(QDialog& dialog, QBoxLayout& layout, const QString& yes, const QString& no);

}  // namespace lumora
