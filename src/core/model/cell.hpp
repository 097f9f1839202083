// One character cell (character, foreground, background, blink) and the cell coordinate
// used as a key by the tools' sparse per-cell maps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <type_traits>

#include "core/model/cell_char.hpp"
#include "core/model/color.hpp"

namespace glyphloom {

struct ANSICell {
    CellChar character;  // " " unless set
    ANSIColorValue foreground = ANSIColorValue::ansi16(15);
    ANSIColorValue background = ANSIColorValue::ansi16(0);
    bool blink = false;
    // Always 0. It fills what would be padding, so that equal cells are equal bytes and a
    // screen compares whole rows at once.
    std::uint8_t unused = 0;

    // A white-on-black space: what new canvases, screens and compositing start from.
    static constexpr ANSICell blank() { return {}; }

    friend bool operator==(const ANSICell&, const ANSICell&) = default;
};

// Cells are copied by the million (compositing, undo, screen buffers): keep them flat.
static_assert(sizeof(ANSICell) <= 16);
static_assert(std::is_trivially_copyable_v<ANSICell>);
static_assert(std::has_unique_object_representations_v<ANSICell>);

// Compositing treats exactly this as "nothing here": a space on ansi16(0), whatever its
// foreground or blink.
inline bool isTransparent(const ANSICell& cell) {
    return cell.character.isSpace() && cell.background == ANSIColorValue::ansi16(0);
}

// Document coordinate (row, column) from the top left.
struct GridKey {
    int row = 0;
    int col = 0;
    friend constexpr bool operator==(GridKey, GridKey) = default;
};

}  // namespace glyphloom

template <>
struct std::hash<glyphloom::GridKey> {
    std::size_t operator()(glyphloom::GridKey k) const noexcept {
        std::size_t h = std::hash<int>{}(k.row);
        return h ^ (std::hash<int>{}(k.col) + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2));
    }
};
