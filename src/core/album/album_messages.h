#pragma once
// The texts the album core shows, from the string table.
#include <string>

#include "core/album/archive.h"
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

// Asked before a save replaces the version another program wrote since the
// album was read or saved (no number of its own).
inline std::string ChangedOnDiskQuestion(const std::string& path)
{
    return "Le fichier " + path + " a été modifié par un autre programme depuis son ouverture.\n"
           "Voulez-vous le remplacer par la version de cette fenêtre ?\n"
           "(Non : rien n'est enregistré, vos modifications restent dans la fenêtre.)";
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

// Why an album file could not be read, the second line under
// "Format de fichier inattendu." (no number of its own).
inline std::string ArchiveCause(ArchiveError::Cause cause)
{
    switch (cause) {
    case ArchiveError::Cause::EndOfFile: return "Le fichier s'arrête au milieu d'un enregistrement (fichier tronqué).";
    case ArchiveError::Cause::UnknownClass: return "Le fichier contient un type d'objet inconnu.";
    case ArchiveError::Cause::WrongSchema: return "Le fichier contient un objet d'une version inconnue.";
    case ArchiveError::Cause::BadIndex: return "Le fichier contient une référence d'objet invalide.";
    case ArchiveError::Cause::BadCount: return "Le fichier annonce plus de données qu'il n'en contient.";
    case ArchiveError::Cause::UnexpectedObject: return "Un objet manque ou n'est pas du type attendu.";
    case ArchiveError::Cause::WriteFailed: break;
    }
    return "Le fichier n'a pas pu être lu.";
}

}  // namespace lumora::album_text
