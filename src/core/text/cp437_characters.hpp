// The character picker's own catalogue: thirteen hand-picked groups of characters that a
// .ans file can hold, directly or through a look-alike. Static data built once on first use;
// the picker's paging is the interface's business.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace glyphloom {

struct CharacterGroup {
    std::string name;
    std::vector<std::string> chars;  // one character each
    friend bool operator==(const CharacterGroup&, const CharacterGroup&) = default;
};

struct CP437Characters {
    // "Blocks", "ASCII Art", "Box (Single)", … "Punctuation", in picker order.
    static const std::vector<CharacterGroup>& groups();
    // Every group's characters in group order, duplicates kept.
    static const std::vector<std::string>& allCharacters();
    // The characters of every group whose name is listed, in group order (not list order),
    // duplicates kept. Unknown names add nothing.
    static std::vector<std::string> charactersOfGroups(const std::vector<std::string>& names);
    // The tab label of a group ("Box (Single)" → "Box 1"); other names unchanged.
    static std::string shortLabel(std::string_view name);
};

}  // namespace glyphloom
