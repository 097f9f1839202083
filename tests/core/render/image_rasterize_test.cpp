#include "core/render/image_rasterize.hpp"

#include <gtest/gtest.h>

#include <string>

namespace glyphloom {
namespace image_rasterize_test {

DecodedImage solid(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255) {
    DecodedImage image{width, height, {}};
    for (int i = 0; i < width * height; ++i) image.rgba.insert(image.rgba.end(), {r, g, b, a});
    return image;
}

void setPixel(DecodedImage& image, int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255) {
    auto* p = image.rgba.data() + (static_cast<std::size_t>(y) * image.width + x) * 4;
    p[0] = r, p[1] = g, p[2] = b, p[3] = a;
}

int blankCells(const CellGrid& grid) {
    int n = 0;
    for (int r = 0; r < grid.rowCount(); ++r)
        for (const ANSICell& c : grid.row(r)) n += c == ANSICell::blank();
    return n;
}

TEST(ImageRasterize, A320By200PictureFillsAn80By25Document) {
    // Left half red, right half blue, with one green source row band in the middle.
    DecodedImage image = solid(320, 200, 255, 0, 0);
    for (int y = 0; y < 200; ++y)
        for (int x = 160; x < 320; ++x) setPixel(image, x, y, 0, 0, 255);
    const CellGrid grid = rasterizeImage(image, ImageImportMode::blocks, 80, 25, ColorDepth::truecolor);
    ASSERT_EQ(grid.rowCount(), 25);
    ASSERT_EQ(grid.rowLength(0), 80);
    EXPECT_EQ(blankCells(grid), 0);
    EXPECT_EQ(grid.cellAt(24, 39)->foreground, ANSIColorValue::truecolor(255, 0, 0));
    EXPECT_EQ(grid.cellAt(24, 40)->background, ANSIColorValue::truecolor(0, 0, 255));
    EXPECT_EQ(grid.cellAt(0, 0)->character.str(), "▀");
}

TEST(ImageRasterize, TheTopAndBottomHalvesOfACellComeFromTwoPixelRows) {
    DecodedImage image = solid(1, 2, 255, 255, 255);
    setPixel(image, 0, 1, 0, 0, 0);
    // 1 × 2 pixels on a 1 × 1 document: scale = min(1, 2/2) = 1, one cell, top white bottom black.
    const CellGrid grid = rasterizeImage(image, ImageImportMode::blocks, 1, 1, ColorDepth::c16);
    EXPECT_EQ(grid.cellAt(0, 0)->foreground, ANSIColorValue::ansi16(15));
    EXPECT_EQ(grid.cellAt(0, 0)->background, ANSIColorValue::ansi16(0));
}

TEST(ImageRasterize, AOnePixelPictureIsScaledUpLikeAnyOther) {
    // The scale fills the box: 1 × 1 pixels on 10 × 4 cells gives scale min(10, 8) = 8, so an
    // 8 × 8-pixel picture of 8 × 4 cells; columns 8 and 9 stay blank.
    const CellGrid grid = rasterizeImage(solid(1, 1, 255, 255, 255), ImageImportMode::fg, 10, 4, ColorDepth::c16);
    ASSERT_EQ(grid.rowCount(), 4);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 10; ++c) {
            const ANSICell& cell = *grid.cellAt(r, c);
            if (c < 8) {
                EXPECT_EQ(cell.character.str(), "█") << r << "," << c;
                EXPECT_EQ(cell.foreground, ANSIColorValue::ansi16(15));
            } else {
                EXPECT_EQ(cell, ANSICell::blank()) << r << "," << c;
            }
        }
    }
}

TEST(ImageRasterize, TransparentAreasStayBlankInEveryMode) {
    DecodedImage image = solid(4, 4, 255, 255, 255, 0);
    setPixel(image, 0, 0, 255, 255, 255, 255);  // top-left pixel opaque
    for (ImageImportMode mode : allImageImportModes) {
        const CellGrid none = rasterizeImage(solid(4, 4, 200, 10, 10, 0), mode, 4, 2, ColorDepth::c256);
        EXPECT_EQ(blankCells(none), 8) << imageImportLabel(mode);
        // Alpha 255 on top and 0 below is enough (255 ≥ 130): the cell is drawn.
        const CellGrid one = rasterizeImage(image, mode, 4, 2, ColorDepth::c256);
        EXPECT_EQ(blankCells(one), 7) << imageImportLabel(mode);
    }
}

TEST(ImageRasterize, ShadeLevelsFollowBrightness) {
    struct Case {
        std::uint8_t grey;
        const char* glyph;  // nullptr: left blank
    };
    const Case cases[] = {{255, "█"}, {205, "█"}, {204, "▓"}, {128, "▒"}, {100, "░"}, {52, "░"}, {51, nullptr}, {0, nullptr}};
    for (const Case& c : cases) {
        const CellGrid grid = rasterizeImage(solid(2, 2, c.grey, c.grey, c.grey), ImageImportMode::shade, 2, 1,
                                             ColorDepth::truecolor);
        const ANSICell& cell = *grid.cellAt(0, 0);
        if (c.glyph == nullptr) {
            EXPECT_EQ(cell, ANSICell::blank()) << int(c.grey);
        } else {
            EXPECT_EQ(cell.character.str(), c.glyph) << int(c.grey);
            EXPECT_EQ(cell.foreground, ANSIColorValue::truecolor(c.grey, c.grey, c.grey));
            EXPECT_EQ(cell.background, ANSIColorValue::ansi16(0));
        }
    }
}

TEST(ImageRasterize, MonoDocumentsGetOnlyBlackGreyAndWhite) {
    struct Case {
        std::uint8_t r, g, b;
        int expected;
    };
    const Case cases[] = {{0, 0, 0, 0},     {85, 85, 85, 7},   {84, 84, 84, 0},   {191, 191, 191, 7},
                          {192, 192, 192, 15}, {255, 0, 0, 0}, {0, 255, 0, 7},    {255, 255, 0, 15}};
    for (const Case& c : cases) {
        const CellGrid grid = rasterizeImage(solid(2, 2, c.r, c.g, c.b), ImageImportMode::fg, 2, 1, ColorDepth::mono);
        EXPECT_EQ(grid.cellAt(0, 0)->foreground, ANSIColorValue::ansi16(c.expected))
            << int(c.r) << " " << int(c.g) << " " << int(c.b);
    }
}

TEST(ImageRasterize, ABlackWashIsStoredAsDarkGrey) {
    const CellGrid dark = rasterizeImage(solid(2, 2, 5, 5, 5), ImageImportMode::bg, 2, 1, ColorDepth::c16);
    EXPECT_EQ(dark.cellAt(0, 0)->background, ANSIColorValue::ansi16(8));
    EXPECT_EQ(dark.cellAt(0, 0)->character.str(), " ");
    const CellGrid red = rasterizeImage(solid(2, 2, 170, 0, 0), ImageImportMode::bg, 2, 1, ColorDepth::c16);
    EXPECT_EQ(red.cellAt(0, 0)->background, ANSIColorValue::ansi16(1));
    const CellGrid wide = rasterizeImage(solid(2, 2, 95, 135, 175), ImageImportMode::bg, 2, 1, ColorDepth::c256);
    EXPECT_EQ(wide.cellAt(0, 0)->background, ANSIColorValue::ansi256(67));
}

TEST(ImageRasterize, MalformedPicturesGiveABlankGrid) {
    const DecodedImage shortData{4, 4, std::vector<std::uint8_t>(10, 255)};
    const DecodedImage empty{0, 0, {}};
    for (const DecodedImage& image : {shortData, empty}) {
        const CellGrid grid = rasterizeImage(image, ImageImportMode::blocks, 5, 3, ColorDepth::c16);
        EXPECT_EQ(grid, CellGrid(3, 5));
    }
}

}  // namespace image_rasterize_test
}  // namespace glyphloom
