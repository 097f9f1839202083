#include "core/text/charsets.hpp"

#include <utf8proc.h>

#include <utility>

#include "core/text/utf8.hpp"

namespace glyphloom {
namespace {

struct BlockRange {
    const char* name;
    char32_t first, last;  // inclusive
};

// Listed in picker order, which is not code-point order (Sextants sit before the kana).
constexpr BlockRange unicodeBlocks[] = {
    {"Latin-1", 0x00A0, 0x00FF},          {"Latin Ext-A", 0x0100, 0x017F},   {"Latin Ext-B", 0x0180, 0x024F},
    {"Greek", 0x0370, 0x03FF},            {"Cyrillic", 0x0400, 0x04FF},      {"Punctuation", 0x2000, 0x206F},
    {"Super/Subscript", 0x2070, 0x209F},  {"Currency", 0x20A0, 0x20CF},      {"Letterlike", 0x2100, 0x214F},
    {"Number Forms", 0x2150, 0x218F},     {"Arrows", 0x2190, 0x21FF},        {"Math", 0x2200, 0x22FF},
    {"Misc Technical", 0x2300, 0x23FF},   {"Enclosed Alnum", 0x2460, 0x24FF}, {"Box Drawing", 0x2500, 0x257F},
    {"Block Elements", 0x2580, 0x259F},   {"Geometric", 0x25A0, 0x25FF},     {"Misc Symbols", 0x2600, 0x26FF},
    {"Dingbats", 0x2700, 0x27BF},         {"Braille", 0x2800, 0x28FF},       {"Arrows-B", 0x2900, 0x297F},
    {"Math Suppl", 0x2A00, 0x2AFF},       {"Sextants", 0x1FB00, 0x1FB3B},    {"Hiragana", 0x3040, 0x309F},
    {"Katakana", 0x30A0, 0x30FF},
};

std::vector<CharacterGroup> buildSets() {
    std::vector<CharacterGroup> sets;
    sets.push_back({"CP437", CP437Characters::allCharacters()});
    for (const BlockRange& block : unicodeBlocks) {
        CharacterGroup set{block.name, {}};
        for (char32_t s = block.first; s <= block.last; ++s) {
            // Unassigned, zero-width and control code points would garble whatever row shows
            // them (the picker, the status line, the inspector), so a set offers only glyphs.
            if (isStandaloneGlyph(s)) set.chars.push_back(utf8::encode(s));
        }
        sets.push_back(std::move(set));
    }
    return sets;
}

}  // namespace

bool isStandaloneGlyph(char32_t scalar) {
    if (scalar > 0x10FFFF) return false;
    const auto c = static_cast<utf8proc_int32_t>(scalar);
    switch (utf8proc_category(c)) {
        case UTF8PROC_CATEGORY_CN:
        case UTF8PROC_CATEGORY_CC:
        case UTF8PROC_CATEGORY_CF:
        case UTF8PROC_CATEGORY_CS:
        case UTF8PROC_CATEGORY_ZL:
        case UTF8PROC_CATEGORY_ZP: return false;
        default: return utf8proc_charwidth(c) > 0;
    }
}

const std::vector<CharacterGroup>& Charsets::sets() {
    static const std::vector<CharacterGroup> sets = buildSets();
    return sets;
}

}  // namespace glyphloom
