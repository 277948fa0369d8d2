#include "cli/unread_pictures.h"

namespace lumora::cli {

NoteUnreadPictures::NoteUnreadPictures()
    : installed_([this](Services& services) { services.previewRetry = this; })
{
}

std::optional<std::string> NoteUnreadPictures::AskRetry(const UnreadPicture& picture)
{
    ShowHeldMessages(picture.messages);
    failed_.push_back({picture.path, picture.error, {}});
    return std::nullopt;
}

void NoteUnreadPictures::Tell(const std::vector<HeldMessage>& messages) { ShowHeldMessages(messages); }

std::string UnreadPictureLine(const UnreadPicture& picture, bool ignored)
{
    std::vector<std::string> notes;
    // A picture read but not reduced has no reading fault to name.
    if (picture.error != ReadError::None)
        notes.push_back(ReadErrorWords(picture.error));
    if (ignored)
        notes.push_back("ignorée");
    std::string line = picture.path + " : aucune image n'a pu être lue";
    for (size_t i = 0; i < notes.size(); ++i)
        line += (i == 0 ? " (" : ", ") + notes[i];
    return notes.empty() ? line : line + ")";
}

}  // namespace lumora::cli
