#pragma once
// The program's initialisation file: sections of named values, numbers as
// decimal text, kept as `lumora.ini` in the user's configuration directory.
#include <QSettings>
#include <QString>

namespace lumora {

class Profile {
public:
    // The file at `iniPath`, or the user's lumora.ini when empty.
    explicit Profile(const QString& iniPath = {});

    int GetProfileInt(const QString& section, const QString& key, int fallback) const;
    QString GetProfileString(const QString& section, const QString& key,
                             const QString& fallback) const;
    void WriteProfileInt(const QString& section, const QString& key, int value);
    void WriteProfileString(const QString& section, const QString& key, const QString& value);
    // Writes pending changes. QSettings writes the file through QSaveFile:
    // a temporary file beside it, synced and renamed over it (links
    // followed, permissions kept), so a failure leaves the old file whole.
    // False when the file could not be written.
    bool Sync()
    {
        settings_.sync();
        return settings_.status() == QSettings::NoError;
    }
    QString FileName() const { return settings_.fileName(); }

    static QString DefaultPath();

private:
    mutable QSettings settings_;
};

}  // namespace lumora
