#pragma once
// "Préférences": display, start-up, colours, Photo CD size and JPEG colours.
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>

#include "gui/widgets/color_button.h"
#include "gui/platform/ini_preferences.h"

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
    ColorButton* deskColor = nullptr;
    ColorButton* viewerColor = nullptr;
    QButtonGroup* photoCDSize = nullptr;
    QButtonGroup* jpegColors = nullptr;
    QCheckBox* previews256 = nullptr;

private:
    std::array<Rgb, 16> customColors_;
};

}  // namespace lumora
