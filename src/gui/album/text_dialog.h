#pragma once
// The dialogs of text items: "Texte..." (the text, its font and colour,
// used to insert a text and to change one) and "Visualiser un texte".
#include <QDialog>
#include <array>
#include <string>

#include "core/album/text_font.h"
#include "core/album/section_tab.h"

class QLabel;
class QPlainTextEdit;

namespace lumora {

class ColorButton;

// The font and colour each new text starts with: the last ones used. The
// font is "Times New Roman" of 12 points, the colour black, until changed.
struct TextStyle {
    TextFont font;
    Rgb color = 0;
};
TextStyle& LastTextStyle();

class TextDialog : public QDialog {
    Q_OBJECT
public:
    TextDialog(const std::string& text, const TextFont& font, Rgb color,
                std::array<uint32_t, 16>* customColors, QWidget* parent = nullptr);

    // The text as albums keep it (lines ended by CR LF).
    std::string Text() const;
    const TextFont& Font() const { return font_; }
    Rgb Color() const;

    // Takes a font as the font dialog gives it and describes it.
    void SetFont(const TextFont& font);
    // "&Changer la police...": the font dialog on the current font.
    void ChooseFont();

private:
    QPlainTextEdit* edit_ = nullptr;
    QLabel* description_ = nullptr;
    ColorButton* color_ = nullptr;
    TextFont font_;
};

// "Visualiser un texte": the text, read only, with a single "  OK  ".
class ViewTextDialog : public QDialog {
    Q_OBJECT
public:
    explicit ViewTextDialog(const std::string& text, QWidget* parent = nullptr);
};

// Album texts end their lines with CR LF; the edit fields with LF.
QString TextForEditing(const std::string& albumText);
std::string TextFromEditing(const QString& edited);

}  // namespace lumora
