#pragma once
// The texts the album core shows, from the string table.
#include <string>

#include "res/strings.h"

namespace lumora::album_text {

inline std::string AlbumTitle() { return LoadString(55000); }
inline std::string AlbumDescription() { return LoadString(55001); }
inline std::string Loading() { return LoadString(55010); }     // "%s": the path
inline std::string Converting() { return LoadString(55011); }
inline std::string UnnamedTab() { return LoadString(55012); }
inline std::string FirstTabStays() { return LoadString(55046); }
inline std::string TabAlreadyThere() { return LoadString(55047); }
inline std::string WrongPassword() { return LoadString(55050); }
inline std::string NotAnAlbum() { return LoadString(55054); }
// The refusal of a password the album file cannot hold (no number of its own).
inline std::string PasswordCharacter()
{
    return "Le mot de passe contient un caractère qui ne peut pas être enregistré dans "
           "l'album (caractère de contrôle U+0081). Veuillez choisir un autre mot de passe.";
}

// The document framework's file messages; %1 is the file's path.
inline std::string FailedToOpen() { return LoadString(61697); }
inline std::string FailedToSave() { return LoadString(61698); }
inline std::string InvalidFormat() { return LoadString(61728); }
inline std::string InvalidPath() { return LoadString(61729); }
inline std::string DiskFull() { return LoadString(61730); }
inline std::string AccessRead() { return LoadString(61731); }
inline std::string AccessWrite() { return LoadString(61732); }
inline std::string IoErrorRead() { return LoadString(61733); }
inline std::string IoErrorWrite() { return LoadString(61734); }

}  // namespace lumora::album_text
