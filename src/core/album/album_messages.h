#pragma once
// The texts the album core shows, from the string table.
#include <string>

#include "core/res/strings.h"

namespace lumora::album_text {

inline std::string AlbumTitle() { return LoadString(kStrAlbumTitle); }
inline std::string AlbumDescription() { return LoadString(kStrAlbumDescription); }
inline std::string Loading() { return LoadString(kStrLoadingFile); }  // "%s": the path
inline std::string Converting() { return LoadString(kStrConvertingPictures); }
inline std::string UnnamedTab() { return LoadString(kStrUntitled); }
inline std::string FirstTabStays() { return LoadString(kStrFirstTabStays); }
inline std::string TabAlreadyThere() { return LoadString(kStrTabAlreadyThere); }
inline std::string WrongPassword() { return LoadString(kStrWrongPassword); }
inline std::string NotAnAlbum() { return LoadString(kStrNotAnAlbum); }
// The refusal of a password the album file cannot hold (no number of its own).
inline std::string PasswordCharacter()
{
    return "Le mot de passe contient un caractère qui ne peut pas être enregistré dans "
           "l'album (caractère de contrôle U+0081). Veuillez choisir un autre mot de passe.";
}

// The document framework's file messages; %1 is the file's path.
inline std::string FailedToOpen() { return LoadString(kStrFailedToOpen); }
inline std::string FailedToSave() { return LoadString(kStrFailedToSave); }
inline std::string InvalidFormat() { return LoadString(kStrInvalidFormat); }
inline std::string InvalidPath() { return LoadString(kStrPathNotFound); }
inline std::string DiskFull() { return LoadString(kStrDiskFull); }
inline std::string AccessRead() { return LoadString(kStrAccessDeniedRead); }
inline std::string AccessWrite() { return LoadString(kStrAccessDeniedWrite); }
inline std::string IoErrorRead() { return LoadString(kStrIoErrorRead); }
inline std::string IoErrorWrite() { return LoadString(kStrIoErrorWrite); }

}  // namespace lumora::album_text
