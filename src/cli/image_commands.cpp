#include "cli/image_commands.h"

#include <charconv>
#include <iostream>

#include "cli/album_options.h"
#include "core/formats/bmp_writer.h"
#include "core/picture_document/dib_object.h"
#include "core/colour/dither16.h"
#include "core/colour/halftone.h"
#include "core/formats/image_format.h"
#include "core/picture/picture_limits.h"
#include "core/formats/jpeg_writer.h"

namespace lumora::cli {
namespace {

// --jpeg256 on|off and --pcd-size N choose how pictures are read (true
// colour and 768 x 512 Photo CD by default). Returns an exit code on a
// usage error.
std::optional<int> TakeReaderOptions(Arguments& args, ReadOptions& options)
{
    bool missing = false;
    if (const auto jpeg = args.TakeOption("--jpeg256", missing)) {
        const auto on = ParseFlag(*jpeg);
        if (!on)
            return Fail(kExitUsage, "--jpeg256 attend on ou off");
        options.jpeg256 = *on;
    }
    if (const auto size = args.TakeOption("--pcd-size", missing)) {
        int value = 0;
        const auto [end, ec] = std::from_chars(size->data(), size->data() + size->size(), value);
        if (ec != std::errc{} || end != size->data() + size->size())
            return Fail(kExitUsage, "--pcd-size attend un nombre (0 à 3)");
        options.photoCDSize = value;
    }
    if (missing)
        return Fail(kExitUsage, "--jpeg256 et --pcd-size attendent une valeur");
    return std::nullopt;
}

// Reads a picture the way the program opens one. What the read has to
// say goes to stderr, and a picture that cannot be read is told in a line
// naming why ("fichier introuvable", "fichier endommagé"...).
std::optional<Dib> LoadPicture(const std::string& path, const ReadOptions& options)
{
    Dib picture;
    const ReadResult read = picture.Load(path, options);
    ShowHeldMessages(ReadMessages(read));
    if (picture.IsEmpty()) {
        Fail(kExitFailed, path + " : aucune image n'a pu être lue (" + ReadErrorWords(read.error) + ")");
        return std::nullopt;
    }
    return picture;
}

constexpr int kDefaultJpegQuality = 75;

// --quality Q for a .jpg output: 1 to 100, 75 when absent; nullopt (after
// the message) when the text is no such number.
std::optional<int> ParseQuality(const std::optional<std::string>& text)
{
    if (!text)
        return kDefaultJpegQuality;
    int quality = 0;
    const char* end = text->data() + text->size();
    const auto parsed = std::from_chars(text->data(), end, quality);
    if (parsed.ec != std::errc{} || parsed.ptr != end || quality < 1 || quality > 100) {
        Fail(kExitUsage, "qualité invalide (1 à 100) : " + *text);
        return std::nullopt;
    }
    return quality;
}

// The .jpg output: the gather's JPEG writer; a file it cannot make is
// abandoned, with its cause.
int WriteJpegOutput(const std::string& output, const Picture& picture, int quality)
{
    const JpegWriteResult written = WriteJPEGFile(picture, output, quality);
    if (written.outcome == JpegWriteOutcome::Refused)
        return Fail(kExitFailed, output + " : cette image ne peut pas être écrite en JPEG "
                                          "(rien n'a été écrit)");
    if (!written)
        return Fail(kExitFailed, written.failure ? DescribeWriteFailure(written.failure, output)
                                                 : output + " : écriture impossible");
    return kExitOk;
}

}  // namespace

int RunInfo(Arguments args)
{
    const bool json = args.TakeFlag("--json");
    ReadOptions readOptions;
    if (const auto usage = TakeReaderOptions(args, readOptions))
        return *usage;
    if (const auto unknown = args.FirstUnknownOption())
        return Fail(kExitUsage, "option inconnue : " + *unknown);
    if (args.Positionals().size() != 1)
        return Fail(kExitUsage, "usage : lumora-cli info FICHIER [--json]");
    const std::string& path = args.Positionals()[0];

    const auto picture = LoadPicture(path, readOptions);
    if (!picture)
        return kExitFailed;
    const int bpp = picture->Image().BitCount();
    if (json) {
        std::cout << "{\"width\": " << picture->Width() << ", \"height\": " << picture->Height()
                  << ", \"bpp\": " << bpp << ", \"colors\": " << picture->ColorCount()
                  << ", \"type\": " << JsonString(ImageTypeName(path)) << "}\n";
    } else {
        std::cout << "largeur : " << picture->Width() << '\n'
                  << "hauteur : " << picture->Height() << '\n'
                  << "bits par pixel : " << bpp << '\n'
                  << "couleurs : " << picture->ColorCount() << '\n'
                  << "type : " << ImageTypeName(path) << '\n';
    }
    return kExitOk;
}

int RunConvert(Arguments args)
{
    const bool appPalette = args.TakeFlag("--app-palette");
    const bool dither16 = args.TakeFlag("--dither16");
    bool missing = false;
    const auto sizeText = args.TakeOption("--size", missing);
    if (missing)
        return Fail(kExitUsage, "--size attend une taille LARGEURxHAUTEUR");
    ReadOptions readOptions;
    if (const auto usage = TakeReaderOptions(args, readOptions))
        return *usage;
    const auto qualityText = args.TakeOption("--quality", missing);
    if (missing)
        return Fail(kExitUsage, "--quality attend une qualité de 1 à 100");
    if (const auto unknown = args.FirstUnknownOption())
        return Fail(kExitUsage, "option inconnue : " + *unknown);
    if (args.Positionals().size() != 2)
        return Fail(kExitUsage,
                    "usage : lumora-cli convert ENTREE SORTIE.bmp|SORTIE.jpg [--app-palette] [--dither16] "
                    "[--size LxH] [--quality Q]");
    std::optional<Size> size;
    if (sizeText && !(size = ParseSize(*sizeText)))
        return Fail(kExitUsage, "taille invalide : " + *sizeText);
    // A size is a picture to make: past the megapixel limit it is refused
    // with the readers' own message, before a byte is taken for it.
    if (size && !readOptions.SizeAllowed(static_cast<uint64_t>(size->width), static_cast<uint64_t>(size->height))) {
        ShowHeldMessages(ReadMessages(readOptions.TooLarge(static_cast<uint64_t>(size->width),
                                                           static_cast<uint64_t>(size->height))));
        return kExitFailed;
    }
    const std::string& input = args.Positionals()[0];
    const std::string& output = args.Positionals()[1];
    const bool jpeg = HasExtension(output, "jpg");
    if (!HasExtension(output, "bmp") && !jpeg)
        return Fail(kExitUsage, "le fichier de sortie doit se terminer par .bmp ou .jpg");
    if (qualityText && !jpeg)
        return Fail(kExitUsage, "--quality ne s'applique qu'à une sortie .jpg");
    const auto quality = ParseQuality(qualityText);
    if (!quality)
        return kExitUsage;

    auto picture = LoadPicture(input, readOptions);
    if (!picture)
        return kExitFailed;
    Picture result = std::move(picture->Image());

    if (size) {
        result = ResizeToAppPalette(result, size->width, size->height, AppPalette());
        if (!result)
            return Fail(kExitFailed, "réduction impossible pour cette image");
    } else if (appPalette) {
        result = ConvertToAppPalette(result, AppPalette());
        if (!result)
            return Fail(kExitFailed, "conversion vers la palette impossible pour cette image");
    }
    if (dither16) {
        const int bits = result.BitCount();
        if (bits != 24 && bits != 8)
            return Fail(kExitFailed, "le tramage en 16 couleurs demande une image de 8 ou 24 bits");
        result = bits == 24 ? DitherTo16(result) : DitherPalettedTo16(result);
        if (!result)
            return Fail(kExitFailed, "tramage en 16 couleurs impossible");
    }
    if (jpeg)
        return WriteJpegOutput(output, result, *quality);
    WriteFailure failure;
    if (!WriteBMPFile(output, result, &failure))
        return Fail(kExitFailed, failure ? DescribeWriteFailure(failure, output)
                                         : output + " : cette image ne peut pas être écrite en "
                                                    "BMP (rien n'a été écrit)");
    return kExitOk;
}

}  // namespace lumora::cli
