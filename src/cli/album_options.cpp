#include "cli/album_options.h"

#include <charconv>
#include <limits>

namespace lumora::cli {
namespace {

// Album fonts never go beyond this height, whatever a file says.
constexpr long long kMaxFontHeight = 1000;

std::vector<std::string> SplitAtColons(const std::string& text)
{
    std::vector<std::string> parts;
    size_t begin = 0;
    for (size_t colon; (colon = text.find(':', begin)) != std::string::npos; begin = colon + 1)
        parts.push_back(text.substr(begin, colon - begin));
    parts.push_back(text.substr(begin));
    return parts;
}

}  // namespace

std::optional<long long> ParseInteger(const std::string& text)
{
    long long value = 0;
    int base = 10;
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        begin += 2, base = 16;
    const auto result = std::from_chars(begin, end, value, base);
    if (result.ec != std::errc{} || result.ptr != end || begin == end)
        return std::nullopt;
    return value;
}

std::optional<bool> ParseFlag(const std::string& text)
{
    if (text == "on" || text == "1" || text == "true")
        return true;
    if (text == "off" || text == "0" || text == "false")
        return false;
    return std::nullopt;
}

std::optional<uint32_t> ParseColor(const std::string& text)
{
    const auto value = ParseInteger(text);
    if (!value || *value < 0 || *value > 0xFFFFFF)
        return std::nullopt;
    return static_cast<uint32_t>(*value);
}

std::optional<int> ParseIndex(const std::string& text)
{
    const auto value = ParseInteger(text);
    if (!value || *value < 0 || *value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(*value);
}

std::optional<TextFont> ParseFont(const std::string& text, TextFont base)
{
    const std::vector<std::string> parts = SplitAtColons(text);
    if (parts.size() < 2 || parts.size() > 4 || parts[0].empty())
        return std::nullopt;
    const auto height = ParseInteger(parts[1]);
    if (!height || *height == 0 || *height < -kMaxFontHeight || *height > kMaxFontHeight)
        return std::nullopt;
    bool bold = false, italic = false;
    for (size_t i = 2; i < parts.size(); ++i) {
        if (parts[i] == "bold" || parts[i] == "gras")
            bold = true;
        else if (parts[i] == "italic" || parts[i] == "italique")
            italic = true;
        else
            return std::nullopt;
    }
    base.faceName = parts[0];
    base.height = static_cast<int32_t>(*height);
    base.weight = bold ? 700 : 400;
    base.italic = italic;
    return base;
}

void OptionReader::Problem(std::string text)
{
    if (problem_.empty())
        problem_ = std::move(text);
}

std::optional<std::string> OptionReader::Text(const std::string& option)
{
    bool missing = false;
    auto value = args_.TakeOption(option, missing);
    if (missing)
        Problem(option + " attend une valeur");
    return value;
}

std::optional<int> OptionReader::Index(const std::string& option)
{
    const auto text = Text(option);
    if (!text)
        return std::nullopt;
    const auto index = ParseIndex(*text);
    if (!index)
        Problem(option + " attend un numéro à partir de 0 : " + *text);
    return index;
}

std::optional<uint32_t> OptionReader::Color(const std::string& option)
{
    const auto text = Text(option);
    if (!text)
        return std::nullopt;
    const auto color = ParseColor(*text);
    if (!color)
        Problem(option + " attend une couleur (décimal ou 0xBBGGRR) : " + *text);
    return color;
}

std::optional<bool> OptionReader::Flag(const std::string& option)
{
    const auto text = Text(option);
    if (!text)
        return std::nullopt;
    const auto flag = ParseFlag(*text);
    if (!flag)
        Problem(option + " attend on ou off : " + *text);
    return flag;
}

std::optional<int> OptionReader::Number(const std::string& option, int least, int most)
{
    const auto text = Text(option);
    if (!text)
        return std::nullopt;
    const auto number = ParseInteger(*text);
    if (!number || *number < least || *number > most) {
        Problem(option + " attend un nombre de " + std::to_string(least) + " à " + std::to_string(most) + " : " +
                *text);
        return std::nullopt;
    }
    return static_cast<int>(*number);
}

std::optional<Size> OptionReader::Dimensions(const std::string& option)
{
    const auto text = Text(option);
    if (!text)
        return std::nullopt;
    const auto size = ParseSize(*text);
    if (!size)
        Problem(option + " attend LxH en pixels : " + *text);
    return size;
}

bool OptionReader::Finish(size_t least, size_t most, const std::string& usage)
{
    if (problem_.empty())
        if (const auto unknown = args_.FirstUnknownOption())
            Problem("option inconnue : " + *unknown);
    if (!problem_.empty()) {
        Fail(kExitUsage, problem_);
        return false;
    }
    const size_t count = args_.Positionals().size();
    if (count < least || count > most) {
        Fail(kExitUsage, usage);
        return false;
    }
    return true;
}

}  // namespace lumora::cli
