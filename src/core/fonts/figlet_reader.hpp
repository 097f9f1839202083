// Reader of FIGlet fonts ("flf2a", and TOIlet's "tlf2a" of the same layout): the printable
// ASCII characters only. A malformed file gives nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/fonts/block_font.hpp"

namespace glyphloom {

// Tallest glyph a FIGlet header may declare.
inline constexpr int maxFIGletHeight = 256;

// `content` is UTF-8 text (the caller decodes Latin-1 files first).
std::optional<BlockFont> fromFIGlet(const std::string& id, const std::string& name, std::string_view content);

// The text of a font file: UTF-8 as it is, else each byte as a Latin-1 code point.
std::string fontFileText(std::string_view bytes);

}  // namespace glyphloom
