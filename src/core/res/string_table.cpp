#include <algorithm>
#include <iterator>

#include "core/res/strings.h"

namespace lumora {
namespace {

struct StringEntry {
    int id;
    const char* text;
};

// Every text the program shows, by number, in UTF-8. Besides the program's
// own texts (55000 and up) and the framework's messages and indicator
// labels (57344 and up), the table holds the album document type's
// description (3) and the status-bar prompts of the commands that have one
// (their command numbers). Texts that the caller completes keep their
// printf-style (%d, %s, %ld) or framework-style (%1, %2) placeholders, and
// menu-like texts their "&" accelerator marks.
//
// Kept in ascending id order: the lookup is a binary search, and the
// static_assert below refuses to build an unsorted or duplicated table.
constexpr StringEntry kStrings[] = {
    {3, "\nAlbum\nDocument Album\nAlbums (*.qza)\n.qza\nAlbum.Document\nDocument Album"},
    {32798, "Copie tous les fichiers composant l'album dans un seul répertoire."},
    {32801, "Affiche ou cache la fenêtre de propriétés.\nFenêtre de propriétés"},
    {55000, "Titre de l'album"},
    {55001, "Description de l'album, date, auteur..."},
    {55002, "Couverture"},
    {55003, "Page de garde"},
    {55004, "Pages %d-%d"},
    {55005, "Page %d"},
    {55006, "Initialisation de Lumora. Veuillez patienter ..."},
    {55007, "Tous fichiers |*.bmp;*.dib;*.gif;*.jpg;*.jpeg;*.jfif;*.pcd;*.pcx;*.rle;*.tga;*.tif;*.tiff;*.png;*.webp;*.heic;*.heif;*.avif|BMP (Images Windows)|*.bmp|DIB (Images OS/2)|*.dib|GIF (Images Compuserve)|*.gif|"},
    {55008, "Ajouter des photos à l'album"},
    {55009, "Changement de résolution des images en cours..."},
    {55010, "Chargement de %s en cours..."},
    {55011, "Conversion des images en cours..."},
    {55012, "Sans Nom"},
    {55013, "Ajout des images en cours..."},
    {55014, "(indéfini)"},
    {55015, "%ld Ko libres"},
    {55017, "Parcourir"},
    {55018, "Image Windows BMP"},
    {55019, "Image Windows ou OS/2"},
    {55020, "Image GIF Compuserve"},
    {55021, "Image compressée JPEG"},
    {55022, "Image Kodak Photo CD"},
    {55023, "Image ZSoft PaintBrush"},
    {55024, "Image compressée RLE"},
    {55025, "Vidéo AVI Microsoft"},
    {55026, "Animation Autodesk FLI"},
    {55027, "Animation Autodesk FLC"},
    {55028, "Animation Microsoft MMM"},
    {55029, "mono"},
    {55030, "Impossible de coller le contenu du presse-papier. La donnée n'a pas pour origine Lumora ou est erronée."},
    {55031, "%d x %d - %s couleurs - %d %%"},
    {55032, "Corvant Lumora 2.0"},
    {55033, "Nom de police : "},
    {55034, "Taille : "},
    {55035, "Gras : "},
    {55036, "Italique : "},
    {55037, "oui"},
    {55038, "non"},
    {55039, "Propriétés"},
    {55040, "&Enrouler"},
    {55041, "&Dérouler"},
    {55042, "&Fermer"},
    {55043, "%s\n%dx%d, %s couleurs, %s octets"},
    {55046, "Il n'est pas possible de supprimer le premier onglet de l'album."},
    {55047, "Il n'est pas possible d'insérer un onglet avant la première photo d'une section car un autre onglet existe déjà à cet endroit."},
    {55048, "Le mot de passe saisi est incorrect. Vous devez connaître l'ancien mot de passe pour pouvoir le modifier."},
    {55049, "Erreur lors de la vérification du nouveau mot de passe. Veuillez recommencer."},
    {55050, "Mot de passe incorrect. Accès à l'album refusé."},
    {55051, "Voulez-vous réellement supprimer la séquence sonore associée à l'image sélectionnée ?"},
    {55052, "Séquences sonores (*.wav; *.mid)|*.wav;*.mid|Séquences  WAVE (*.wav)|*.wav|Séquences MIDI (*.mid)|*.mid||"},
    {55054, "Le fichier spécifié n'est pas au format Lumora ou nécessite une version plus récente de Lumora."},
    {55057, "Vous avez saisi un chemin incorrect. Vous devez préciser une unité et un chemin d'accès. Veuillez recommencer en spécifiant un autre répertoire."},
    {55058, "L'unité spécifiée n'existe pas, n'est pas valide ou le lecteur réseau n'est pas actif. Veuillez recommencer en spécifiant un autre répertoire."},
    {55060, "L'unité spécifiée n'est pas valide (disquette absente ou réseau inactif). Le rassemblement y est impossible. Veuillez recommencer en spécifiant un autre répertoire."},
    {55062, "Le rassemblement de l'album est terminé."},
    {55063, "Répertoire : "},
    {55064, "Le Runtime Lumora sera copié."},
    {55065, "Le Runtime Lumora ne sera pas copié."},
    {55066, "Les fichiers WAV associés seront copiés."},
    {55067, "Les fichiers WAV associés ne seront pas copiés."},
    {55068, "Les images seront converties au format JPEG."},
    {55069, "Les images ne seront pas converties au format JPEG."},
    {55070, "Copie du Runtime Lumora"},
    {55071, "Copie du fichier album"},
    {55072, "Mémoire insuffisante pour rassembler l'album. Fermez plusieurs applications puis recommencez."},
    {55073, "Impossible d'ouvrir le fichier source."},
    {55074, "Impossible de créer le fichier destination. Vérifiez que l'unité cible soit valide et non protégée en écriture."},
    {55075, "Erreur lors de la lecture du fichier source."},
    {55076, "Erreur lors de l'écriture du fichier. Verifiez que l'unité de destination contienne sufisamment d'espace libre pour accueillir le rassemblement."},
    {55077, "Copie en cours : "},
    {55078, "Copie de l'image "},
    {55079, "Copie du son "},
    {55080, "Chargement de l'image "},
    {55081, "Conversion au format JPEG "},
    {55082, "Erreur lors de la création du fichier image JPEG. Vérifiez que l'unité de destination n'est pas protégée en écriture."},
    {55083, "Conversion au format JPEG de "},
    {55084, "Image Targa"},
    {55085, "Image TIFF"},
    {55086, "JPG (Images JPEG)|*.jpg;*.jpeg;*.jfif|PCD (Images Photo CD)|*.pcd|PCX (Images Zsoft)|*.pcx|RLE (Images Windows)|*.rle|TGA (Images Targa)|*.tga|TIF (Images TIFF)|*.tif;*.tiff|PNG (Images PNG)|*.png|WebP (Images WebP)|*.webp|HEIF (Images HEIC, HEIF, AVIF)|*.heic;*.heif;*.avif||"},
    {55092, "Diaporama"},
    {55093, "Voulez-vous réellement supprimer définitivement le texte sélectionné ?"},
    {55120, "Image PNG"},
    {55121, "Image WebP"},
    {55122, "Image HEIF"},
    {55123, "Image trop grande : %llu x %llu pixels. Lumora n'ouvre pas les images de plus de %llu mégapixels (la variable d'environnement LUMORA_MAX_MEGAPIXELS relève cette limite)."},
    {55124, "Mémoire insuffisante pour lire %s. Fermez plusieurs applications puis recommencez."},
    {55140, "%s a été rassemblé sous le nom %s : ce nom était déjà pris."},
    {55141, "Ce fichier n'est ni une image ni un son que Lumora sait lire : il n'est pas rassemblé."},
    {55142, "Ce fichier est bien plus grand que l'image qu'il annonce : il n'est pas rassemblé."},
    {55200, "%1\nLe format de ce fichier n'est pas reconnu : Lumora ouvre les albums (.qza) et les images BMP, DIB, RLE, GIF, JPEG, PCX, Targa, TIFF et Photo CD."},
    {55260, "Nouvel album à partir d'un dossier"},
    {55261, "Le dossier %1 ne contient aucune image que Lumora sache lire : aucun album n'a été créé."},
    {55262, "Ces fichiers n'ont pas pu être lus ; ils ne sont pas dans l'album :\n%1"},
    {55263, "Lecture des dates de prise de vue..."},
    {57345, "Prêt"},
    {57600, "Crée un nouvel album.\nNouvel album"},
    {59137, "MAJ"},
    {59138, "NUM"},
    {61697, "Impossible d'ouvrir le document."},
    {61698, "Impossible d'enregistrer le document."},
    {61712, "Tapez un nombre entier."},
    {61714, "Tapez un nombre entier compris entre %1 et %2."},
    {61716, "Tapez %1 caractères au maximum."},
    {61728, "Format de fichier inattendu."},
    {61729, "%1\nChemin introuvable. Vérifiez que le chemin et le nom de fichier sont corrects."},
    {61730, "Le disque de destination est plein."},
    {61731, "Impossible de lire %1 : l'accès au fichier est refusé."},
    {61732, "Impossible d'écrire dans %1 : le fichier est en lecture seule ou l'accès est refusé."},
    {61733, "Une erreur inattendue s'est produite lors de la lecture de %1."},
    {61734, "Une erreur inattendue s'est produite lors de l'écriture de %1."},
};

constexpr bool IdsStrictlyAscending()
{
    return std::adjacent_find(std::begin(kStrings), std::end(kStrings),
                              [](const StringEntry& a, const StringEntry& b) {
                                  return a.id >= b.id;
                              }) == std::end(kStrings);
}

static_assert(IdsStrictlyAscending(), "string table ids must be ascending and unique");

const StringEntry* Find(int id)
{
    const auto* end = std::end(kStrings);
    const auto* it = std::lower_bound(std::begin(kStrings), end, id,
                                      [](const StringEntry& e, int wanted) { return e.id < wanted; });
    return it != end && it->id == id ? it : nullptr;
}

}  // namespace

std::string LoadString(int id)
{
    const StringEntry* entry = Find(id);
    return entry ? entry->text : std::string{};
}

bool HasString(int id)
{
    return Find(id) != nullptr;
}

}  // namespace lumora
