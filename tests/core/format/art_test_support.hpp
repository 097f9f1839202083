// Small helpers for the tests of the picture readers: bytes from text, SAUCE trailers, rows
// as text, cells made from a DOS attribute.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/format/art_cells.hpp"
#include "core/format/sauce_record.hpp"
#include "core/model/cell_values.hpp"

namespace glyphloom::art_test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes bytes(const std::string& text) { return {text.begin(), text.end()}; }

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline Bytes withRecord(Bytes body, const SauceRecord& record) {
    const auto trailer = sauceRecordData(record, static_cast<std::uint32_t>(body.size()));
    body.insert(body.end(), trailer.begin(), trailer.end());
    return body;
}

inline std::string rowText(const CellGrid& grid, int r) {
    std::string out;
    for (const ANSICell& cell : grid.row(r)) out += cell.character.str();
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// The cell a character shows in an attribute with the standard palette.
inline ANSICell dosCell(std::uint8_t character, std::uint8_t attribute, bool ice = false) {
    return attributeCell(character, attribute, standardAttributePalette(), {ice, false});
}

inline ANSIColorValue c16(int n) { return ANSIColorValue::ansi16(n); }

}  // namespace glyphloom::art_test
