#include "core/text/visible_text.hpp"

#include <algorithm>

#include "core/text/utf8.hpp"

namespace glyphloom {

std::string visibleText(std::string_view text) {
    // Nearly every text is printable ASCII and comes back as it is.
    const bool plain =
        std::all_of(text.begin(), text.end(), [](char ch) { return ch >= 0x20 && ch < 0x7F; });
    if (plain) return std::string(text);
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size();) {
        const utf8::Decoded d = utf8::decodeAt(text, i);
        utf8::append(out, d.valid ? visibleScalar(d.scalar) : utf8::replacementCharacter);
        i += static_cast<std::size_t>(d.length);
    }
    return out;
}

}  // namespace glyphloom
