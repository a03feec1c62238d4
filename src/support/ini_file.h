// A profile (INI) file held in memory: sections and keys are found without regard to case,
// and saving writes back every section and line it read, so keys of other windows survive.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quorvin {

class TIniFile {
  public:
    // Reads the file; a missing file gives an empty profile. Throws on a read error.
    void Load(const std::string& fileName);
    void Parse(const std::string& text);

    std::optional<std::string> Read(const std::string& section, const std::string& key) const;
    // The keys of a section in file order, as written there; a key written twice is listed
    // twice (Read answers the first). Empty when the section is missing.
    std::vector<std::string> Keys(const std::string& section) const;
    void Write(const std::string& section, const std::string& key, const std::string& value);

    std::string Text() const;
    // Writes to a temporary file beside the target and renames it over the target, so that
    // a failed save never leaves half a file. Throws std::runtime_error on failure.
    void Save(const std::string& fileName) const;

  private:
    struct TEntry {
        std::string Key; // empty for a line kept verbatim (comment, blank)
        std::string Value;
        std::string Raw;
    };
    struct TSection {
        std::string Name;
        std::vector<TEntry> Entries;
        // False only for the lines before the first header. A header whose name is blank
        // ("[ ]") is kept too, so that its lines never join the section before it on saving.
        bool Header = true;
    };
    std::vector<TSection> Sections; // the first may have an empty name: lines before any header

    TSection* FindSection(const std::string& name);
    const TSection* FindSection(const std::string& name) const;
};

bool SameText(const std::string& a, const std::string& b);

} // namespace quorvin
