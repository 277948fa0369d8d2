#pragma once
// A push button showing a colour; clicking it opens the colour dialog with
// the program's sixteen custom colours.
#include <QPushButton>
#include <array>

#include "app/preferences.h"

namespace lumora {

QColor ToQColor(ColorRef color);
ColorRef FromQColor(const QColor& color);

class CColorButton : public QPushButton {
    Q_OBJECT
public:
    CColorButton(const QString& label, ColorRef color, std::array<ColorRef, 16>* customColors,
                 QWidget* parent = nullptr);
    ColorRef Color() const { return color_; }
    void SetColor(ColorRef color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Choose();

    ColorRef color_;
    std::array<ColorRef, 16>* customColors_;
};

}  // namespace lumora
