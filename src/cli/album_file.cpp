#include "cli/album_file.h"

#include "cli/cli_support.h"
#include "core/album/album_file_result.h"

namespace lumora::cli {
namespace {

bool Told(const AlbumFileResult& result)
{
    if (result)
        return true;
    const std::string message = AlbumFileMessage(result);
    if (!message.empty())
        Fail(kExitFailed, message);
    return false;
}

}  // namespace

bool OpenAlbumFile(AlbumDocument& doc, const std::string& path) { return Told(doc.Open(path)); }

bool SaveAlbumFile(AlbumDocument& doc, const std::string& path) { return Told(doc.Save(path)); }

}  // namespace lumora::cli
