#pragma once
// The button rows of the album's dialogs.
#include <QString>
#include "gui/widgets/widget_names.h"

class QBoxLayout;
class QDialog;

namespace lumora {

// "OK", "Annuler" and "Aide" (the help opens beside the dialog), named
// kOkButton, kCancelButton and kHelpButton (widget_names.h).
void AddOkCancelHelp(QDialog& dialog, QBoxLayout& layout);

// One accepting and one rejecting button ("  Oui  " / "  Non  ", or a single
// "  OK  " when `no` is empty), named widget_name::kOkButton and widget_name::kCancelButton.
void AddAnswerButtons(QDialog& dialog, QBoxLayout& layout, const QString& yes, const QString& no);

}  // namespace lumora
