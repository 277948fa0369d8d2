#include "cli/album_settings_options.h"

#include <cstdint>
#include <optional>

#include "cli/album_options.h"
#include "core/album/album_commands.h"
#include "core/album/album_document.h"
#include "core/album/album_messages.h"
#include "core/album/password_codec.h"
#include "core/platform/services.h"
#include "core/layout/layout_table.h"

namespace lumora::cli {
namespace {

std::optional<int16_t> ParseLayout(const std::string& text)
{
    const auto value = ParseInteger(text);
    if (!value || *value < 0 || *value >= kLayoutCount)
        return std::nullopt;
    return static_cast<int16_t>(*value);
}

}  // namespace

std::string ApplyAlbumSetting(AlbumSettings& settings, const std::string& key, const std::string& value)
{
    const auto flag = [&](bool& field) -> std::string {
        const auto parsed = ParseFlag(value);
        if (!parsed)
            return key + " attend on/off, 1/0 ou true/false";
        field = *parsed;
        return {};
    };
    const auto color = [&](Rgb& field) -> std::string {
        const auto parsed = ParseColor(value);
        if (!parsed)
            return key + " attend une couleur (décimal ou 0xBBGGRR)";
        field = *parsed;
        return {};
    };
    const auto small = [&]<typename Number>(Number& field, int limit) -> std::string {
        const auto parsed = ParseInteger(value);
        if (!parsed || *parsed < 0 || *parsed > limit)
            return key + " attend un nombre de 0 à " + std::to_string(limit);
        field = static_cast<Number>(*parsed);
        return {};
    };
    if (key == "title")
        return settings.title = value, std::string{};
    if (key == "description")
        return settings.description = value, std::string{};
    if (key == "layout") {
        const auto layout = ParseLayout(value);
        if (!layout)
            return "layout attend un nombre de 0 à 6";
        settings.layout = static_cast<BookLayout>(*layout);
        return {};
    }
    if (key == "flyleaf")
        return flag(settings.flyleaf);
    if (key == "pagenumbers")
        return flag(settings.pageNumbers);
    if (key == "headertitle")
        return flag(settings.headerTitle);
    if (key == "usetabs" || key == "tabs")
        return flag(settings.useTabs);
    if (key == "frame")
        return small(settings.frameStyle, 2);
    if (key == "effect")
        return small(settings.titleEffect, 2);
    if (key == "titlecolor")
        return color(settings.titleColor);
    if (key == "desk")
        return color(settings.deskColor);
    if (key == "password") {
        if (!PasswordCanBeStored(value)) {
            ReportStop(album_text::PasswordCharacter());
            return kPasswordRefused;
        }
        settings.password = value;
        return {};
    }
    return "clé inconnue : " + key;
}

}  // namespace lumora::cli
