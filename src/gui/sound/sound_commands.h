#pragma once
// The album window's sound commands: associate a sound with the selected
// photo (a file dialog that can listen to the file selected), play it (F8)
// and remove it; and the sound file dialog itself.
#include <QFileDialog>

namespace lumora {

class CommandHost;

void InstallSoundCommands(CommandHost& frame);

// The open dialog for a WAVE or MIDI file, with a button "&Ecouter la
// séquence sonore" that plays the file selected; selecting another file,
// or any other button, stops it, and so does closing the dialog.
class SoundFileDialog : public QFileDialog {
    Q_OBJECT
public:
    SoundFileDialog(const QString& currentSound, QWidget* parent);
    ~SoundFileDialog() override;
    QPushButton* ListenButton() const { return listen_; }
    QString Selection() const { return selection_; }

protected:
    void done(int result) override;

private:
    QPushButton* listen_ = nullptr;
    QString selection_;
};

}  // namespace lumora
