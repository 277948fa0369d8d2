#include "app/color_button.h"

#include <QColorDialog>
#include <QPainter>
#include <QStyleOptionButton>

namespace lumora {

QColor ToQColor(ColorRef color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

ColorRef FromQColor(const QColor& color)
{
    return static_cast<ColorRef>(color.red()) | (static_cast<ColorRef>(color.green()) << 8) |
           (static_cast<ColorRef>(color.blue()) << 16);
}

CColorButton::CColorButton(const QString& label, ColorRef color,
                           std::array<ColorRef, 16>* customColors, QWidget* parent)
    : QPushButton(label, parent), color_(color), customColors_(customColors)
{
    setMinimumWidth(140);
    connect(this, &QPushButton::clicked, this, &CColorButton::Choose);
}

void CColorButton::SetColor(ColorRef color)
{
    color_ = color;
    update();
}

void CColorButton::Choose()
{
    if (customColors_)
        for (int i = 0; i < 16; ++i)
            QColorDialog::setCustomColor(i, ToQColor((*customColors_)[static_cast<size_t>(i)]));
    const QColor chosen = QColorDialog::getColor(ToQColor(color_), this);
    if (customColors_)
        for (int i = 0; i < 16; ++i)
            (*customColors_)[static_cast<size_t>(i)] = FromQColor(QColorDialog::customColor(i));
    if (chosen.isValid())
        SetColor(FromQColor(chosen));
}

void CColorButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    // A swatch at the right end of the button.
    QPainter painter(this);
    const QRect swatch(width() - 34, 6, 26, height() - 12);
    painter.fillRect(swatch, ToQColor(color_));
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
}

}  // namespace lumora
