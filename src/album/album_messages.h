#pragma once
// The texts the album core shows, by their string-table numbers.
namespace lumora::album_text {

inline constexpr const char* kAlbumTitle = "Titre de l'album";                          // 55000
inline constexpr const char* kAlbumDescription = "Description de l'album, date, auteur...";  // 55001
inline constexpr const char* kLoading = "Chargement de %s en cours...";                 // 55010
inline constexpr const char* kConverting = "Conversion des images en cours...";         // 55011
inline constexpr const char* kUnnamedTab = "Sans Nom";                                  // 55012
inline constexpr const char* kFirstTabStays =                                           // 55046
    "Il n'est pas possible de supprimer le premier onglet de l'album.";
inline constexpr const char* kTabAlreadyThere =                                         // 55047
    "Il n'est pas possible d'insérer un onglet avant la première photo d'une section "
    "car un autre onglet existe déjà à cet endroit.";
inline constexpr const char* kWrongPassword =                                           // 55050
    "Mot de passe incorrect. Accès à l'album refusé.";
inline constexpr const char* kNotAnAlbum =                                              // 55054
    "Le fichier spécifié n'est pas au format Lumora ou nécessite une version plus "
    "récente de Lumora.";
// Not numbered yet: the refusal of a password the album file cannot hold.
inline constexpr const char* kPasswordCharacter =
    "Le mot de passe contient un caractère qui ne peut pas être enregistré dans "
    "l'album (caractère de contrôle U+0081). Veuillez choisir un autre mot de passe.";

// The document framework's file messages; %1 is the file's path.
inline constexpr const char* kFailedToOpen = "Impossible d'ouvrir le document.";        // 61697
inline constexpr const char* kFailedToSave = "Impossible d'enregistrer le document.";   // 61698
inline constexpr const char* kInvalidFormat = "Format de fichier inattendu.";           // 61728
inline constexpr const char* kInvalidPath =                                             // 61729
    "%1\nChemin introuvable. Vérifiez que le chemin et le nom de fichier sont corrects.";
inline constexpr const char* kDiskFull = "Le disque de destination est plein.";          // 61730
inline constexpr const char* kAccessRead =                                              // 61731
    "Impossible de lire %1 : l'accès au fichier est refusé.";
inline constexpr const char* kAccessWrite =                                             // 61732
    "Impossible d'écrire dans %1 : le fichier est en lecture seule ou l'accès est refusé.";
inline constexpr const char* kIoErrorRead =                                             // 61733
    "Une erreur inattendue s'est produite lors de la lecture de %1.";
inline constexpr const char* kIoErrorWrite =                                            // 61734
    "Une erreur inattendue s'est produite lors de l'écriture de %1.";

}  // namespace lumora::album_text
