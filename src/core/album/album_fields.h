#pragma once
// Everything an album file holds, plus the results of pagination: the state
// an album document keeps private. Kept apart from the document's behaviour
// so that a file can be read into a fresh set of fields and swapped in only
// when it was read whole, and so that the edits, which change it, name it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/album/album_item.h"
#include "core/album/album_settings.h"
#include "core/album/section_tab.h"

namespace lumora {

struct AlbumFields {
    std::vector<std::unique_ptr<AlbumItem>> items;
    std::vector<std::unique_ptr<SectionTab>> tabs;
    AlbumSettings settings;
    StoredFlagWords storedFlags;  // the file's words for the on/off settings
    bool wrongFormat = false;     // the file did not start as an album does
    std::string reservedHeader;
    int32_t pageCount = 2;        // set by pagination
    bool passwordCheckPending = true;
};

}  // namespace lumora
