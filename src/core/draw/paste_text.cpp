#include "core/draw/paste_text.hpp"

#include "core/text/cp437.hpp"
#include "core/text/utf8.hpp"

namespace glyphloom {

std::vector<PlacedCharacter> pasteTextPlacements(std::string_view text, TextRegion region) {
    std::vector<PlacedCharacter> placed;
    if (region.bottom < region.top || region.right < region.left) return placed;
    int row = region.top;
    int col = region.left;
    // CR LF is a single cluster, so each of the three break forms counts once.
    for (std::string& cluster : utf8::graphemeClusters(text)) {
        if (cluster == "\n" || cluster == "\r\n" || cluster == "\r") {
            ++row;
            col = region.left;
            if (row > region.bottom) break;
            continue;
        }
        if (cluster == "\t") {
            col += 2;
            continue;
        }
        if (col <= region.right && CP437::canEncode(cluster)) placed.push_back({GridKey{row, col}, std::move(cluster)});
        ++col;
    }
    return placed;
}

}  // namespace glyphloom
