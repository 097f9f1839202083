#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/codec/checksum.hpp"
#include "core/codec/png_decode.hpp"
#include "core/codec/png_encode.hpp"

namespace glyphloom {
namespace png_test {

using Bytes = std::vector<std::uint8_t>;

// ---- libpng as the reference reader and writer -------------------------------------------

struct LibpngImage {
    int width = 0, height = 0, colorType = 0, bitDepth = 0, interlace = 0;
    Bytes rows;     // raw samples, no transforms (8-bit, non-interlaced files only)
    Bytes palette;  // 3 bytes per entry
    int warnings = 0;
};

struct MemReader {
    const Bytes* data;
    std::size_t pos = 0;
};

void onError(png_structp png, png_const_charp) { std::longjmp(png_jmpbuf(png), 1); }
void onWarning(png_structp png, png_const_charp) { ++*static_cast<int*>(png_get_error_ptr(png)); }

void readFromMemory(png_structp png, png_bytep out, png_size_t n) {
    auto* r = static_cast<MemReader*>(png_get_io_ptr(png));
    if (r->data->size() - r->pos < n) png_error(png, "read past end");
    std::memcpy(out, r->data->data() + r->pos, n);
    r->pos += n;
}

// Reads the header and, for 8-bit non-interlaced files, the raw scanlines.
std::optional<LibpngImage> libpngRead(const Bytes& file) {
    LibpngImage img;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &img.warnings, onError, onWarning);
    png_infop info = png_create_info_struct(png);
    MemReader reader{&file};
    std::vector<png_bytep> rowPointers;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return std::nullopt;
    }
    png_set_read_fn(png, &reader, readFromMemory);
    png_read_info(png, info);
    img.width = static_cast<int>(png_get_image_width(png, info));
    img.height = static_cast<int>(png_get_image_height(png, info));
    img.colorType = png_get_color_type(png, info);
    img.bitDepth = png_get_bit_depth(png, info);
    img.interlace = png_get_interlace_type(png, info);
    if (img.bitDepth == 8 && img.interlace == PNG_INTERLACE_NONE) {
        const std::size_t stride = png_get_rowbytes(png, info);
        img.rows.resize(stride * static_cast<std::size_t>(img.height));
        for (int y = 0; y < img.height; ++y) rowPointers.push_back(img.rows.data() + stride * static_cast<std::size_t>(y));
        png_read_image(png, rowPointers.data());
        png_read_end(png, nullptr);
        png_colorp plte = nullptr;
        int n = 0;
        if (png_get_PLTE(png, info, &plte, &n) == PNG_INFO_PLTE)
            for (int i = 0; i < n; ++i) img.palette.insert(img.palette.end(), {plte[i].red, plte[i].green, plte[i].blue});
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return img;
}

// What the reader is expected to produce, derived from libpng's samples: RGBA with alpha
// 255 unless the colour type has an alpha channel.
Bytes expectedRGBA(const LibpngImage& img) {
    Bytes out;
    const std::size_t n = static_cast<std::size_t>(img.width) * static_cast<std::size_t>(img.height);
    out.reserve(n * 4);
    const std::uint8_t* s = img.rows.data();
    for (std::size_t i = 0; i < n; ++i) {
        switch (img.colorType) {
            case PNG_COLOR_TYPE_GRAY: out.insert(out.end(), {s[0], s[0], s[0], 255}); s += 1; break;
            case PNG_COLOR_TYPE_RGB: out.insert(out.end(), {s[0], s[1], s[2], 255}); s += 3; break;
            case PNG_COLOR_TYPE_PALETTE:
                if (s[0] * 3u + 3 <= img.palette.size())
                    out.insert(out.end(), {img.palette[s[0] * 3u], img.palette[s[0] * 3u + 1], img.palette[s[0] * 3u + 2], 255});
                else
                    out.insert(out.end(), {255, 255, 255, 255});
                s += 1;
                break;
            case PNG_COLOR_TYPE_GRAY_ALPHA: out.insert(out.end(), {s[0], s[0], s[0], s[1]}); s += 2; break;
            default: out.insert(out.end(), s, s + 4); s += 4; break;
        }
    }
    return out;
}

void writeToMemory(png_structp png, png_bytep data, png_size_t n) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + n);
}
void flushNothing(png_structp) {}

struct WriteSpec {
    int width, height, colorType, bitDepth = 8, interlace = PNG_INTERLACE_NONE, filters = PNG_ALL_FILTERS;
};

// Writes `samples` (packed rows as libpng expects them) with libpng.
Bytes libpngWrite(const WriteSpec& spec, const Bytes& samples) {
    Bytes out;
    int warnings = 0;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &warnings, onError, onWarning);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        ADD_FAILURE() << "libpng could not write the test image";
        return {};
    }
    png_set_write_fn(png, &out, writeToMemory, flushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(spec.width), static_cast<png_uint_32>(spec.height), spec.bitDepth,
                 spec.colorType, spec.interlace, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (spec.colorType == PNG_COLOR_TYPE_PALETTE) {
        std::vector<png_color> plte(1u << std::min(spec.bitDepth, 8));
        for (std::size_t i = 0; i < plte.size(); ++i)
            plte[i] = {static_cast<png_byte>(i * 7), static_cast<png_byte>(255 - i), static_cast<png_byte>(i * 13)};
        png_set_PLTE(png, info, plte.data(), static_cast<int>(plte.size()));
    }
    png_set_filter(png, 0, spec.filters);
    png_write_info(png, info);
    const std::size_t stride = samples.size() / static_cast<std::size_t>(spec.height);
    std::vector<png_bytep> rows;
    for (int y = 0; y < spec.height; ++y)
        rows.push_back(const_cast<png_bytep>(samples.data()) + stride * static_cast<std::size_t>(y));
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

int channels(int colorType) {
    switch (colorType) {
        case PNG_COLOR_TYPE_GRAY: return 1;
        case PNG_COLOR_TYPE_RGB: return 3;
        case PNG_COLOR_TYPE_PALETTE: return 1;
        case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
        default: return 4;
    }
}

// Smooth gradients with noise, so every filter type is worth something to libpng.
Bytes testSamples(const WriteSpec& spec, std::uint32_t seed) {
    std::mt19937 rng(seed);
    const std::size_t rowBytes = (static_cast<std::size_t>(spec.width) * channels(spec.colorType) * spec.bitDepth + 7) / 8;
    Bytes out(rowBytes * static_cast<std::size_t>(spec.height));
    for (int y = 0; y < spec.height; ++y)
        for (std::size_t x = 0; x < rowBytes; ++x)
            out[static_cast<std::size_t>(y) * rowBytes + x] = static_cast<std::uint8_t>(x * 3 + static_cast<std::size_t>(y) * 5 + (rng() % 4));
    if (spec.colorType == PNG_COLOR_TYPE_PALETTE && spec.bitDepth == 8)
        for (auto& b : out) b = static_cast<std::uint8_t>(b % 256);
    return out;
}

// A hand-built PNG: signature, IHDR with the given fields, optional PLTE, one IDAT with the
// zlib-compressed `scanlines` (filter bytes included), IEND.
Bytes craftPNG(std::uint32_t width, std::uint32_t height, int bitDepth, int colorType, const Bytes& scanlines,
               const Bytes& palette = {}, int interlace = 0) {
    Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    auto chunk = [&](const char* type, const Bytes& data) {
        const auto len = be32(static_cast<std::uint32_t>(data.size()));
        out.insert(out.end(), len.begin(), len.end());
        Bytes typed(type, type + 4);
        typed.insert(typed.end(), data.begin(), data.end());
        out.insert(out.end(), typed.begin(), typed.end());
        const auto crc = be32(crc32(typed));
        out.insert(out.end(), crc.begin(), crc.end());
    };
    Bytes ihdr;
    for (auto v : {be32(width), be32(height)}) ihdr.insert(ihdr.end(), v.begin(), v.end());
    ihdr.insert(ihdr.end(), {static_cast<std::uint8_t>(bitDepth), static_cast<std::uint8_t>(colorType), 0, 0,
                             static_cast<std::uint8_t>(interlace)});
    chunk("IHDR", ihdr);
    if (!palette.empty()) chunk("PLTE", palette);
    uLongf packedSize = compressBound(static_cast<uLong>(scanlines.size()));
    Bytes packed(packedSize);
    EXPECT_EQ(compress2(packed.data(), &packedSize, scanlines.data(), static_cast<uLong>(scanlines.size()), 1), Z_OK);
    packed.resize(packedSize);
    chunk("IDAT", packed);
    chunk("IEND", {});
    return out;
}

// ---- tests ------------------------------------------------------------------------------

TEST(Crc32, MatchesStandardValues) {
    const std::string abc = "abc";
    EXPECT_EQ(crc32(Bytes(abc.begin(), abc.end())), 0x352441C2u);
    EXPECT_EQ(crc32(Bytes{}), 0u);
    const std::string nine = "123456789";
    EXPECT_EQ(crc32(Bytes(nine.begin(), nine.end())), 0xCBF43926u);
    // Continuing a CRC over a second piece gives the CRC of the whole.
    const Bytes all(nine.begin(), nine.end());
    EXPECT_EQ(crc32(std::span(all).subspan(4), crc32(std::span(all).first(4))), 0xCBF43926u);
}

TEST(Adler32, MatchesZlibOnLongInputs) {
    std::mt19937 rng(3);
    for (std::size_t n : {std::size_t{0}, std::size_t{1}, std::size_t{15}, std::size_t{17}, std::size_t{5552},
                          std::size_t{5553}, std::size_t{5569}, std::size_t{1000000}}) {
        Bytes data(n);
        for (auto& b : data) b = static_cast<std::uint8_t>(rng() | 0xF0);  // large bytes stress the deferred modulo
        EXPECT_EQ(adler32(data), ::adler32(1, data.data(), static_cast<uInt>(n))) << n;
        // The largest bytes, continued from sums just below the modulus (zlib reads an empty
        // buffer as a request for the initial value, so that case is left out).
        if (n == 0) continue;
        const Bytes ff(n, 0xFF);
        EXPECT_EQ(adler32(ff, 0xFFF0FFF0u), ::adler32(0xFFF0FFF0u, ff.data(), static_cast<uInt>(n))) << n;
    }
}

TEST(Be32, MostSignificantByteFirst) { EXPECT_EQ(be32(0x01020304u), (std::array<std::uint8_t, 4>{1, 2, 3, 4})); }

TEST(EncodePNG, WritesTheFixedLayout) {
    const Bytes rgb = {10, 20, 30, 40, 50, 60};
    const Bytes png = encodePNG(2, 1, rgb);
    const Bytes expectedStart = {0x89, 'P',  'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0,   13, 'I', 'H', 'D', 'R',
                                 0,    0,    0,   2,   0,    0,    0,    1,    8, 2, 0,   0,  0};
    ASSERT_GT(png.size(), expectedStart.size());
    EXPECT_EQ(Bytes(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(expectedStart.size())), expectedStart);
    // IDAT follows the IHDR CRC; its data starts with the zlib header 78 01.
    EXPECT_EQ(std::string(png.begin() + 37, png.begin() + 41), "IDAT");
    EXPECT_EQ(png[41], 0x78);
    EXPECT_EQ(png[42], 0x01);
    const Bytes iend = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
    EXPECT_EQ(Bytes(png.end() - 12, png.end()), iend);
    EXPECT_TRUE(encodePNG(2, 2, rgb).empty());
    EXPECT_TRUE(encodePNG(0, 1, {}).empty());
}

TEST(PNGRowEncoder, RowByRowIsTheWholeFileAndRefusesAMismatch) {
    const int w = 37, h = 29;
    std::mt19937 rng(3);
    Bytes rgb(static_cast<std::size_t>(w * h * 3));
    for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(rng() % 4 == 0 ? rng() : i / 200);
    const std::size_t stride = static_cast<std::size_t>(w) * 3;
    auto rows = [&](PNGRowEncoder& e, int count) {
        for (int y = 0; y < count; ++y) e.addRow(std::span(rgb).subspan(static_cast<std::size_t>(y) * stride, stride));
    };

    PNGRowEncoder whole(w, h);
    rows(whole, h);
    EXPECT_EQ(whole.finish(), encodePNG(w, h, rgb));

    PNGRowEncoder tooFew(w, h);
    rows(tooFew, h - 1);
    EXPECT_TRUE(tooFew.finish().empty());
    PNGRowEncoder tooMany(w, h - 1);
    rows(tooMany, h);
    EXPECT_TRUE(tooMany.finish().empty());
    PNGRowEncoder shortRow(w, 1);
    shortRow.addRow(std::span(rgb).first(stride - 3));
    EXPECT_TRUE(shortRow.finish().empty());
    PNGRowEncoder noWidth(0, 1);
    noWidth.addRow({});
    EXPECT_TRUE(noWidth.finish().empty());
}

TEST(EncodePNG, RoundTripsThroughOwnReaderAndLibpng) {
    const std::pair<int, int> sizes[] = {{1, 1}, {3, 2}, {17, 31}, {640, 48}};
    std::mt19937 rng(11);
    for (auto [w, h] : sizes) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        Bytes rgb(static_cast<std::size_t>(w * h * 3));
        for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(rng() % 3 == 0 ? rng() : i / 48);
        const Bytes png = encodePNG(w, h, rgb);
        Bytes rgba;
        for (std::size_t i = 0; i < rgb.size(); i += 3) rgba.insert(rgba.end(), {rgb[i], rgb[i + 1], rgb[i + 2], 255});

        const auto ours = decodePNG(png);
        ASSERT_TRUE(ours.has_value());
        EXPECT_EQ(*ours, (DecodedImage{w, h, rgba}));

        const auto theirs = libpngRead(png);
        ASSERT_TRUE(theirs.has_value());
        EXPECT_EQ(theirs->warnings, 0);
        EXPECT_EQ(theirs->colorType, PNG_COLOR_TYPE_RGB);
        EXPECT_EQ(theirs->rows, rgb);
    }
}

TEST(DecodePNG, ReadsWhatLibpngWritesInEveryAcceptedFormat) {
    const int colorTypes[] = {PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_RGB, PNG_COLOR_TYPE_PALETTE, PNG_COLOR_TYPE_GRAY_ALPHA,
                              PNG_COLOR_TYPE_RGB_ALPHA};
    const int filters[] = {PNG_FILTER_NONE, PNG_FILTER_SUB, PNG_FILTER_UP, PNG_FILTER_AVG, PNG_FILTER_PAETH, PNG_ALL_FILTERS};
    const std::pair<int, int> sizes[] = {{1, 1}, {5, 3}, {33, 17}, {300, 4}};
    std::uint32_t seed = 1;
    for (int type : colorTypes) {
        for (int filter : filters) {
            for (auto [w, h] : sizes) {
                SCOPED_TRACE("type " + std::to_string(type) + " filter " + std::to_string(filter) + " " +
                             std::to_string(w) + "x" + std::to_string(h));
                const WriteSpec spec{w, h, type, 8, PNG_INTERLACE_NONE, filter};
                const Bytes file = libpngWrite(spec, testSamples(spec, seed++));
                const auto reference = libpngRead(file);
                ASSERT_TRUE(reference.has_value());
                const auto ours = decodePNG(file);
                ASSERT_TRUE(ours.has_value());
                EXPECT_EQ(ours->width, w);
                EXPECT_EQ(ours->height, h);
                EXPECT_EQ(ours->rgba, expectedRGBA(*reference));
            }
        }
    }
}

TEST(DecodePNG, RefusesDepthsOtherThanEightAndInterlacing) {
    const WriteSpec cases[] = {
        {16, 8, PNG_COLOR_TYPE_GRAY, 16},     {16, 8, PNG_COLOR_TYPE_RGB, 16},     {16, 8, PNG_COLOR_TYPE_RGB_ALPHA, 16},
        {16, 8, PNG_COLOR_TYPE_PALETTE, 1},   {16, 8, PNG_COLOR_TYPE_PALETTE, 2},  {16, 8, PNG_COLOR_TYPE_PALETTE, 4},
        {16, 8, PNG_COLOR_TYPE_GRAY, 1},      {16, 8, PNG_COLOR_TYPE_GRAY, 4},
        {16, 8, PNG_COLOR_TYPE_RGB, 8, PNG_INTERLACE_ADAM7},
        {16, 8, PNG_COLOR_TYPE_PALETTE, 8, PNG_INTERLACE_ADAM7},
    };
    for (const WriteSpec& spec : cases) {
        SCOPED_TRACE("type " + std::to_string(spec.colorType) + " depth " + std::to_string(spec.bitDepth) +
                     " interlace " + std::to_string(spec.interlace));
        Bytes samples = testSamples(spec, 5);
        if (spec.colorType == PNG_COLOR_TYPE_PALETTE) for (auto& b : samples) b &= 0x00;  // valid indexes at any depth
        const Bytes file = libpngWrite(spec, samples);
        ASSERT_TRUE(libpngRead(file).has_value());
        PNGRefusal why{};
        EXPECT_FALSE(decodePNG(file, &why).has_value());
        EXPECT_EQ(why, PNGRefusal::unsupportedFormat);
    }
}

TEST(DecodePNG, EnforcesSizeLimitsAndStructure) {
    // 4000 × 4000 grey is at the pixel limit and decodes; 5000 × 4000 is past it.
    const Bytes bigRows((4000 + 1) * std::size_t{4000}, 0);
    const auto big = decodePNG(craftPNG(4000, 4000, 8, 0, bigRows));
    ASSERT_TRUE(big.has_value());
    EXPECT_EQ(big->rgba.size(), std::size_t{4000} * 4000 * 4);

    struct Case {
        const char* name;
        Bytes file;
        PNGRefusal why;
    };
    const Bytes oneRow = {0, 1, 2, 3};
    Bytes noSignature = craftPNG(3, 1, 8, 0, oneRow);
    noSignature[1] = 'Q';
    const Bytes small = craftPNG(3, 1, 8, 0, oneRow);
    const Bytes afterHeader(small.begin(), small.begin() + 33);  // signature and IHDR only
    const std::vector<Case> cases = {
        {"20 million pixels", craftPNG(5000, 4000, 8, 0, {0}), PNGRefusal::badDimensions},
        {"width 0", craftPNG(0, 1, 8, 0, {0}), PNGRefusal::badDimensions},
        {"height 0", craftPNG(1, 0, 8, 0, {0}), PNGRefusal::badDimensions},
        {"width past 16 million", craftPNG(16'000'001, 1, 8, 0, {0}), PNGRefusal::badDimensions},
        {"4-byte dimensions overflowing 32 bits", craftPNG(0x10000, 0x10000, 8, 0, {0}), PNGRefusal::badDimensions},
        {"colour type 1", craftPNG(3, 1, 8, 1, oneRow), PNGRefusal::unsupportedFormat},
        {"colour type 5", craftPNG(3, 1, 8, 5, oneRow), PNGRefusal::unsupportedFormat},
        {"interlace 1", craftPNG(3, 1, 8, 0, oneRow, {}, 1), PNGRefusal::unsupportedFormat},
        {"no signature", noSignature, PNGRefusal::notPNG},
        {"no IDAT", afterHeader, PNGRefusal::noImageData},
        {"filter type 5", craftPNG(3, 1, 8, 0, {5, 1, 2, 3}), PNGRefusal::badFilter},
        {"image data too short", craftPNG(3, 2, 8, 0, oneRow), PNGRefusal::badCompression},
        {"lying header, tiny data", craftPNG(4000, 4000, 8, 6, oneRow), PNGRefusal::badCompression},
        {"empty file", {}, PNGRefusal::notPNG},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PNGRefusal why{};
        EXPECT_FALSE(decodePNG(c.file, &why).has_value());
        EXPECT_EQ(why, c.why);
    }
}

TEST(DecodePNG, PaletteIndexPastTheEndIsOpaqueWhiteAndCrcIsNotChecked) {
    const Bytes palette = {255, 0, 0, 0, 0, 255};  // two entries
    Bytes file = craftPNG(4, 1, 8, 3, {0, 0, 1, 2, 255}, palette);
    // Damage every CRC: the image must still decode.
    for (std::size_t pos = 8; pos + 12 <= file.size();) {
        const std::uint32_t len = std::uint32_t{file[pos]} << 24 | file[pos + 1] << 16 | file[pos + 2] << 8 | file[pos + 3];
        file[pos + 8 + len] ^= 0xFF;
        pos += 12 + len;
    }
    const auto image = decodePNG(file);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->rgba, (Bytes{255, 0, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255}));
}

TEST(DecodePNG, IdatMaySpanSeveralChunksAndTrailingStreamDataIsIgnored) {
    // A 2 × 2 RGB image with its zlib stream split over three IDAT chunks.
    const Bytes rgb = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const Bytes whole = encodePNG(2, 2, rgb);
    const auto direct = decodePNG(whole);
    ASSERT_TRUE(direct.has_value());
    // Find the IDAT payload and re-chunk it.
    const std::size_t idatAt = 33;
    const std::uint32_t len = std::uint32_t{whole[idatAt]} << 24 | whole[idatAt + 1] << 16 | whole[idatAt + 2] << 8 | whole[idatAt + 3];
    const Bytes payload(whole.begin() + idatAt + 8, whole.begin() + idatAt + 8 + len);
    Bytes split(whole.begin(), whole.begin() + idatAt);
    for (std::size_t start = 0; start < payload.size(); start += 5) {
        const Bytes part(payload.begin() + static_cast<std::ptrdiff_t>(start),
                         payload.begin() + static_cast<std::ptrdiff_t>(std::min(payload.size(), start + 5)));
        const auto l = be32(static_cast<std::uint32_t>(part.size()));
        split.insert(split.end(), l.begin(), l.end());
        split.insert(split.end(), {'I', 'D', 'A', 'T'});
        split.insert(split.end(), part.begin(), part.end());
        split.insert(split.end(), {0, 0, 0, 0});
    }
    split.insert(split.end(), whole.end() - 12, whole.end());
    EXPECT_EQ(decodePNG(split), direct);
}

TEST(DecodePNG, AgreesWithLibpngOnTheCorpus) {
    const std::filesystem::path dir = std::filesystem::path(GLYPHLOOM_CORPUS_DIR) / "png";
    if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << "PNG corpus not found at " << dir;
    int compared = 0, refused = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() != ".png") continue;
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream in(entry.path(), std::ios::binary);
        const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const auto ours = decodePNG(file);
        // Read the header fields straight from the file, independent of both readers.
        if (file.size() >= 29 && (file[24] != 8 || file[28] != 0)) {
            EXPECT_FALSE(ours.has_value()) << "depth " << int(file[24]) << " interlace " << int(file[28]);
            ++refused;
            continue;
        }
        const auto reference = libpngRead(file);
        if (!ours || !reference) continue;
        EXPECT_EQ(ours->width, reference->width);
        EXPECT_EQ(ours->height, reference->height);
        EXPECT_EQ(ours->rgba, expectedRGBA(*reference));
        ++compared;
    }
    EXPECT_GE(compared, 8);
    EXPECT_GE(refused, 5);

    // The same image with every chunk CRC damaged, with a wrong Adler-32, and cut inside
    // IEND: none of that touches the pixels, so all three decode alike.
    auto decodeFile = [&](const char* name) {
        std::ifstream in(dir / name, std::ios::binary);
        return decodePNG(Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    };
    const auto crc = decodeFile("invalid-crc32.png");
    ASSERT_TRUE(crc.has_value());
    EXPECT_EQ(crc, decodeFile("invalid-zlib.png"));
    EXPECT_EQ(crc, decodeFile("invalid-trunc.png"));
}

}  // namespace png_test
}  // namespace glyphloom
