#pragma once
// Reading the values the album subcommands take: numbers, item and tab
// numbers, colours, on/off flags and text fonts, and the options and words
// of one subcommand, with the first problem kept for one usage message.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/album/text_font.h"
#include "cli/cli_support.h"

namespace lumora::cli {

// Decimal, or hexadecimal after 0x.
std::optional<long long> ParseInteger(const std::string& text);
// on/off, 1/0, true/false.
std::optional<bool> ParseFlag(const std::string& text);
// A Rgb, decimal or 0xBBGGRR.
std::optional<uint32_t> ParseColor(const std::string& text);
// An item or tab number, from 0.
std::optional<int> ParseIndex(const std::string& text);
// FACE:HEIGHT[:bold][:italic] over `base`: the face, the height as album
// info shows it (negative: the characters' height in pixels, -16 for 12
// points), bold (weight 700, else 400) and italic ("gras" and "italique"
// too). Nothing for a malformed text or a height beyond 1000 pixels.
std::optional<TextFont> ParseFont(const std::string& text, TextFont base);

// The options of one subcommand, taken one by one, then its words. The
// first malformed option is remembered; Finish reports it, or an unknown
// option, or a wrong number of words, as a usage error.
class OptionReader {
public:
    explicit OptionReader(Arguments args) : args_(std::move(args)) {}

    std::optional<std::string> Text(const std::string& option);
    std::optional<int> Index(const std::string& option);
    std::optional<uint32_t> Color(const std::string& option);
    std::optional<bool> Flag(const std::string& option);
    // A whole number from `least` to `most`.
    std::optional<int> Number(const std::string& option, int least, int most);
    // WIDTHxHEIGHT, both above zero.
    std::optional<Size> Dimensions(const std::string& option);
    // Keeps the first problem the caller finds in a value (reported by Finish).
    void Problem(std::string text);

    // True when everything was well formed and between `least` and `most`
    // words remain; otherwise prints why (or `usage`) on stderr.
    bool Finish(size_t least, size_t most, const std::string& usage);
    const std::vector<std::string>& Words() const { return args_.Positionals(); }

private:
    Arguments args_;
    std::string problem_;
};

}  // namespace lumora::cli
