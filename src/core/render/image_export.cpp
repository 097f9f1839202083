// VGA-look render and PNG export. Cells sit edge to edge in 8-pixel columns (no ninth
// column), 16 pixel rows each; backgrounds 8–15 are drawn bright, the iCE reading of
// the art.
#include "core/render/image_export.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <span>

#include "core/codec/picture_buffer.hpp"
#include "core/codec/png_encode.hpp"
#include "core/color/render_lookup.hpp"
#include "core/render/vga_font.hpp"

namespace glyphloom {
namespace {

constexpr int glyphWidth = 8;
constexpr int glyphHeight = 16;
constexpr int frameWidth = 1920;
constexpr int frameHeight = 1080;

// For every pattern of 8 glyph bits, 24 bytes (8 RGB pixels) that are all ones where the
// bit is set: a glyph row is then foreground AND mask OR background AND NOT mask, three
// 64-bit words at a time.
struct GlyphRowMasks {
    std::array<std::array<std::uint64_t, 3>, 256> words{};
    GlyphRowMasks() {
        for (int bits = 0; bits < 256; ++bits) {
            std::array<std::uint8_t, 24> bytes{};
            for (int x = 0; x < glyphWidth; ++x)
                if (bits & (0x80 >> x)) bytes[x * 3] = bytes[x * 3 + 1] = bytes[x * 3 + 2] = 0xFF;
            std::memcpy(words[bits].data(), bytes.data(), bytes.size());
        }
    }
};

// Eight pixels of one colour as three 64-bit words.
std::array<std::uint64_t, 3> colourWords(RGB c) {
    std::array<std::uint8_t, 24> bytes{};
    for (int x = 0; x < glyphWidth; ++x) {
        bytes[x * 3] = c.r;
        bytes[x * 3 + 1] = c.g;
        bytes[x * 3 + 2] = c.b;
    }
    std::array<std::uint64_t, 3> words{};
    std::memcpy(words.data(), bytes.data(), bytes.size());
    return words;
}

void drawCell(std::uint8_t* topLeft, std::size_t pitch, const ANSICell& cell) {
    static const GlyphRowMasks masks;
    const auto fg = colourWords(renderRGB(cell.foreground));
    const auto bg = colourWords(renderRGB(cell.background));
    const auto rows = VGAFont::scanlines(vgaGlyphIndex(cell.character));
    for (int y = 0; y < glyphHeight; ++y) {
        const auto& mask = masks.words[rows[static_cast<std::size_t>(y)]];
        std::uint64_t line[3];
        for (int k = 0; k < 3; ++k) line[k] = (fg[k] & mask[k]) | (bg[k] & ~mask[k]);
        std::memcpy(topLeft + static_cast<std::size_t>(y) * pitch, line, sizeof line);
    }
}

// Draws one row of cells into a band of 16 pixel rows, `columns` cells wide. A longer
// ragged row is cut off; a shorter one leaves the rest of the band as it was.
void drawCellRow(std::uint8_t* band, std::size_t pitch, std::span<const ANSICell> row, std::size_t columns) {
    const std::size_t n = std::min(row.size(), columns);
    for (std::size_t c = 0; c < n; ++c) drawCell(band + c * glyphWidth * 3, pitch, row[c]);
}

// Renders `rowCount` rows obtained from `rowAt(r)` (a span of cells).
template <typename RowAt>
RenderedImage render(int rowCount, RowAt rowAt) {
    if (rowCount <= 0 || rowAt(0).empty()) return {};
    const std::size_t columns = rowAt(0).size();
    RenderedImage image;
    image.width = static_cast<int>(columns) * glyphWidth;
    image.height = rowCount * glyphHeight;
    const std::size_t pitch = static_cast<std::size_t>(image.width) * 3;
    resizePictureBuffer(image.rgb, pitch * static_cast<std::size_t>(image.height));
    for (int r = 0; r < rowCount; ++r)
        drawCellRow(image.rgb.data() + static_cast<std::size_t>(r) * glyphHeight * pitch, pitch, rowAt(r), columns);
    return image;
}

// Renders and encodes one band of cells at a time: the picture itself is never held whole,
// which for a long scroll of art saves hundreds of megabytes of freshly touched memory.
template <typename RowAt>
std::vector<std::uint8_t> renderPNG(int rowCount, RowAt rowAt) {
    if (rowCount <= 0 || rowAt(0).empty()) return {};
    const std::size_t columns = rowAt(0).size();
    const int width = static_cast<int>(columns) * glyphWidth;
    const std::size_t pitch = static_cast<std::size_t>(width) * 3;
    PNGRowEncoder encoder(width, rowCount * glyphHeight);
    std::vector<std::uint8_t> band(pitch * glyphHeight);
    for (int r = 0; r < rowCount; ++r) {
        const std::span<const ANSICell> row = rowAt(r);
        if (row.size() < columns) std::fill(band.begin(), band.end(), std::uint8_t{0});
        drawCellRow(band.data(), pitch, row, columns);
        for (int y = 0; y < glyphHeight; ++y) encoder.addRow(std::span(band).subspan(static_cast<std::size_t>(y) * pitch, pitch));
    }
    return encoder.finish();
}

}  // namespace

RenderedImage renderDocRGB(const std::vector<std::vector<ANSICell>>& doc) {
    return render(static_cast<int>(doc.size()),
                  [&](int r) { return std::span<const ANSICell>(doc[static_cast<std::size_t>(r)]); });
}

RenderedImage renderDocRGB(const CellGrid& doc) {
    return render(doc.rowCount(), [&](int r) { return std::span<const ANSICell>(doc.row(r)); });
}

std::vector<std::uint8_t> exportPNGData(const std::vector<std::vector<ANSICell>>& doc) {
    return renderPNG(static_cast<int>(doc.size()),
                     [&](int r) { return std::span<const ANSICell>(doc[static_cast<std::size_t>(r)]); });
}

std::vector<std::uint8_t> exportPNGData(const CellGrid& doc) {
    return renderPNG(doc.rowCount(), [&](int r) { return std::span<const ANSICell>(doc.row(r)); });
}

RenderedImage videoFrameRGB(const RenderedImage& src) {
    RenderedImage frame{frameWidth, frameHeight,
                        std::vector<std::uint8_t>(std::size_t{frameWidth} * frameHeight * 3, 0)};
    if (src.width <= 0 || src.height <= 0) return frame;
    // Enlarge by a whole factor so pixels stay square and sharp; shrink by whatever fits.
    double s = std::min(static_cast<double>(frameWidth) / src.width, static_cast<double>(frameHeight) / src.height);
    if (s >= 1) s = std::floor(s);
    const int w = std::clamp(static_cast<int>(src.width * s), 1, frameWidth);
    const int h = std::clamp(static_cast<int>(src.height * s), 1, frameHeight);
    const int left = (frameWidth - w) / 2;
    const int top = (frameHeight - h) / 2;
    std::vector<int> srcX(static_cast<std::size_t>(w));
    for (int x = 0; x < w; ++x) srcX[static_cast<std::size_t>(x)] = std::min(static_cast<int>(x / s), src.width - 1);
    for (int y = 0; y < h; ++y) {
        const int sy = std::min(static_cast<int>(y / s), src.height - 1);
        const std::uint8_t* srcRow = src.rgb.data() + static_cast<std::size_t>(sy) * src.width * 3;
        std::uint8_t* dst = frame.rgb.data() + (static_cast<std::size_t>(top + y) * frameWidth + left) * 3;
        for (int x = 0; x < w; ++x, dst += 3) std::memcpy(dst, srcRow + srcX[static_cast<std::size_t>(x)] * 3, 3);
    }
    return frame;
}

std::optional<std::vector<std::uint8_t>> exportVideoFramePNGData(const std::vector<std::vector<ANSICell>>& doc) {
    const RenderedImage image = renderDocRGB(doc);
    if (image.width == 0) return std::nullopt;
    const RenderedImage frame = videoFrameRGB(image);
    return encodePNG(frame.width, frame.height, frame.rgb);
}

std::optional<std::vector<std::uint8_t>> exportVideoFramePNGData(const CellGrid& doc) {
    const RenderedImage image = renderDocRGB(doc);
    if (image.width == 0) return std::nullopt;
    const RenderedImage frame = videoFrameRGB(image);
    return encodePNG(frame.width, frame.height, frame.rgb);
}

}  // namespace glyphloom
