#pragma once
// The command line's answer when a photo's picture cannot be read: what
// the reader said is printed, the photo is given up and noted with its
// reason, for the command to sum up.
#include <string>
#include <vector>

#include "core/album/preview_retry.h"

namespace lumora::cli {

class NoteUnreadPictures final : public PreviewRetryHandler {
public:
    // Installed for the object's lifetime (an inner one takes over from an
    // outer one until it goes).
    NoteUnreadPictures();
    NoteUnreadPictures(const NoteUnreadPictures&) = delete;
    NoteUnreadPictures& operator=(const NoteUnreadPictures&) = delete;

    std::optional<std::string> AskRetry(const UnreadPicture& picture) override;
    void Tell(const std::vector<HeldMessage>& messages) override;

    // The pictures given up, in order (their messages already printed).
    const std::vector<UnreadPicture>& Failed() const { return failed_; }

private:
    ScopedServices installed_;
    std::vector<UnreadPicture> failed_;
};

// "PATH : aucune image n'a pu être lue (fichier endommagé)", with
// ", ignorée" in the parentheses when the command goes on without it.
std::string UnreadPictureLine(const UnreadPicture& picture, bool ignored);

}  // namespace lumora::cli
