#pragma once
// The album's own settings as `album set KEY=VALUE` and the options of
// `album new` name them: title, description, layout, flyleaf, page
// numbers, header title, tabs, frame, title effect and colours, password.
#include <string>

namespace lumora {
struct AlbumSettings;
}

namespace lumora::cli {

// What ApplyAlbumSetting answers when the album refused the password; the
// album has already said why.
inline constexpr const char* kPasswordRefused = "mot de passe refusé";

// Gives `settings` the setting `key` read from `value`: an error text, empty
// when applied. The caller makes the settings one edit of the album
// (ChangeAlbumSettings: a layout whose picture box has another size remakes
// the previews).
std::string ApplyAlbumSetting(AlbumSettings& settings, const std::string& key, const std::string& value);

}  // namespace lumora::cli
