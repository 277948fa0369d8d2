#include "core/album/album_file_result.h"

#include "core/album/album_messages.h"
#include "core/res/strings.h"

namespace lumora {
namespace {

std::string WithPath(std::string message, const char* mark, const std::string& path)
{
    const auto at = message.find(mark);
    if (at != std::string::npos)
        message.replace(at, 2, path);
    return message;
}

}  // namespace

std::string AlbumFileMessage(const AlbumFileResult& result)
{
    const std::string& path = result.path;
    switch (result.outcome) {
    case AlbumFileOutcome::Done:
    case AlbumFileOutcome::KeptOtherVersion:
        return {};
    case AlbumFileOutcome::PathNotFound:
        return WithPath(album_text::InvalidPath(), "%1", path);
    case AlbumFileOutcome::AccessDenied:
        return WithPath(album_text::AccessRead(), "%1", path);
    case AlbumFileOutcome::NotRegularFile:
        return path + " n'est pas un fichier ordinaire (périphérique, tube ou répertoire) : "
               "il n'a pas été ouvert.";
    case AlbumFileOutcome::CannotOpen:
        return album_text::FailedToOpen();
    case AlbumFileOutcome::Damaged:
        // What was wrong goes under the message, for the user and for
        // whoever they send it to.
        return album_text::InvalidFormat() + "\n" + album_text::ArchiveCause(result.cause);
    case AlbumFileOutcome::NotAnAlbum:
        return album_text::NotAnAlbum();
    case AlbumFileOutcome::OutOfMemory:
        return WithPath(LoadString(kStrPictureOutOfMemory), "%s", path);
    case AlbumFileOutcome::Locked:
        return result.lockText;
    case AlbumFileOutcome::ReadOnly:
    case AlbumFileOutcome::CannotWrite:
        return DescribeWriteFailure(result.failure, path);
    }
    return {};
}

}  // namespace lumora
