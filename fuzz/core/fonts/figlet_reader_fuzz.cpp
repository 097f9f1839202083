// Fuzzes the FIGlet reader with arbitrary text. Aborts when a font is read with a height
// outside the accepted range or a glyph of the wrong number of rows.
#include <cstdlib>
#include <string_view>

#include "core/fonts/figlet_reader.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace glyphloom;
    const std::string text = fontFileText(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto font = fromFIGlet("fuzz", "Fuzz", text);
    if (!font) return 0;
    if (font->height < 1 || font->height > maxFIGletHeight || font->glyphs.size() > 95) std::abort();
    for (const auto& [c, rows] : font->glyphs)
        if (static_cast<int>(rows.size()) != font->height) std::abort();
    return 0;
}
