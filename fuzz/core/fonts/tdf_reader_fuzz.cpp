// Fuzzes the TheDraw font reader with arbitrary files (the signature is supplied, so the
// fuzzer explores the records). Aborts when a font comes back with an impossible shape.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/fonts/tdf_reader.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace glyphloom;
    std::vector<std::uint8_t> file{0x13};
    const char signature[] = "TheDraw FONTS file";
    file.insert(file.end(), signature, signature + 18);
    file.push_back(0x1A);
    file.insert(file.end(), data, data + size);
    for (const BlockFont& font : fromTDF("fuzz", file)) {
        // No glyph outgrows the largest size a glyph may declare, whatever it holds.
        if (font.height < 1 || font.height > 20 || font.glyphs.size() > 94 || font.name.empty()) std::abort();
        for (const auto& [c, rows] : font.glyphs) {
            const auto padded = font.glyph(c);
            if (static_cast<int>(padded.size()) < font.height) std::abort();
            if (font.isTDFColorFont() && font.cellColors.at(c).size() != rows.size()) std::abort();
        }
        // A missing character must come back blank and as tall as the font.
        if (static_cast<int>(font.glyph("\x01").size()) != font.height) std::abort();
    }
    fromTDF("raw", std::span(data, size));
    return 0;
}
