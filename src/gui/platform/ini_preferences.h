#pragma once
// The program's preferences in the initialisation file (lumora.ini), and the
// main window's placement there.
#include <QRect>
#include <QString>
#include <array>
#include <optional>

#include "core/platform/preferences.h"
#include "core/platform/screen.h"

namespace lumora {

class Profile;

// The preferences in lumora.ini's "prefs", "mainwin" and "colors"
// sections. Loading keeps the built-in value of every key that is absent;
// saving writes everything but the main window's placement, which the main
// window saves itself. The built-in value of "Jpeg256" follows the depth of
// the screen the pictures are shown on (Jpeg256ByDefault).
void LoadPreferences(Preferences& preferences, const Profile& profile, int screenDepth = ScreenDepth());
void SavePreferences(const Preferences& preferences, Profile& profile);

// The main window's placement in "mainwin", with its bars and how it shows
// the document windows.
struct WindowPlacement {
    std::optional<QRect> normal;  // from "Pos", when present
    bool maximized = false;
    bool toolBar = true;
    bool statusBar = true;
    bool tabbedWindows = false;  // "Fenêtres en onglets"

    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// The sixteen custom colours alone, as the "colors" section holds them
// ("CustColor01" to "CustColor16", decimal Rgb values).
void SaveCustomColors(Profile& profile, const std::array<Rgb, 16>& colors);

WindowPlacement LoadWindowPlacement(const Profile& profile);
void SaveWindowPlacement(Profile& profile, const WindowPlacement& placement);

// "Pos" holds "%04d %04d %04d %04d" (left, top, right, bottom); it is read
// back with atoi at the fixed offsets 0, 5, 10 and 15.
QString FormatPos(const QRect& normal);
QRect ParsePos(const QString& text);

}  // namespace lumora
