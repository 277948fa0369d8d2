#include "gui/widgets/color_button.h"

#include <QColorDialog>
#include <QPainter>
#include <QStyleOptionButton>

namespace lumora {
namespace {

struct ProgramColors {
    CustomColors own{};
    CustomColors* colors = &own;
    std::function<void()> changed;
};

ProgramColors& Program()
{
    static ProgramColors program;
    return program;
}

}  // namespace

QColor ToQColor(Rgb color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

Rgb FromQColor(const QColor& color)
{
    return static_cast<Rgb>(color.red()) | (static_cast<Rgb>(color.green()) << 8) |
           (static_cast<Rgb>(color.blue()) << 16);
}

void UseProgramCustomColors(CustomColors* colors, std::function<void()> changed)
{
    ProgramColors& program = Program();
    program.colors = colors ? colors : &program.own;
    program.changed = std::move(changed);
}

CustomColors& ProgramCustomColors()
{
    return *Program().colors;
}

ColorButton::ColorButton(const QString& label, Rgb color, CustomColors* customColors,
                           QWidget* parent)
    : QPushButton(label, parent), color_(color), customColors_(customColors)
{
    setMinimumWidth(140);
    connect(this, &QPushButton::clicked, this, &ColorButton::Choose);
}

ColorButton::ColorButton(const QString& label, Rgb color, QWidget* parent)
    : ColorButton(label, color, nullptr, parent)
{
}

void ColorButton::SetColor(Rgb color)
{
    color_ = color;
    update();
}

void ColorButton::Choose()
{
    // The program's colours are looked up at each click: the application
    // may have pointed them elsewhere since the button was made.
    CustomColors& custom = customColors_ ? *customColors_ : ProgramCustomColors();
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, ToQColor(custom[static_cast<size_t>(i)]));
    const QColor chosen = QColorDialog::getColor(ToQColor(color_), this);
    const CustomColors before = custom;
    for (int i = 0; i < 16; ++i)
        custom[static_cast<size_t>(i)] = FromQColor(QColorDialog::customColor(i));
    if (!customColors_ && custom != before && Program().changed)
        Program().changed();
    if (chosen.isValid())
        SetColor(adjust_ ? adjust_(FromQColor(chosen)) : FromQColor(chosen));
}

void ColorButton::paintEvent(QPaintEvent* event)
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
