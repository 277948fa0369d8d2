// lumora-cli: the album and picture operations of Lumora for scripts and
// batch work.
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/album_commands.h"
#include "cli/album_sound_commands.h"
#ifdef LUMORA_HAVE_GUI
#include "cli/album_print.h"
#include "cli/album_render.h"
#include "cli/album_thumbnail.h"
#endif
#include "cli/cli_support.h"
#include "cli/unread_pictures.h"
#include "cli/image_commands.h"

namespace {

constexpr const char* kHelp = R"(Usage : lumora-cli COMMANDE [ARGUMENTS]

Commandes :
  info FICHIER [--json] [--jpeg256 on|off] [--pcd-size N]
      Lit une image (BMP, DIB, RLE, GIF, PCX, TGA, TIF, JPG, PCD, PNG, WebP,
      HEIC/HEIF, AVIF, choisie par l'extension) et affiche sa largeur, sa
      hauteur, ses bits par pixel, son nombre de couleurs et son type.
      --json : un objet avec les clés width, height, bpp, colors, type.

  convert ENTREE SORTIE.bmp|SORTIE.jpg [--app-palette] [--dither16] [--size LxH]
          [--quality Q] [--jpeg256 on|off] [--pcd-size N]
      Lit ENTREE et l'écrit en bitmap Windows (.bmp) ou en JPEG (.jpg).
        --app-palette  ramène l'image sur la palette de 256 couleurs du
                       programme (tramage ordonné) ;
        --size LxH     réduit l'image à L x H pixels sur cette palette ;
        --dither16     trame l'image (8 ou 24 bits) en 16 couleurs ;
        --quality Q    qualité JPEG de 1 à 100 (75 par défaut), pour une
                       sortie .jpg seulement.

  Options de lecture (info et convert), pour cette exécution seulement :
        --jpeg256 on|off  lit les JPEG en 256 couleurs (on) ou en
                          16,8 millions de couleurs (off, par défaut) ;
        --pcd-size N      taille des images Photo CD : 0 = 192x128,
                          1 = 384x256, 2 = 768x512 (par défaut), 3 = 1536x1024.

  album new FICHIER [--title T] [--description D] [--layout N]
            [--tabs on|off] [--flyleaf on|off] [--force]
      Crée un album vide (un onglet « Sans Nom »). Disposition N de 0 à 6 :
      Poster 1+1, Maxi 2+2, Midi 3+3, Mini 6+6, Micro 12+12, en X, en V.
      Un fichier existant n'est remplacé qu'avec --force.
  album add FICHIER IMAGE... [--at INDEX] [--skip-unreadable]
            [--previews256 on|off]
      Insère des photos avant l'élément INDEX (à la fin par défaut), avec
      leurs aperçus à la taille de la disposition, en couleurs vraies
      (--previews256 on : en 256 couleurs, pour un fichier plus petit). Si une image est
      illisible, rien n'est ajouté (code 1) ; avec --skip-unreadable, les
      images lisibles sont ajoutées et les autres signalées (code 0).
  album add-text FICHIER TEXTE [--at INDEX]
      Insère un texte (Times New Roman 12 points, noir).
  album add-tab FICHIER --before INDEX [--name NOM]
      Insère un onglet avant l'élément INDEX (à partir de 1), qui commence
      alors une nouvelle section.
  album delete FICHIER INDEX
      Supprime l'élément INDEX (à partir de 0) comme la fenêtre de l'album,
      sans confirmation : avec les onglets, un élément seul dans sa section
      emporte son onglet (sauf le dernier élément de l'album).
  album move FICHIER DE VERS
      Déplace l'élément DE pour qu'il soit à la place VERS (à partir de 0),
      comme un glisser-déposer dans la fenêtre ; il rejoint la section de
      l'élément devant lequel il arrive.
  album delete-tab FICHIER ONGLET
      Supprime l'onglet ONGLET (à partir de 0) ; ses éléments rejoignent la
      section précédente. Le premier onglet ne peut pas être supprimé.
  album tab FICHIER ONGLET [--name NOM] [--color C] [--namecolor C]
      Change le nom, la couleur de l'onglet et celle de son nom.
  album text FICHIER INDEX [--text T] [--color C]
             [--font POLICE:HAUTEUR[:bold][:italic]]
      Change le texte, la couleur et la police de l'élément texte INDEX.
      HAUTEUR en pixels comme l'affiche album info (négative : hauteur des
      caractères, -16 pour 12 points ; 1000 au plus) ; bold : gras (700).
  album describe FICHIER INDEX TEXTE
      Donne sa description à la photo numéro INDEX (à partir de 0).
  album set FICHIER CLE=VALEUR...
      Clés : title, description, layout, flyleaf, pagenumbers, headertitle,
      usetabs, frame (0-2), effect (0-2), titlecolor, desk, password.
      Indicateurs : on/off, 1/0, true/false ; couleurs : Rgb décimal
      ou 0xBBGGRR ; password= vide retire le mot de passe.
  album render FICHIER SORTIE.png [--position P] [--selection I] [--size LxH]
      Dessine l'album comme sa fenêtre le montre (position P : -2 couverture,
      -1 page de garde, 0, 2, 4... ; élément I sélectionné ; zone de L x H
      pixels, 580x392 par défaut) et l'écrit en PNG.
  album print FICHIER SORTIE.pdf [--covers] [--descriptions on|off]
              [--paper A4|Letter] [--dpi N]
      Imprime l'album dans un fichier PDF comme sur une imprimante : une
      feuille par page de l'album (titre, photos, descriptions, numéro), ou
      avec --covers les trois feuilles de couverture (couverture, page de
      garde, dos). Papier A4 (par défaut) ou Letter, marges de 5 mm,
      résolution N points par pouce (300 par défaut, de 72 à 1200) ; les
      photos sont lues dans leurs fichiers à la résolution de l'impression.
      --descriptions : la préférence PrintDesc par défaut.
  album sound FICHIER INDEX SEQUENCE
  album sound FICHIER INDEX --remove
      Associe une séquence sonore (un fichier WAVE ou MIDI, reconnu à son
      contenu) à la photo numéro INDEX (à partir de 0), ou lui retire la sienne.
  album gather FICHIER DESTINATION [--jpeg on|off] [--compression N]
               [--sounds on|off] [--viewer on|off] [--web-sizes on|off]
      Rassemble l'album dans le répertoire DESTINATION (créé au besoin) :
      le fichier album, l'image de chaque photo (ou sa copie JPEG avec
      --jpeg on, qualité 100 - N, N de 1 à 99, 50 par défaut), ses sons
      (--sounds, on par défaut) et la visionneuse web index.html avec le
      dossier lumora-web (--viewer, on par défaut) ; avec la visionneuse,
      chaque photo en JPEG de 1280 et 2560 pixels de grand côté pour les
      écrans (--web-sizes, on par défaut). Une ligne par fichier
      écrit ; la première erreur de fichier arrête tout (code 1). Rien n'est
      écrit sur les fichiers de l'album ; seules les images et les séquences
      WAVE ou MIDI partent. Ctrl+C arrête sans laisser de fichier (code 130).
  album import FICHIER DOSSIER [--by-day on|off] [--recursive] [--force]
      Crée un album des images du dossier (avec --recursive, des dossiers
      qu'il contient aussi), rangées par date de prise de vue : la date EXIF
      (DateTimeOriginal), sinon une date écrite dans le nom du fichier
      (IMG_20250614_183012.jpg), sinon la date de modification ; à date
      égale, par nom. Avec --by-day on (par défaut), les onglets sont
      utilisés et chaque jour commence une section (« sam. 14 juin 2025 »).
      Le titre est le nom du dossier ; couverture et page de garde. Les
      fichiers illisibles sont ignorés et signalés à la fin. Un fichier
      existant n'est remplacé qu'avec --force.
  album info FICHIER [--json]
      Affiche les réglages, les polices, les onglets, les éléments et le
      nombre de pages de l'album.

  poster IMAGE SORTIE.pdf --width-cm C [--paper A4|Letter] [--dpi N]
  poster IMAGE [SORTIE.pdf] --width-cm C --dry-run [--printable LxH] [--dpi N]
      Imprime l'image en poster de C centimètres de large (de 1 à 1000),
      découpé en autant de feuilles que nécessaire, sans marge entre les
      morceaux. --dry-run affiche seulement le découpage (colonnes, rangées,
      feuilles, taille d'un morceau en pixels de l'image), pour la zone
      imprimable du papier ou pour LxH pixels à N points par pouce.

  thumbnail FICHIER SORTIE.png [--size N] [--spread 0]
      Dessine la couverture fermée de l'album avec son titre (ou, avec
      --spread 0, la première double page) dans N x N pixels au plus (256
      par défaut, de 16 à 1024) et l'écrit en PNG, pour les vignettes des
      gestionnaires de fichiers. Seul le fichier album est lu. Album
      endommagé ou protégé par un mot de passe : code 1, aucun fichier.

  sound play SEQUENCE
      Joue une séquence sonore WAVE ou MIDI jusqu'à sa fin (code 1 si elle
      ne peut pas être jouée : fichier absent ou illisible, pas de sortie
      audio).

  --help
      Affiche cette aide.

Codes de sortie : 0 réussite, 1 image ou album illisible, écriture impossible,
élément ou onglet absent ou refusé, 2 erreur d'utilisation.
)";

struct Command {
    const char* name;
    int (*run)(lumora::cli::Arguments);
};

constexpr Command kCommands[] = {
    {"info", lumora::cli::RunInfo},
    {"convert", lumora::cli::RunConvert},
#ifdef LUMORA_HAVE_GUI
    {"album", lumora::cli::RunAlbumWithRender},  // album render and print, then the others
    {"poster", lumora::cli::RunPoster},
    {"thumbnail", lumora::cli::RunThumbnail},
#endif
    {"album", lumora::cli::RunAlbum},
    {"sound", lumora::cli::RunSound},
};

}  // namespace

int main(int argc, char** argv)
{
    using namespace lumora::cli;
    if (argc < 2)
        return Fail(kExitUsage, "commande manquante (lumora-cli --help)");
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kHelp;
        return kExitOk;
    }
    StderrReporter reporter;
    lumora::ChangeServices([&reporter](lumora::Services& services) { services.errors = &reporter; });
    NoteUnreadPictures unreadable;  // a command that sums them up installs its own
    for (const Command& c : kCommands)
        if (command == c.name)
            return c.run(Arguments(std::vector<std::string>(argv + 2, argv + argc)));
    return Fail(kExitUsage, "commande inconnue : " + command + " (lumora-cli --help)");
}
