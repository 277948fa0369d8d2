#pragma once
// A push button showing a colour; clicking it opens the colour dialog with
// the program's sixteen custom colours.
#include <QPushButton>
#include <array>
#include <functional>

#include "gui/platform/ini_preferences.h"

namespace lumora {

QColor ToQColor(Rgb color);
Rgb FromQColor(const QColor& color);

using CustomColors = std::array<Rgb, 16>;

// The sixteen custom colours every colour dialog of the program offers. The
// application points them at its preferences and is told, through
// `changed`, when a colour dialog has altered them, so that the "colors"
// section follows. Without an owner they live in the process only.
void UseProgramCustomColors(CustomColors* colors, std::function<void()> changed = {});
CustomColors& ProgramCustomColors();

class ColorButton : public QPushButton {
    Q_OBJECT
public:
    // With the custom colours of `customColors` (a dialog's working copy,
    // stored by its owner) ...
    ColorButton(const QString& label, Rgb color, CustomColors* customColors,
                 QWidget* parent = nullptr);
    // ... or with the program's own.
    ColorButton(const QString& label, Rgb color, QWidget* parent = nullptr);

    Rgb Color() const { return color_; }
    void SetColor(Rgb color);
    // Applied to every colour chosen in the dialog before the button takes
    // it (the title colour keeps only what the screen can show).
    void SetColorAdjuster(std::function<Rgb(Rgb)> adjust) { adjust_ = std::move(adjust); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Choose();

    Rgb color_;
    CustomColors* customColors_;
    std::function<Rgb(Rgb)> adjust_;
};

}  // namespace lumora
