// Initialisation files from anywhere (lumora.ini is the user's to edit): the
// preferences and the main window's placement read from them must stay
// within what the program can use, and what is read must be written and
// read back unchanged.
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

#include "gui/platform/ini_preferences.h"
#include "gui/platform/profile.h"

namespace {

// "Pos" keeps four characters a number: larger or more negative values
// shift what follows and come back different, as they always have.
bool FitsPosFormat(const std::optional<QRect>& normal)
{
    if (!normal)
        return true;
    for (const int v : {normal->left(), normal->top(), normal->left() + normal->width(),
                        normal->top() + normal->height()})
        if (v < -999 || v > 9999)
            return false;
    return true;
}

QString WriteIni(const QTemporaryDir& dir, const uint8_t* data, size_t size)
{
    // A new name each time, so that no run sees another's file.
    static int counter = 0;
    const QString path = dir.filePath(QStringLiteral("lumora-%1.ini").arg(counter++));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lumora;
    static const QTemporaryDir dir;
    const QString input = WriteIni(dir, data, size);
    const QString output = input + QStringLiteral(".out");
    {
        const Profile profile(input);
        Preferences prefs;
        LoadPreferences(prefs, profile);
        const WindowPlacement placement = LoadWindowPlacement(profile);

        Profile written(output);
        SavePreferences(prefs, written);
        SaveWindowPlacement(written, placement);
        written.Sync();
        const Profile reread(output);
        Preferences back;
        LoadPreferences(back, reread);
        if (!(back == prefs))
            __builtin_trap();
        if (FitsPosFormat(placement.normal) && !(LoadWindowPlacement(reread) == placement))
            __builtin_trap();

        // The properties window always keeps a corner on the screen.
        prefs.ClampPropertiesPosition(1024, 768);
        if (prefs.propertiesX < 0 || prefs.propertiesX > 1004 || prefs.propertiesY < 0 || prefs.propertiesY > 748)
            __builtin_trap();
    }
    QFile::remove(input);
    QFile::remove(output);
    return 0;
}
