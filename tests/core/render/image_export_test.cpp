#include "core/render/image_export.hpp"

#include <gtest/gtest.h>

#include "core/codec/checksum.hpp"
#include "core/codec/png_decode.hpp"
#include "core/color/render_lookup.hpp"
#include "core/render/vga_font.hpp"
#include "core/text/cp437.hpp"
#include "core/text/utf8.hpp"
#include "core/model/cell_values.hpp"

namespace glyphloom {
namespace image_export_test {

using Doc = std::vector<std::vector<ANSICell>>;


Doc filled(int rows, int cols, const ANSICell& c) {
    return Doc(static_cast<std::size_t>(rows), std::vector<ANSICell>(static_cast<std::size_t>(cols), c));
}

RGB pixel(const RenderedImage& img, int x, int y) {
    const std::uint8_t* p = img.rgb.data() + (static_cast<std::size_t>(y) * img.width + x) * 3;
    return {p[0], p[1], p[2]};
}

TEST(VGAFont, HasTheVGAShapesOfKeyGlyphs) {
    using Rows = std::array<std::uint8_t, 16>;
    auto rowsOf = [](int b) {
        Rows r{};
        std::copy(VGAFont::scanlines(b).begin(), VGAFont::scanlines(b).end(), r.begin());
        return r;
    };
    EXPECT_EQ(rowsOf(0x41), (Rows{0x00, 0x00, 0x10, 0x38, 0x6C, 0xC6, 0xC6, 0xFE, 0xC6, 0xC6, 0xC6, 0xC6, 0, 0, 0, 0}));
    Rows full;
    full.fill(0xFF);
    EXPECT_EQ(rowsOf(0xDB), full);
    Rows shade;
    for (int i = 0; i < 16; ++i) shade[static_cast<std::size_t>(i)] = i % 2 == 0 ? 0x11 : 0x44;
    EXPECT_EQ(rowsOf(0xB0), shade);
    Rows line{};
    line[7] = 0xFF;
    EXPECT_EQ(rowsOf(0xC4), line);
    EXPECT_EQ(rowsOf(0x00), Rows{});
    // Out-of-range bytes are clamped, never read outside the table.
    EXPECT_EQ(rowsOf(-5), rowsOf(0));
    EXPECT_EQ(rowsOf(300), rowsOf(255));
    // Double-line box drawing must not collapse onto the single-line glyphs.
    EXPECT_NE(rowsOf(0xCD), rowsOf(0xC4));
    EXPECT_NE(rowsOf(0xBA), rowsOf(0xB3));
}

TEST(RenderLookup, ColoursFollowTheVGAAndXtermPalettes) {
    const std::pair<ANSIColorValue, RGB> cases[] = {
        {ANSIColorValue::ansi16(14), {85, 255, 255}},   {ANSIColorValue::ansi16(3), {170, 85, 0}},
        {ANSIColorValue::ansi16(16), {0, 0, 0}},        {ANSIColorValue::ansi16(-1), {0, 0, 0}},
        {ANSIColorValue::ansi256(11), {255, 255, 85}},  {ANSIColorValue::ansi256(16), {0, 0, 0}},
        {ANSIColorValue::ansi256(21), {0, 0, 255}},     {ANSIColorValue::ansi256(196), {255, 0, 0}},
        {ANSIColorValue::ansi256(145), {175, 175, 175}}, {ANSIColorValue::ansi256(232), {8, 8, 8}},
        {ANSIColorValue::ansi256(255), {238, 238, 238}}, {ANSIColorValue::ansi256(300), {238, 238, 238}},
        {ANSIColorValue::ansi256(-4), {0, 0, 0}},       {ANSIColorValue::truecolor(1, 2, 3), {1, 2, 3}},
    };
    for (const auto& [color, rgb] : cases) EXPECT_EQ(renderRGB(color), rgb) << color.label();
}

TEST(RenderLookup, GlyphComesFromTheFirstScalar) {
    EXPECT_EQ(vgaGlyphIndex(CellChar("A")), 0x41);
    EXPECT_EQ(vgaGlyphIndex(CellChar("~")), 0x7E);
    EXPECT_EQ(vgaGlyphIndex(CellChar("e\u0301")), 'e');  // a cluster draws its first scalar
    EXPECT_EQ(vgaGlyphIndex(CellChar("")), 0x20);
    EXPECT_EQ(vgaGlyphIndex(CellChar("█")), 0xDB);
    EXPECT_EQ(vgaGlyphIndex(CellChar("╭")), 0xDA);  // a look-alike stands in
    EXPECT_EQ(vgaGlyphIndex(CellChar("😀")), 0x20);
}

TEST(RenderDocRGB, FullBlockIsSolidForeground) {
    const ANSICell block{CellChar("█"), ANSIColorValue::ansi16(11), ANSIColorValue::ansi16(1), false};  // bright yellow
    const RenderedImage img = renderDocRGB(filled(1, 1, block));
    ASSERT_EQ(img.rgb.size(), 8u * 16 * 3);
    for (std::size_t i = 0; i < img.rgb.size(); i += 3) {
        ASSERT_EQ(img.rgb[i], 255);
        ASSERT_EQ(img.rgb[i + 1], 255);
        ASSERT_EQ(img.rgb[i + 2], 85);
    }
}

TEST(RenderDocRGB, SizesAndEmptyDocuments) {
    const RenderedImage img = renderDocRGB(filled(25, 80, ANSICell::blank()));
    EXPECT_EQ(img.width, 640);
    EXPECT_EQ(img.height, 400);
    EXPECT_EQ(img.rgb.size(), 640u * 400 * 3);

    for (const Doc& empty : {Doc{}, Doc{{}}, Doc{{}, {ANSICell::blank()}}}) {
        const RenderedImage e = renderDocRGB(empty);
        EXPECT_EQ(e.width, 0);
        EXPECT_EQ(e.height, 0);
        EXPECT_TRUE(e.rgb.empty());
        EXPECT_TRUE(exportPNGData(empty).empty());
        EXPECT_FALSE(exportVideoFramePNGData(empty).has_value());
    }
}

TEST(RenderDocRGB, DrawsGlyphBitsInForegroundOnBackground) {
    const auto fg = ANSIColorValue::truecolor(200, 100, 50);
    const auto bg = ANSIColorValue::ansi16(12);  // bright background: drawn bright, not blinking
    const RenderedImage img = renderDocRGB(Doc{{cell("A", fg, bg), cell(" ", fg, ANSIColorValue::ansi256(196))}});
    ASSERT_EQ(img.width, 16);
    const auto glyph = VGAFont::scanlines('A');
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool set = glyph[static_cast<std::size_t>(y)] & (0x80 >> x);
            EXPECT_EQ(pixel(img, x, y), (set ? RGB{200, 100, 50} : RGB{85, 85, 255})) << x << "," << y;
            EXPECT_EQ(pixel(img, 8 + x, y), (RGB{255, 0, 0})) << "blank cell shows its background";
        }
}

TEST(RenderDocRGB, BlinkDoesNotChangePixels) {
    const auto a = cell("#", ANSIColorValue::ansi16(14), ANSIColorValue::ansi16(9), false);
    auto b = a;
    b.blink = true;
    EXPECT_EQ(renderDocRGB(Doc{{a}}).rgb, renderDocRGB(Doc{{b}}).rgb);
}

TEST(RenderDocRGB, RaggedRowsAreCutToTheFirstRowOrLeftBlack) {
    const auto red = cell(" ", ANSIColorValue::ansi16(15), ANSIColorValue::ansi16(4));
    const Doc doc = {std::vector<ANSICell>(2, red), std::vector<ANSICell>(5, red), std::vector<ANSICell>(1, red)};
    const RenderedImage img = renderDocRGB(doc);
    ASSERT_EQ(img.width, 16);
    ASSERT_EQ(img.height, 48);
    EXPECT_EQ(pixel(img, 15, 16), (RGB{0, 0, 170}));  // longer row: only its first two cells
    EXPECT_EQ(pixel(img, 7, 32), (RGB{0, 0, 170}));
    EXPECT_EQ(pixel(img, 8, 32), (RGB{0, 0, 0}));  // shorter row: the rest stays black
}

TEST(RenderDocRGB, GridAndNestedVectorsRenderAlike) {
    Doc doc = filled(3, 4, cell("x", ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(5)));
    doc[1][2] = cell("Q", ANSIColorValue::ansi256(100), ANSIColorValue::truecolor(9, 9, 9));
    EXPECT_EQ(renderDocRGB(CellGrid(doc)).rgb, renderDocRGB(doc).rgb);
}

TEST(ExportPNGData, DecodesBackToTheRender) {
    Doc doc = filled(4, 6, cell("@", ANSIColorValue::ansi16(11), ANSIColorValue::ansi16(1)));
    doc[2][3] = cell("g", ANSIColorValue::truecolor(1, 2, 3), ANSIColorValue::ansi256(57));
    const RenderedImage img = renderDocRGB(doc);
    const auto decoded = decodePNG(exportPNGData(doc));
    ASSERT_TRUE(decoded.has_value());
    ASSERT_EQ(decoded->width, img.width);
    ASSERT_EQ(decoded->height, img.height);
    for (std::size_t i = 0, j = 0; i < img.rgb.size(); i += 3, j += 4) {
        ASSERT_EQ(decoded->rgba[j], img.rgb[i]);
        ASSERT_EQ(decoded->rgba[j + 1], img.rgb[i + 1]);
        ASSERT_EQ(decoded->rgba[j + 2], img.rgb[i + 2]);
    }
}

// Every glyph in every kind of colour, with a blank-row band and a ragged short row: the
// fingerprints below were taken from a render known to be right, so any change to the
// pixels (or to the compressed file, whose bytes are fully determined) shows up here.
TEST(ExportPNGData, AKnownRenderKeepsItsPixelsAndBytes) {
    Doc doc(20, std::vector<ANSICell>(40));
    for (int r = 0; r < 20; ++r)
        for (int c = 0; c < 40; ++c) {
            const int k = r * 40 + c;
            const ANSIColorValue fg = k % 3 == 0   ? ANSIColorValue::ansi16(k % 16)
                                      : k % 3 == 1 ? ANSIColorValue::ansi256(k % 256)
                                                   : ANSIColorValue::truecolor(k % 251, k * 7 % 256, k * 13 % 256);
            const ANSIColorValue bg = ANSIColorValue::ansi16((k / 16) % 16);
            const char32_t scalar = CP437::scalarForByte()[static_cast<std::size_t>(k % 256)];
            doc[r][c] = {CellChar(utf8::encode(scalar)), fg, bg, k % 5 == 0};
        }
    for (auto& c : doc[7]) c = cell(" ", ANSIColorValue::ansi16(7), ANSIColorValue::ansi16(0));
    doc[12].resize(25);
    const RenderedImage img = renderDocRGB(doc);
    EXPECT_EQ(crc32(img.rgb), 0x643880BCu);
    EXPECT_EQ(crc32(exportPNGData(doc)), 0x0E3AA584u);
}

TEST(VideoFrame, ScalesAndCentresTheRender) {
    struct Case {
        int rows, cols;
        int left, top, width, height;
    };
    const Case cases[] = {
        {25, 80, 320, 140, 1280, 800},  // 2.7 rounded down to 2
        {50, 160, 320, 140, 1280, 800},  // 1.35 rounded down to 1
        {200, 320, 528, 0, 864, 1080},   // shrunk by 0.3375
        {1, 1, 692, 4, 536, 1072},       // 8 × 16 enlarged 67 times
    };
    const auto white = cell(" ", ANSIColorValue::ansi16(0), ANSIColorValue::ansi16(15));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.cols) + "x" + std::to_string(c.rows));
        const RenderedImage frame = videoFrameRGB(renderDocRGB(filled(c.rows, c.cols, white)));
        ASSERT_EQ(frame.width, 1920);
        ASSERT_EQ(frame.height, 1080);
        // Bounding box of the white picture on the black frame.
        int minX = 1920, minY = 1080, maxX = -1, maxY = -1;
        for (int y = 0; y < 1080; ++y)
            for (int x = 0; x < 1920; ++x)
                if (pixel(frame, x, y) == RGB{255, 255, 255}) {
                    minX = std::min(minX, x);
                    maxX = std::max(maxX, x);
                    minY = std::min(minY, y);
                    maxY = std::max(maxY, y);
                }
        EXPECT_EQ(minX, c.left);
        EXPECT_EQ(minY, c.top);
        EXPECT_EQ(maxX - minX + 1, c.width);
        EXPECT_EQ(maxY - minY + 1, c.height);
    }
}

TEST(VideoFrame, SamplesNearestSourcePixel) {
    // Columns of distinct colours: at scale 2 each 8-pixel cell becomes 16 frame pixels;
    // shrunk, frame pixel x takes source column trunc(x / s).
    Doc wide(1, std::vector<ANSICell>(80));
    for (int c = 0; c < 80; ++c)
        wide[0][static_cast<std::size_t>(c)] =
            cell(" ", ANSIColorValue::ansi16(0), ANSIColorValue::truecolor(static_cast<std::uint8_t>(c), 7, 9));
    const RenderedImage src = renderDocRGB(wide);  // 640 × 16 → scale 3
    const RenderedImage frame = videoFrameRGB(src);
    const int left = (1920 - 1920) / 2, top = (1080 - 48) / 2;
    EXPECT_EQ(pixel(frame, left + 23, top), (RGB{0, 7, 9}));   // source x 7, cell 0
    EXPECT_EQ(pixel(frame, left + 24, top), (RGB{1, 7, 9}));   // source x 8, cell 1
    EXPECT_EQ(pixel(frame, left + 1919, top + 47), (RGB{79, 7, 9}));
    EXPECT_EQ(pixel(frame, left, top - 1), (RGB{0, 0, 0}));

    Doc tall(200, std::vector<ANSICell>(320, cell(" ", ANSIColorValue::ansi16(0), ANSIColorValue::ansi16(0))));
    for (int r = 0; r < 200; ++r)
        tall[static_cast<std::size_t>(r)][0] =
            cell(" ", ANSIColorValue::ansi16(0), ANSIColorValue::truecolor(static_cast<std::uint8_t>(r), 1, 1));
    const RenderedImage shrunk = videoFrameRGB(renderDocRGB(tall));
    // s = 0.3375: frame row 100 reads source row trunc(100 / 0.3375) = 296, i.e. cell row 18.
    EXPECT_EQ(pixel(shrunk, 528, 100), (RGB{18, 1, 1}));
    EXPECT_EQ(pixel(shrunk, 528, 1079), (RGB{199, 1, 1}));
}

TEST(VideoFrame, ExportsA1920x1080Png) {
    const auto png = exportVideoFramePNGData(filled(25, 80, ANSICell::blank()));
    ASSERT_TRUE(png.has_value());
    const auto decoded = decodePNG(*png);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->width, 1920);
    EXPECT_EQ(decoded->height, 1080);
}

}  // namespace image_export_test
}  // namespace glyphloom
