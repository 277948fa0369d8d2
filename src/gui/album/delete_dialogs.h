#pragma once
// The questions before something leaves the album: "Supprimer une image"
// (with the photo's preview and the trash can) and "Supprimer un onglet".
#include <QDialog>
#include <string>

namespace lumora {

class AlbumItem;

class DeleteImageDialog : public QDialog {
    Q_OBJECT
public:
    explicit DeleteImageDialog(const AlbumItem& photo, QWidget* parent = nullptr);
};

class DeleteTabDialog : public QDialog {
    Q_OBJECT
public:
    explicit DeleteTabDialog(const std::string& tabName, QWidget* parent = nullptr);
};

// The message before a text item is deleted (Yes/No, exclamation icon);
// true for Yes.
bool ConfirmTextDeletion(QWidget* parent);

}  // namespace lumora
