#pragma once
// "Propriétés de l'image": what the album knows of a photo (its file, the
// picture's size, colours, file size and type, its sound) with the preview
// and the description, which is the one thing the user edits here.
#include <QDialog>
#include <string>

class QLineEdit;

namespace lumora {

class AlbumItem;

class ImagePropertiesDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDescriptionLimit = 512;

    explicit ImagePropertiesDialog(const AlbumItem& photo, QWidget* parent = nullptr);

    std::string Description() const;

private:
    QLineEdit* description_ = nullptr;
};

}  // namespace lumora
