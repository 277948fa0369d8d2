#pragma once
// "Titre, Description et Polices de l'album": the album's title and its
// effect and colour, the description, and the album's five fonts. The
// dialog edits copies; StoreInto writes them into the
// album's settings, which the caller makes one step of its history.
#include <QDialog>
#include <array>

#include "core/album/album_document.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace lumora {

class ColorButton;
struct AlbumSettings;

class TitleFontsDialog final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTitleLimit = 50;
    static constexpr int kDescriptionLimit = 200;

    explicit TitleFontsDialog(const AlbumDocument& doc, QWidget* parent = nullptr);

    // Description, effect, colour, title and the five fonts.
    void StoreInto(AlbumSettings& settings) const;

    // Refuses (with a message, the dialog staying open) a title or a
    // description longer than its limit.
    void accept() override;

private:
    QWidget* MakeFontRow(int slot, QWidget* parent);
    void ChooseFont(int slot);
    void ShowFontDescription(int slot);
    bool WithinLimit(QLineEdit* edit, int limit);

    TitleEffect effectKept_;
    std::array<TextFont, kAlbumFontCount> fonts_;
    QLineEdit* title_;
    QComboBox* effect_;
    ColorButton* color_;
    QLineEdit* description_;
    std::array<QLabel*, kAlbumFontCount> fontStatics_{};
};

}  // namespace lumora
