#include "gui/platform/ini_preferences.h"

#include <algorithm>
#include <cstdlib>

#include "gui/platform/profile.h"

namespace lumora {
namespace {

const QString kPrefs = "prefs";
const QString kMainWin = "mainwin";
const QString kColors = "colors";

QString CustomColorKey(int index)
{
    return QString::asprintf("CustColor%02d", index + 1);
}

}  // namespace

void LoadPreferences(Preferences& prefs, const Profile& p, int screenDepth)
{
    auto flag = [&](const char* key, bool fallback) {
        return p.GetProfileInt(kPrefs, key, fallback ? 1 : 0) != 0;
    };
    prefs.convertJpeg = flag("ConvertJpeg", false);
    prefs.copySounds = flag("CopierSons", true);
    prefs.copyRuntime = flag("CopyRuntime", true);
    prefs.webSizes = flag("WebSizes", true);
    prefs.compression = p.GetProfileInt(kPrefs, "Compression", 50);
    prefs.animatePages = flag("AnimPages", true);
    prefs.deskShadow = flag("OmbreBureau", true);
    prefs.fastBitmaps = flag("BitmapRapide", true);
    prefs.albumZoomPercent = p.GetProfileInt(kPrefs, "ZoomAlbum", 0);
    prefs.newOnStartup = flag("NewOnStartup", true);
    prefs.maximiseOnOpen = flag("MaximiseOnOpen", true);
    prefs.showProperties = flag("ShowProp", true);
    prefs.printDescriptions = flag("PrintDesc", true);
    prefs.slideshowLoop = flag("DiapoLoop", true);
    prefs.slideshowPause = p.GetProfileInt(kPrefs, "DiapoPause", 10);
    prefs.slideshowAuto = flag("DiapoAuto", false);
    prefs.slideshowRealSize = flag("DiapoTailleReelle", false);
    prefs.showPreview = flag("ShowApercu", true);
    prefs.jpeg256 = flag("Jpeg256", Jpeg256ByDefault(screenDepth));
    prefs.previews256 = flag("Apercus256", false);
    prefs.soundIsMaster = flag("SoundIsMaster", true);
    prefs.photoCDSize = p.GetProfileInt(kPrefs, "PhotoCDSize", 2);
    prefs.propertiesX = p.GetProfileInt(kMainWin, "PropPosX", -1);
    prefs.propertiesY = p.GetProfileInt(kMainWin, "PropPosY", -1);
    prefs.standardDeskColor = p.GetProfileString(kPrefs, "CouleurFondStd", {}).toStdString();
    prefs.viewerColor = p.GetProfileString(kPrefs, "CouleurView", {}).toStdString();
    for (int i = 0; i < 16; ++i)
        prefs.customColors[static_cast<size_t>(i)] =
            ColorOr(p.GetProfileString(kColors, CustomColorKey(i), "0").toStdString(), 0);
}

void SavePreferences(const Preferences& prefs, Profile& p)
{
    auto flag = [&](const char* key, bool value) { p.WriteProfileInt(kPrefs, key, value ? 1 : 0); };
    flag("ConvertJpeg", prefs.convertJpeg);
    flag("CopierSons", prefs.copySounds);
    flag("CopyRuntime", prefs.copyRuntime);
    flag("WebSizes", prefs.webSizes);
    p.WriteProfileInt(kPrefs, "Compression", prefs.compression);
    flag("AnimPages", prefs.animatePages);
    flag("OmbreBureau", prefs.deskShadow);
    flag("BitmapRapide", prefs.fastBitmaps);
    p.WriteProfileInt(kPrefs, "ZoomAlbum", prefs.albumZoomPercent);
    flag("NewOnStartup", prefs.newOnStartup);
    flag("MaximiseOnOpen", prefs.maximiseOnOpen);
    flag("ShowProp", prefs.showProperties);
    flag("PrintDesc", prefs.printDescriptions);
    flag("DiapoLoop", prefs.slideshowLoop);
    p.WriteProfileInt(kPrefs, "DiapoPause", prefs.slideshowPause);
    flag("DiapoAuto", prefs.slideshowAuto);
    flag("DiapoTailleReelle", prefs.slideshowRealSize);
    flag("ShowApercu", prefs.showPreview);
    flag("Jpeg256", prefs.jpeg256);
    flag("Apercus256", prefs.previews256);
    flag("SoundIsMaster", prefs.soundIsMaster);
    p.WriteProfileInt(kPrefs, "PhotoCDSize", prefs.photoCDSize);
    p.WriteProfileInt(kMainWin, "PropPosX", prefs.propertiesX);
    p.WriteProfileInt(kMainWin, "PropPosY", prefs.propertiesY);
    p.WriteProfileString(kPrefs, "CouleurFondStd", QString::fromStdString(prefs.standardDeskColor));
    p.WriteProfileString(kPrefs, "CouleurView", QString::fromStdString(prefs.viewerColor));
    SaveCustomColors(p, prefs.customColors);
}

void SaveCustomColors(Profile& p, const std::array<Rgb, 16>& colors)
{
    for (int i = 0; i < 16; ++i)
        p.WriteProfileString(kColors, CustomColorKey(i), QString::number(colors[static_cast<size_t>(i)]));
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
    placement.tabbedWindows = p.GetProfileInt(kMainWin, "FenetresOnglets", 0) != 0;
    return placement;
}

void SaveWindowPlacement(Profile& p, const WindowPlacement& placement)
{
    if (placement.normal)
        p.WriteProfileString(kMainWin, "Pos", FormatPos(*placement.normal));
    p.WriteProfileInt(kMainWin, "Maximized", placement.maximized ? 1 : 0);
    p.WriteProfileInt(kMainWin, "ToolBar", placement.toolBar ? 1 : 0);
    p.WriteProfileInt(kMainWin, "StatusBar", placement.statusBar ? 1 : 0);
    p.WriteProfileInt(kMainWin, "FenetresOnglets", placement.tabbedWindows ? 1 : 0);
}

}  // namespace lumora
