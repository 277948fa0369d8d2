#pragma once
// The album's picture file dialogs: Qt's own (non-native) open dialog with
// the picture filter and a side panel previewing the current file, whether
// the cursor in the list or a name typed in the name field chose it.
// Inserting images adds the choice between inserting before or after the
// current image; browsing for a lost picture has the preview only.
#include <QFileDialog>
#include <QStringList>

class QRadioButton;

namespace lumora {

class PicturePreviewPanel;

// Whether the last insertion went after the current image; the insert
// dialog starts from it and writes it back (kept while the program runs).
bool& InsertAfterFlag();

class PictureFileDialog : public QFileDialog {
    Q_OBJECT
public:
    enum class Purpose {
        InsertImages,  // several files, "Ajouter des photos à l'album"
        Browse,        // one existing file, "Parcourir"
    };

    // `showPreview` is the preference the preview check box starts from;
    // it takes the box's state only when the dialog ends with OK.
    PictureFileDialog(Purpose purpose, bool& showPreview, QWidget* parent = nullptr);

    void done(int result) override;

    PicturePreviewPanel& Preview() const { return *preview_; }
    // The insertion choice (insert dialog only; false otherwise).
    bool InsertAfter() const;

private:
    void AddInsertionChoice(QWidget* panel);
    void PreviewTypedFile(const QString& text);

    bool& showPreviewPreference_;
    bool showPreview_;  // the check box's state while the dialog is open
    PicturePreviewPanel* preview_ = nullptr;
    QRadioButton* after_ = nullptr;
};

// The insert dialog: the chosen paths in the dialog's order, empty on Cancel.
QStringList AskImagesToInsert(QWidget* parent, bool& showPreview);

// Browsing for another picture from `current`: the chosen path, empty on
// Cancel.
QString BrowseForPicture(QWidget* parent, const QString& current, bool& showPreview);

}  // namespace lumora
