#pragma once
// The program's initialisation file: sections of named values, numbers as
// decimal text, kept as `lumora.ini` in the "lumora" folder of the user's
// configuration directory.
#include <QString>

#include "core/platform/ini_file.h"

namespace lumora {

class Profile {
public:
    // The file at `iniPath`, or the user's lumora.ini when empty; read now.
    explicit Profile(const QString& iniPath = {});
    // Writes what is pending, as the settings objects of the platform do.
    ~Profile();
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;

    int GetProfileInt(const QString& section, const QString& key, int fallback) const;
    QString GetProfileString(const QString& section, const QString& key,
                             const QString& fallback) const;
    void WriteProfileInt(const QString& section, const QString& key, int value);
    void WriteProfileString(const QString& section, const QString& key, const QString& value);
    // Writes the values changed since the last Sync into the file as it is
    // now, through a temporary file renamed over it (links followed, owner
    // and mode kept): a failure, a full disk among others, leaves the old
    // file whole and the changes pending. False when the file could not be
    // written.
    bool Sync();
    QString FileName() const { return path_; }

    // $XDG_CONFIG_HOME/lumora/lumora.ini, made from the file of the old
    // place ($XDG_CONFIG_HOME/lumora/lumora/lumora.ini) when only that one
    // exists.
    static QString DefaultPath();

private:
    QString path_;
    IniFile values_;
    IniFile pending_;
};

}  // namespace lumora
