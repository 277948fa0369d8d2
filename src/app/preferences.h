#pragma once
// The program-wide preferences, loaded from the initialisation file at
// start and saved at exit.
#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace lumora {

class Profile;

using ColorRef = uint32_t;  // 0x00BBGGRR

constexpr ColorRef kDefaultDeskColor = 0x808000;
constexpr ColorRef kDefaultViewerColor = 0x404040;

struct Preferences {
    // "prefs"
    bool convertJpeg = false;
    bool copierSons = true;
    bool copyRuntime = true;
    int compression = 50;
    bool animPages = true;
    bool ombreBureau = true;
    bool bitmapRapide = true;
    bool newOnStartup = true;
    bool maximiseOnOpen = true;
    bool showProp = true;
    bool printDesc = true;
    bool diapoLoop = true;
    int diapoPause = 10;
    bool diapoAuto = false;
    bool showApercu = true;
    bool jpeg256 = true;
    bool soundIsMaster = true;
    int photoCDSize = 2;
    QString couleurFondStd;  // empty: the built-in desk colour
    QString couleurView;     // empty: the built-in viewer colour
    // "mainwin"
    int propPosX = -1;
    int propPosY = -1;
    // "colors"
    std::array<ColorRef, 16> customColors{};

    void Load(const Profile& profile);
    // Everything but the main window's placement, which the frame saves.
    void Save(Profile& profile) const;

    // -1 means "screen width - 150" and "screen height / 3"; then negative
    // coordinates become 0 and positions keep 20 pixels on the screen.
    void ClampPropertiesPosition(QSize screen);

    friend bool operator==(const Preferences&, const Preferences&) = default;

    ColorRef DeskColor() const;
    ColorRef ViewerColor() const;
};

// The main window's placement in "mainwin".
struct WindowPlacement {
    std::optional<QRect> normal;  // from "Pos", when present
    bool maximized = false;
    bool toolBar = true;
    bool statusBar = true;

    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// The sixteen custom colours alone, as the "colors" section holds them
// ("CustColor01" to "CustColor16", decimal COLORREF values).
void SaveCustomColors(Profile& profile, const std::array<ColorRef, 16>& colors);

WindowPlacement LoadWindowPlacement(const Profile& profile);
void SaveWindowPlacement(Profile& profile, const WindowPlacement& placement);

// "Pos" holds "%04d %04d %04d %04d" (left, top, right, bottom); it is read
// back with atoi at the fixed offsets 0, 5, 10 and 15.
QString FormatPos(const QRect& normal);
QRect ParsePos(const QString& text);

}  // namespace lumora
