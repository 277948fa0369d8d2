#include <algorithm>
#include <iterator>

#include "res/strings.h"

namespace lumora {
namespace {

struct StringEntry {
    int id;
    const char* text;
};

// Sorted by id.
constexpr StringEntry kStrings[] = {
    {55007, "Tous fichiers |*.bmp;*.dib;*.gif;*.jpg;*.pcd;*.pcx;*.rle;*.tga;*.tif|BMP (Images Windows)|*.bmp|DIB (Images OS/2)|*.dib|GIF (Images Compuserve)|*.gif|"},
    {55014, "(indéfini)"},
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
    {55082, "Erreur lors de la création du fichier image JPEG. Vérifiez que l'unité de destination n'est pas protégée en écriture."},
    {55083, "Conversion au format JPEG de "},
    {55084, "Image Targa"},
    {55085, "Image TIFF"},
    {55086, "JPG (Images JPEG)|*.jpg|PCD (Images Photo CD)|*.pcd|PCX (Images Zsoft)|*.pcx|RLE (Images Windows)|*.rle|TGA (Images Targa)|*.tga|TIF (Images TIFF)|*.tif||"},
};

}  // namespace

static const StringEntry* Find(int id)
{
    const auto* end = std::end(kStrings);
    const auto* it = std::lower_bound(std::begin(kStrings), end, id,
                                      [](const StringEntry& e, int wanted) { return e.id < wanted; });
    return it != end && it->id == id ? it : nullptr;
}

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
