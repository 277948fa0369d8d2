#pragma once
// "Propriétés de l'album": the desk colour, the page layout, how photos are
// framed, the flyleaf, page numbers, page titles and tabs, and the
// password. The dialog edits copies; StoreInto writes them into the
// album's settings, which the caller makes one step of its history.
#include <QDialog>
#include <string>

#include "core/album/album_document.h"

class QCheckBox;
class QComboBox;
class QListWidget;

namespace lumora {

class ColorButton;
struct AlbumSettings;

class AlbumPropertiesDialog final : public QDialog {
    Q_OBJECT
public:
    explicit AlbumPropertiesDialog(const AlbumDocument& doc, QWidget* parent = nullptr);

    // The layout chosen in the list (the album's own when none is).
    BookLayout Layout() const;
    // The dialog's copy of the password, changed through " &Mot de passe... ".
    const std::string& Password() const { return password_; }

    // Every value of the dialog, the password included.
    void StoreInto(AlbumSettings& settings) const;

private:
    QListWidget* MakeLayoutList();
    void ChangePassword();

    BookLayout layoutKept_;
    FrameStyle frameStyleKept_;
    std::string password_;
    ColorButton* deskColor_;
    QListWidget* layouts_;
    QComboBox* frameStyle_;
    QCheckBox* flyleaf_;
    QCheckBox* pageNumbers_;
    QCheckBox* headerTitle_;
    QCheckBox* useTabs_;
};

}  // namespace lumora
