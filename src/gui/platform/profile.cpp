#include "gui/platform/profile.h"

#include <QDir>
#include <QStandardPaths>
#include <algorithm>
#include <cstdlib>
#include <limits>

namespace lumora {
namespace {

QString Key(const QString& section, const QString& key)
{
    return section + '/' + key;
}

}  // namespace

QString Profile::DefaultPath()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(dir);
    return dir + "/lumora.ini";
}

Profile::Profile(const QString& iniPath)
    : settings_(iniPath.isEmpty() ? DefaultPath() : iniPath, QSettings::IniFormat)
{
    settings_.setAtomicSyncRequired(true);  // never write the file in place
}

int Profile::GetProfileInt(const QString& section, const QString& key, int fallback) const
{
    const QVariant value = settings_.value(Key(section, key));
    if (!value.isValid())
        return fallback;
    // Like the platform's profile reader: leading digits count, the rest
    // is ignored; no digits at all reads as 0. Numbers beyond an int stop
    // at its limits.
    const QByteArray text = value.toString().trimmed().toLatin1();
    const long long number = std::strtoll(text.constData(), nullptr, 10);
    return static_cast<int>(std::clamp<long long>(number, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

QString Profile::GetProfileString(const QString& section, const QString& key,
                                  const QString& fallback) const
{
    const QVariant value = settings_.value(Key(section, key));
    return value.isValid() ? value.toString() : fallback;
}

void Profile::WriteProfileInt(const QString& section, const QString& key, int value)
{
    settings_.setValue(Key(section, key), QString::number(value));
}

void Profile::WriteProfileString(const QString& section, const QString& key, const QString& value)
{
    settings_.setValue(Key(section, key), value);
}

}  // namespace lumora
