#pragma once
// "Préférences": display, start-up, colours, Photo CD size and JPEG colours.
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>

#include "app/color_button.h"
#include "app/preferences.h"

namespace lumora {

class PreferencesDialog : public QDialog {
    Q_OBJECT
public:
    PreferencesDialog(const Preferences& preferences, QWidget* parent = nullptr);
    // Stores the dialog's values (after OK).
    void Apply(Preferences& preferences) const;

    QCheckBox* shadow = nullptr;
    QCheckBox* animation = nullptr;
    QCheckBox* newOnStartup = nullptr;
    QCheckBox* maximise = nullptr;
    CColorButton* deskColor = nullptr;
    CColorButton* viewerColor = nullptr;
    QButtonGroup* photoCDSize = nullptr;
    QButtonGroup* jpegColors = nullptr;

private:
    std::array<ColorRef, 16> customColors_;
};

}  // namespace lumora
