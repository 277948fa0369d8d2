#pragma once
// An initialisation file in memory: sections of named values, kept in the
// order they were read or added, and written back as text
//
//     [section]
//     key=value
//
// Reading is tolerant, as the file is the user's to edit: blank lines and
// lines starting with ';' or '#' are skipped, spaces around names and values
// are trimmed, a value in double quotes keeps its spaces, and the escapes a
// value may hold (\\ \" \n \r \t) are undone. Section names written with
// %XX escapes ("Recent%20File%20List") read as the plain name. Values are
// written plain where that reads back the same, quoted and escaped otherwise.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/atomic_file.h"

namespace lumora {

class IniFile {
public:
    static IniFile Parse(std::string_view text);
    std::string Serialize() const;

    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    void Set(std::string_view section, std::string_view key, std::string value);
    // Every value of `changes` set here, the others kept.
    void Apply(const IniFile& changes);
    bool IsEmpty() const { return sections_.empty(); }

private:
    struct Entry {
        std::string key, value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    std::vector<Section> sections_;
};

// The file at `path`; empty when it does not exist or cannot be read.
IniFile LoadIniFile(const std::string& path);

// Writes `changes` into the file at `path` as it is on disk now (values
// others wrote in the meantime are kept), through a temporary file and a
// rename: on any failure the file stays as it was.
WriteFailure SaveIniChanges(const std::string& path, const IniFile& changes);

}  // namespace lumora
