#pragma once
// The "Diaporama" options dialog: manual or automatic show, and for the
// automatic one the pause, the loop and the wait for each photo's sound;
// plus the choice of showing large photos at their real size.
#include <QDialog>

#include "core/platform/preferences.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace lumora {

class SlideshowOptionsDialog : public QDialog {
    Q_OBJECT
public:
    SlideshowOptionsDialog(const Preferences& prefs, QWidget* parent);
    // The dialog's choices written into the four slideshow preferences and
    // the real-size one (after OK).
    void Apply(Preferences& prefs) const;
    bool Automatic() const;
    int Pause() const { return pause_; }

    void accept() override;

private:
    void EnableAutomaticControls(bool on);

    QRadioButton* manual_ = nullptr;
    QRadioButton* automatic_ = nullptr;
    QCheckBox* loop_ = nullptr;
    QLineEdit* pauseEdit_ = nullptr;
    QLabel* pauseLabel_ = nullptr;
    QLabel* secondsLabel_ = nullptr;
    QCheckBox* wait_ = nullptr;
    QLabel* waitContinued_ = nullptr;
    QCheckBox* realSize_ = nullptr;
    int pause_ = 0;
};

}  // namespace lumora
