#include "cli/cli_support.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace lumora::cli {

bool Arguments::TakeFlag(const std::string& name)
{
    const auto it = std::find(words_.begin(), words_.end(), name);
    if (it == words_.end())
        return false;
    words_.erase(it);
    return true;
}

std::optional<std::string> Arguments::TakeOption(const std::string& name, bool& missingValue)
{
    const auto it = std::find(words_.begin(), words_.end(), name);
    if (it == words_.end())
        return std::nullopt;
    if (it + 1 == words_.end()) {
        missingValue = true;
        words_.erase(it);
        return std::nullopt;
    }
    std::string value = *(it + 1);
    words_.erase(it, it + 2);
    return value;
}

std::optional<std::string> Arguments::FirstUnknownOption() const
{
    for (const std::string& word : words_)
        if (word.size() > 2 && word.compare(0, 2, "--") == 0)
            return word;
    return std::nullopt;
}

void StderrReporter::ShowMessage(const std::string& text, const std::string& caption, MessageIcon)
{
    if (caption.empty())
        std::cerr << "lumora-cli: " << text << '\n';
    else
        std::cerr << "lumora-cli: " << caption << ": " << text << '\n';
}

int Fail(int code, const std::string& message)
{
    std::cerr << "lumora-cli: " << message << '\n';
    return code;
}

namespace {

// The length of the well-formed UTF-8 sequence at `at` (overlong forms,
// surrogates and code points past U+10FFFF are not), or 0.
size_t Utf8SequenceLength(const std::string& text, size_t at)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    size_t length;
    unsigned char low = 0x80, high = 0xBF;  // bounds of the second byte
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else
        return 0;
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (size_t i = 2; i < length; ++i)
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
    return length;
}

}  // namespace

std::string JsonString(const std::string& text)
{
    std::string out = "\"";
    char escaped[8];
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            if (const size_t length = Utf8SequenceLength(text, i)) {
                out.append(text, i, length);
                i += length;
            } else {
                // A byte that is no UTF-8: the lone surrogate U+DC00 + byte,
                // as the "surrogate escape" decoders produce and expect.
                std::snprintf(escaped, sizeof escaped, "\\udc%02x", c);
                out += escaped;
                ++i;
            }
            continue;
        }
        ++i;
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

bool HasExtension(const std::string& path, const std::string& ext)
{
    if (path.size() <= ext.size() + 1 || path[path.size() - ext.size() - 1] != '.')
        return false;
    return std::equal(ext.begin(), ext.end(), path.end() - static_cast<long>(ext.size()),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) ==
                                                  std::tolower(static_cast<unsigned char>(b)); });
}

std::optional<Size> ParseSize(const std::string& text)
{
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos)
        return std::nullopt;
    Size size;
    const char* begin = text.data();
    const char* end = begin + text.size();
    const auto w = std::from_chars(begin, begin + x, size.width);
    const auto h = std::from_chars(begin + x + 1, end, size.height);
    if (w.ec != std::errc{} || w.ptr != begin + x || h.ec != std::errc{} || h.ptr != end ||
        size.width <= 0 || size.height <= 0)
        return std::nullopt;
    return size;
}

void ShowCountOnTerminal(int done, int total)
{
    static const bool terminal = ::isatty(STDERR_FILENO) != 0;
    if (!terminal)
        return;
    std::fprintf(stderr, "\r%d/%d", done, total);
    if (done == total)
        std::fputc('\n', stderr);
    std::fflush(stderr);
}

}  // namespace lumora::cli
