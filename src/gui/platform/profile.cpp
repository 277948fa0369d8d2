#include "gui/platform/profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cstdlib>
#include <limits>

namespace lumora {

QString Profile::DefaultPath()
{
    // $XDG_CONFIG_HOME/lumora/lumora.ini (~/.config/lumora/lumora.ini).
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString dir = config + "/lumora";
    QDir().mkpath(dir);
    const QString path = dir + "/lumora.ini";
    // Earlier versions kept the file one folder deeper: taken over once,
    // the first time the new place is missing. The old file stays.
    const QString oldPath = config + "/lumora/lumora/lumora.ini";
    if (!QFileInfo::exists(path) && QFileInfo::exists(oldPath))
        QFile::copy(oldPath, path);
    return path;
}

Profile::Profile(const QString& iniPath)
    : path_(iniPath.isEmpty() ? DefaultPath() : iniPath), values_(LoadIniFile(path_.toStdString()))
{
}

Profile::~Profile()
{
    Sync();
}

int Profile::GetProfileInt(const QString& section, const QString& key, int fallback) const
{
    const auto value = values_.Get(section.toStdString(), key.toStdString());
    if (!value)
        return fallback;
    // Like the platform's profile reader: leading digits count, the rest
    // is ignored; no digits at all reads as 0. Numbers beyond an int stop
    // at its limits.
    const long long number = std::strtoll(value->c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long long>(number, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

QString Profile::GetProfileString(const QString& section, const QString& key,
                                  const QString& fallback) const
{
    const auto value = values_.Get(section.toStdString(), key.toStdString());
    return value ? QString::fromStdString(*value) : fallback;
}

void Profile::WriteProfileInt(const QString& section, const QString& key, int value)
{
    WriteProfileString(section, key, QString::number(value));
}

void Profile::WriteProfileString(const QString& section, const QString& key, const QString& value)
{
    values_.Set(section.toStdString(), key.toStdString(), value.toStdString());
    pending_.Set(section.toStdString(), key.toStdString(), value.toStdString());
}

bool Profile::Sync()
{
    if (pending_.IsEmpty())
        return true;
    if (SaveIniChanges(path_.toStdString(), pending_))
        return false;
    pending_ = {};
    return true;
}

}  // namespace lumora
