// lumora-cli: the album and picture operations of Lumora for scripts and
// batch work.
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "cli/image_commands.h"

namespace {

constexpr const char* kHelp = R"(Usage : lumora-cli COMMANDE [ARGUMENTS]

Commandes :
  info FICHIER [--json]
      Lit une image (BMP, DIB, RLE, GIF, PCX, TGA, TIF, JPG, PCD, choisie par
      l'extension) et affiche sa largeur, sa hauteur, ses bits par pixel, son
      nombre de couleurs et son type. --json : un objet avec les clés
      width, height, bpp, colors, type.

  convert ENTREE SORTIE.bmp|SORTIE.jpg [--app-palette] [--dither16] [--size LxH]
          [--quality Q]
      Lit ENTREE et l'écrit en bitmap Windows (.bmp) ou en JPEG (.jpg).
        --app-palette  ramène l'image sur la palette de 256 couleurs du
                       programme (tramage ordonné) ;
        --size LxH     réduit l'image à L x H pixels sur cette palette ;
        --dither16     trame l'image (8 ou 24 bits) en 16 couleurs ;
        --quality Q    qualité JPEG de 1 à 100 (75 par défaut), pour une
                       sortie .jpg seulement.

  --help
      Affiche cette aide.

Codes de sortie : 0 réussite, 1 image illisible ou écriture impossible,
2 erreur d'utilisation.
)";

struct Command {
    const char* name;
    int (*run)(lumora::cli::Arguments);
};

constexpr Command kCommands[] = {
    {"info", lumora::cli::RunInfo},
    {"convert", lumora::cli::RunConvert},
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
    lumora::InstallErrorReporter(&reporter);
    for (const Command& c : kCommands)
        if (command == c.name)
            return c.run(Arguments(std::vector<std::string>(argv + 2, argv + argc)));
    return Fail(kExitUsage, "commande inconnue : " + command + " (lumora-cli --help)");
}
