#include "app/preferences.h"

#include <algorithm>
#include <cstdlib>

#include "platform/qt/profile.h"

namespace lumora {
namespace {

const QString kPrefs = "prefs";
const QString kMainWin = "mainwin";
const QString kColors = "colors";

QString CustomColorKey(int index)
{
    return QString::asprintf("CustColor%02d", index + 1);
}

ColorRef ColorOr(const QString& text, ColorRef fallback)
{
    if (text.isEmpty())
        return fallback;
    return static_cast<ColorRef>(std::strtoul(text.toLatin1().constData(), nullptr, 10));
}

}  // namespace

void Preferences::Load(const Profile& p)
{
    auto flag = [&](const char* key, bool fallback) {
        return p.GetProfileInt(kPrefs, key, fallback ? 1 : 0) != 0;
    };
    convertJpeg = flag("ConvertJpeg", false);
    copierSons = flag("CopierSons", true);
    copyRuntime = flag("CopyRuntime", true);
    compression = p.GetProfileInt(kPrefs, "Compression", 50);
    animPages = flag("AnimPages", true);
    ombreBureau = flag("OmbreBureau", true);
    bitmapRapide = flag("BitmapRapide", true);
    newOnStartup = flag("NewOnStartup", true);
    maximiseOnOpen = flag("MaximiseOnOpen", true);
    showProp = flag("ShowProp", true);
    printDesc = flag("PrintDesc", true);
    diapoLoop = flag("DiapoLoop", true);
    diapoPause = p.GetProfileInt(kPrefs, "DiapoPause", 10);
    diapoAuto = flag("DiapoAuto", false);
    showApercu = flag("ShowApercu", true);
    jpeg256 = flag("Jpeg256", true);
    soundIsMaster = flag("SoundIsMaster", true);
    photoCDSize = p.GetProfileInt(kPrefs, "PhotoCDSize", 2);
    propPosX = p.GetProfileInt(kMainWin, "PropPosX", -1);
    propPosY = p.GetProfileInt(kMainWin, "PropPosY", -1);
    couleurFondStd = p.GetProfileString(kPrefs, "CouleurFondStd", {});
    couleurView = p.GetProfileString(kPrefs, "CouleurView", {});
    for (int i = 0; i < 16; ++i)
        customColors[static_cast<size_t>(i)] =
            ColorOr(p.GetProfileString(kColors, CustomColorKey(i), "0"), 0);
}

void Preferences::Save(Profile& p) const
{
    auto flag = [&](const char* key, bool value) { p.WriteProfileInt(kPrefs, key, value ? 1 : 0); };
    flag("ConvertJpeg", convertJpeg);
    flag("CopierSons", copierSons);
    flag("CopyRuntime", copyRuntime);
    p.WriteProfileInt(kPrefs, "Compression", compression);
    flag("AnimPages", animPages);
    flag("OmbreBureau", ombreBureau);
    flag("BitmapRapide", bitmapRapide);
    flag("NewOnStartup", newOnStartup);
    flag("MaximiseOnOpen", maximiseOnOpen);
    flag("ShowProp", showProp);
    flag("PrintDesc", printDesc);
    flag("DiapoLoop", diapoLoop);
    p.WriteProfileInt(kPrefs, "DiapoPause", diapoPause);
    flag("DiapoAuto", diapoAuto);
    flag("ShowApercu", showApercu);
    flag("Jpeg256", jpeg256);
    flag("SoundIsMaster", soundIsMaster);
    p.WriteProfileInt(kPrefs, "PhotoCDSize", photoCDSize);
    p.WriteProfileInt(kMainWin, "PropPosX", propPosX);
    p.WriteProfileInt(kMainWin, "PropPosY", propPosY);
    p.WriteProfileString(kPrefs, "CouleurFondStd", couleurFondStd);
    p.WriteProfileString(kPrefs, "CouleurView", couleurView);
    SaveCustomColors(p, customColors);
}

void SaveCustomColors(Profile& p, const std::array<ColorRef, 16>& colors)
{
    for (int i = 0; i < 16; ++i)
        p.WriteProfileString(kColors, CustomColorKey(i), QString::number(colors[static_cast<size_t>(i)]));
}

void Preferences::ClampPropertiesPosition(QSize screen)
{
    if (propPosX == -1)
        propPosX = screen.width() - 150;
    if (propPosY == -1)
        propPosY = screen.height() / 3;
    propPosX = std::max(propPosX, 0);
    propPosY = std::max(propPosY, 0);
    propPosX = std::min(propPosX, screen.width() - 20);
    propPosY = std::min(propPosY, screen.height() - 20);
}

ColorRef Preferences::DeskColor() const
{
    return ColorOr(couleurFondStd, kDefaultDeskColor);
}

ColorRef Preferences::ViewerColor() const
{
    return ColorOr(couleurView, kDefaultViewerColor);
}

QString FormatPos(const QRect& normal)
{
    // Right and bottom are exclusive, as the platform's rectangles were.
    return QString::asprintf("%04d %04d %04d %04d", normal.left(), normal.top(),
                             normal.left() + normal.width(), normal.top() + normal.height());
}

QRect ParsePos(const QString& text)
{
    // Coordinates beyond any screen are cut to a range whose differences
    // still fit an int, whatever the file holds.
    constexpr long kFarthest = 1'000'000;
    const QByteArray bytes = text.toLatin1();
    auto at = [&](int offset) {
        if (offset >= bytes.size())
            return 0;
        const long value = std::strtol(bytes.constData() + offset, nullptr, 10);
        return static_cast<int>(std::clamp(value, -kFarthest, kFarthest));
    };
    const int left = at(0), top = at(5), right = at(10), bottom = at(15);
    return QRect(left, top, right - left, bottom - top);
}

WindowPlacement LoadWindowPlacement(const Profile& p)
{
    WindowPlacement placement;
    const QString pos = p.GetProfileString(kMainWin, "Pos", {});
    if (!pos.isEmpty())
        placement.normal = ParsePos(pos);
    placement.maximized = p.GetProfileInt(kMainWin, "Maximized", 0) != 0;
    placement.toolBar = p.GetProfileInt(kMainWin, "ToolBar", 1) != 0;
    placement.statusBar = p.GetProfileInt(kMainWin, "StatusBar", 1) != 0;
    return placement;
}

void SaveWindowPlacement(Profile& p, const WindowPlacement& placement)
{
    if (placement.normal)
        p.WriteProfileString(kMainWin, "Pos", FormatPos(*placement.normal));
    p.WriteProfileInt(kMainWin, "Maximized", placement.maximized ? 1 : 0);
    p.WriteProfileInt(kMainWin, "ToolBar", placement.toolBar ? 1 : 0);
    p.WriteProfileInt(kMainWin, "StatusBar", placement.statusBar ? 1 : 0);
}

}  // namespace lumora
