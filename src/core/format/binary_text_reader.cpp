#include "core/format/binary_text_reader.hpp"

#include <algorithm>

namespace glyphloom {
namespace {

constexpr std::uint8_t binaryTextDataType = 5;
constexpr int defaultWidth = 160;

}  // namespace

ArtReadResult readBinaryText(std::span<const std::uint8_t> data, ANSGridCap cap) {
    cap = clampedCap(cap);
    const ArtBody body = splitSauce(data);
    const std::size_t pairs = body.bytes.size() / 2;
    if (pairs == 0) return artFailure("no picture in it");

    int width = defaultWidth;
    std::string note;
    if (body.sauce && body.sauce->dataType == binaryTextDataType && body.sauce->fileType > 0) {
        width = body.sauce->fileType * 2;
    } else if (!body.sauce && pairs % defaultWidth != 0 && pairs % 80 == 0) {
        width = 80;
        note = "no SAUCE record: width 80 guessed from the file size";
    }
    const AttributeMode mode{body.sauce && body.sauce->iceColors(), false};
    const AttributePalette& palette = standardAttributePalette();

    const std::size_t rows = (pairs + static_cast<std::size_t>(width) - 1) / static_cast<std::size_t>(width);
    ArtGridBuilder grid(width, static_cast<int>(std::min<std::size_t>(rows, ANSLimits::maxRows)), cap);
    const std::uint8_t* at = body.bytes.data();
    const AttributeCells cells(palette, mode);
    for (std::size_t i = 0; i < pairs && !grid.full(); ++i, at += 2) grid.put(cells(at[0], at[1]));
    return finishedArt(grid.finish(), body.sauce,
                       sizeNote(width, static_cast<int>(std::min<std::size_t>(rows, 1u << 30)), grid.rowsStarted(), cap, note));
}

}  // namespace glyphloom
