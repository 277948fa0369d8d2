#include "core/platform/ini_file.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "core/platform/file.h"

namespace lumora {
namespace {

std::string_view Trim(std::string_view text)
{
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// "Recent%20File%20List" -> "Recent File List"; a malformed escape stays.
std::string DecodePercent(std::string_view name)
{
    std::string decoded;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '%' && i + 2 < name.size()) {
            const int high = HexDigit(name[i + 1]), low = HexDigit(name[i + 2]);
            if (high >= 0 && low >= 0) {
                decoded.push_back(static_cast<char>(high * 16 + low));
                i += 2;
                continue;
            }
        }
        decoded.push_back(name[i]);
    }
    return decoded;
}

// Undoes \\ \" \n \r \t; any other backslash stays as it is.
std::string Unescape(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            switch (text[i + 1]) {
            case '\\': out.push_back('\\'); ++i; continue;
            case '"': out.push_back('"'); ++i; continue;
            case 'n': out.push_back('\n'); ++i; continue;
            case 'r': out.push_back('\r'); ++i; continue;
            case 't': out.push_back('\t'); ++i; continue;
            default: break;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

std::string ParseValue(std::string_view raw)
{
    raw = Trim(raw);
    if (raw.size() >= 2 && raw.front() == '"' && raw.back() == '"')
        return Unescape(raw.substr(1, raw.size() - 2));
    return Unescape(raw);
}

// Plain when the value reads back the same; otherwise quoted with escapes.
std::string FormatValue(const std::string& value)
{
    const bool plain =
        value.find_first_of("\\\"\n\r\t") == std::string::npos &&
        (value.empty() || (value.front() != ' ' && value.back() != ' '));
    if (plain)
        return value;
    std::string out = "\"";
    for (const char c : value) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: out.push_back(c);
        }
    }
    return out + "\"";
}

// Names are written as they are; line breaks and the brackets and equals
// sign that would end them early are left out.
std::string CleanName(std::string_view name, std::string_view forbidden)
{
    std::string out;
    for (const char c : name)
        if (c != '\n' && c != '\r' && forbidden.find(c) == std::string_view::npos)
            out.push_back(c);
    return std::string(Trim(out));
}

}  // namespace

IniFile IniFile::Parse(std::string_view text)
{
    IniFile file;
    std::string section;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            section = DecodePercent(Trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1)));
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string key = DecodePercent(Trim(line.substr(0, equals)));
        if (!key.empty())
            file.Set(section, key, ParseValue(line.substr(equals + 1)));
    }
    return file;
}

std::string IniFile::Serialize() const
{
    std::string out;
    for (const Section& section : sections_) {
        if (!out.empty())
            out += '\n';
        out += '[' + section.name + "]\n";
        for (const Entry& entry : section.entries)
            out += entry.key + '=' + FormatValue(entry.value) + '\n';
    }
    return out;
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const
{
    for (const Section& s : sections_)
        if (s.name == section)
            for (const Entry& entry : s.entries)
                if (entry.key == key)
                    return entry.value;
    return std::nullopt;
}

void IniFile::Set(std::string_view sectionName, std::string_view keyName, std::string value)
{
    const std::string name = CleanName(sectionName, "[]");
    const std::string key = CleanName(keyName, "=[");
    if (key.empty())
        return;
    auto section = std::find_if(sections_.begin(), sections_.end(),
                                [&](const Section& s) { return s.name == name; });
    if (section == sections_.end())
        section = sections_.insert(sections_.end(), Section{name, {}});
    for (Entry& entry : section->entries)
        if (entry.key == key) {
            entry.value = std::move(value);
            return;
        }
    section->entries.push_back({key, std::move(value)});
}

void IniFile::Apply(const IniFile& changes)
{
    for (const Section& section : changes.sections_)
        for (const Entry& entry : section.entries)
            Set(section.name, entry.key, entry.value);
}

IniFile LoadIniFile(const std::string& path)
{
    // Regular files only (a FIFO would block), and no more than any
    // initialisation file could sensibly hold.
    constexpr int64_t kLargestFile = 16 << 20;
    File file;
    if (!file.Open(path, File::Mode::Read) || file.Length() > kLargestFile)
        return {};
    std::string text(static_cast<size_t>(std::max<int64_t>(file.Length(), 0)), '\0');
    text.resize(file.Read(text.data(), text.size()));
    return IniFile::Parse(text);
}

WriteFailure SaveIniChanges(const std::string& path, const IniFile& changes)
{
    IniFile merged = LoadIniFile(ResolveLinks(path));
    merged.Apply(changes);
    const std::string text = merged.Serialize();
    return WriteFileAtomically(path, text.data(), text.size());
}

}  // namespace lumora
