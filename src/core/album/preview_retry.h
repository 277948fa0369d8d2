#pragma once
// What a photo's preview maker asks when a picture cannot be read: the
// windowed program shows why and offers another file (the load-error
// dialog), the command line notes the failure with its reason. The core
// hands over what the read said and never shows it itself.
#include <optional>
#include <string>
#include <vector>

#include "core/picture/read_result.h"
#include "core/platform/services.h"

namespace lumora {

// A picture that could not be read, and why.
struct UnreadPicture {
    std::string path;
    ReadError error = ReadError::None;    // None: read, but not reduced to a preview
    std::vector<HeldMessage> messages;    // what the read has to tell the user, in order
};

class PreviewRetryHandler {
public:
    virtual ~PreviewRetryHandler() = default;
    // Another path to try, or nothing to give the picture up.
    virtual std::optional<std::string> AskRetry(const UnreadPicture& picture) = 0;
    // A picture was read but its reader had something to say (a damaged
    // Photo CD pack may still give a picture).
    virtual void Tell(const std::vector<HeldMessage>& messages) = 0;
};

}  // namespace lumora
