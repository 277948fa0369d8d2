#pragma once
// "Impression d'un album": whether the photos' descriptions are printed,
// and the album's pages or its covers. The choices are kept whatever
// button closes the dialog: the descriptions in the preferences, the cover
// choice for as long as the program runs.
#include <QDialog>

class QCheckBox;
class QRadioButton;

namespace lumora {

struct Preferences;

// Pages (false) or covers (true): the last choice, false at start-up.
bool& AlbumCoverMode();

class AlbumPrintDialog final : public QDialog {
    Q_OBJECT
public:
    AlbumPrintDialog(Preferences& prefs, QWidget* parent = nullptr);

    void done(int result) override;

private:
    Preferences& prefs_;
    QCheckBox* descriptions_;
    QRadioButton* contents_;
    QRadioButton* covers_;
};

}  // namespace lumora
