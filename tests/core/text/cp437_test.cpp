#include "core/text/cp437.hpp"

#include <gtest/gtest.h>
#include <iconv.h>

#include <set>

#include "core/text/utf8.hpp"

namespace glyphloom {
namespace cp437_test {

using Bytes = std::vector<std::uint8_t>;

CP437::Encoded encoded(Bytes data, int approximated) { return {std::move(data), approximated}; }

TEST(Cp437, RoundTripsEveryByte) {
    const auto& table = CP437::scalarForByte();
    std::set<char32_t> seen;
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<std::uint8_t>(b);
        const char32_t scalar = table[byte];
        seen.insert(scalar);
        EXPECT_EQ(CP437::byteForScalar(scalar), byte) << b;
        const std::string text = utf8::encode(scalar);
        EXPECT_EQ(CP437::encodeLossy(text), encoded({byte}, 0)) << b;
        EXPECT_TRUE(CP437::canEncode(text)) << b;
        // Decoding gives the scalar back, except NUL, which reads as a blank.
        EXPECT_EQ(CP437::decode(Bytes{byte}), b == 0 ? std::string(" ") : text) << b;
    }
    EXPECT_EQ(seen.size(), 256u);

    Bytes all(256);
    for (int b = 0; b < 256; ++b) all[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(b);
    Bytes expected = all;
    expected[0] = 0x20;
    EXPECT_EQ(CP437::encodeLossy(CP437::decode(all)), encoded(expected, 0));
}

TEST(Cp437, LowBytesAndSpecialChoices) {
    struct Row {
        std::uint8_t byte;
        char32_t scalar;
    };
    // The PC glyphs of the control range; the five bytes that keep their control meaning; the
    // house at 0x7F; the upper half's ambiguous spots.
    const Row rows[] = {
        {0x01, 0x263A}, {0x02, 0x263B}, {0x03, 0x2665}, {0x04, 0x2666}, {0x05, 0x2663}, {0x06, 0x2660},
        {0x07, 0x2022}, {0x08, 0x25D8}, {0x09, 0x25CB}, {0x0B, 0x2642}, {0x0C, 0x2640}, {0x0E, 0x266B},
        {0x0F, 0x263C}, {0x10, 0x25BA}, {0x11, 0x25C4}, {0x12, 0x2195}, {0x13, 0x203C}, {0x14, 0x00B6},
        {0x15, 0x00A7}, {0x16, 0x25AC}, {0x17, 0x21A8}, {0x18, 0x2191}, {0x19, 0x2193}, {0x1C, 0x221F},
        {0x1D, 0x2194}, {0x1E, 0x25B2}, {0x1F, 0x25BC},
        {0x00, 0x0000}, {0x0A, 0x000A}, {0x0D, 0x000D}, {0x1A, 0x001A}, {0x1B, 0x001B},
        {0x20, 0x0020}, {0x7E, 0x007E}, {0x7F, 0x2302},
        {0x80, 0x00C7}, {0xE1, 0x00DF}, {0xE6, 0x00B5}, {0xF9, 0x2219}, {0xFA, 0x00B7}, {0xFE, 0x25A0},
        {0xFF, 0x00A0},
    };
    for (const Row& row : rows) EXPECT_EQ(CP437::scalarForByte()[row.byte], row.scalar) << int(row.byte);
    EXPECT_EQ(CP437::decode(std::string_view("\x00\x0A\x0D\x1A\x1B\x7F", 6)), " \n\r\x1A\x1B\u2302");
}

// The upper half is standard code page 437: compare with the C library's converter, which
// the program itself never uses.
TEST(Cp437, UpperHalfAgreesWithSystemConverter) {
    iconv_t cd = iconv_open("UTF-32LE", "CP437");
    if (cd == reinterpret_cast<iconv_t>(-1)) GTEST_SKIP() << "the C library has no CP437 converter";
    for (int b = 0x80; b < 0x100; ++b) {
        char in = static_cast<char>(b);
        char out[8] = {};
        char* inPtr = &in;
        char* outPtr = out;
        std::size_t inLeft = 1, outLeft = sizeof out;
        ASSERT_NE(iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft), static_cast<std::size_t>(-1)) << b;
        const char32_t reference = static_cast<unsigned char>(out[0]) | static_cast<unsigned char>(out[1]) << 8 |
                                   static_cast<unsigned char>(out[2]) << 16;
        EXPECT_EQ(CP437::scalarForByte()[static_cast<std::size_t>(b)], reference) << std::hex << b;
    }
    iconv_close(cd);
}

TEST(Cp437, EverySubstituteRow) {
    struct Row {
        const char* chars;
        std::uint8_t byte;
    };
    const Row rows[] = {
        {"╭", 0xDA}, {"╮", 0xBF},   {"╰", 0xC0},    {"╯", 0xD9},    {"▖▗▘▝", 0xB0}, {"▚▞", 0xB1},
        {"▙▛▜▟", 0xB2}, {"●◆", 0xF9}, {"◇□", 0xF8},  {"▪▮", 0xFE},   {"▫▭▯", 0xB0}, {"☾", 0x28},
        {"★☆", 0x0F}, {"◙", 0x08},   {"♪", 0x0E},    {"→", 0x10},    {"←", 0x11},   {"╌╍╴╶—", 0xC4},
        {"╎╏╵╷", 0xB3}, {"β", 0xE1}, {"ξ", 0xEE},    {"ω", 0xEA},    {"ψ", 0xE8},   {"ζλ", 0xEB},
        {"γ", 0x79},  {"η", 0x6E},   {"ι", 0x69},    {"κ", 0x6B},    {"ρ", 0x70},   {"∑", 0xE4},
        {"≠", 0x3D},  {"×", 0x78},   {"³¹", 0xFD},   {"’", 0x27},
    };
    std::set<char32_t> keys;
    for (const Row& row : rows) {
        for (char32_t scalar : utf8::decode(row.chars)) {
            keys.insert(scalar);
            const std::string text = utf8::encode(scalar);
            EXPECT_EQ(CP437::substitute(scalar), row.byte) << text;
            EXPECT_FALSE(CP437::byteForScalar(scalar).has_value()) << text;
            EXPECT_EQ(CP437::encodeLossy(text), encoded({row.byte}, 1)) << text;
            EXPECT_FALSE(CP437::canEncode(text)) << text;
        }
    }
    EXPECT_EQ(keys.size(), 56u);
    // Scalars of the main table never go through the substitutes.
    EXPECT_FALSE(CP437::substitute(U'\u25CB').has_value());
    EXPECT_FALSE(CP437::substitute(U'A').has_value());
}

TEST(Cp437, EncodeLossyCases) {
    struct Case {
        const char* what;
        std::string text;
        Bytes bytes;
        int approximated;
    };
    const Case cases[] = {
        {"empty", "", {}, 0},
        {"look-alike", "╭", {0xDA}, 1},
        {"own byte", "é", {0x82}, 0},
        {"circle is in the table", "○", {0x09}, 0},
        {"emoji", "😀", {0x3F}, 1},
        {"question mark itself", "?", {0x3F}, 0},
        {"letter plus combining mark is two bytes", "e\u0301", {0x65, 0x3F}, 1},
        {"two unmappable marks count twice", "a\u0301\u0302", {0x61, 0x3F, 0x3F}, 2},
        {"mixed", "A╭😀é", {0x41, 0xDA, 0x3F, 0x82}, 2},
        {"line feed and escape keep their bytes", "\n\x1B", {0x0A, 0x1B}, 0},
        {"NUL has its byte", std::string(1, '\0'), {0x00}, 0},
        {"a tab has no byte of its own", "\t", {0x3F}, 1},
        {"malformed byte", "\xFF", {0x3F}, 1},
        {"truncated sequence is one unmappable per byte", "x\xE2\x94", {0x78, 0x3F, 0x3F}, 2},
        {"scalar far past the table", "\U0010FFFD", {0x3F}, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(CP437::encodeLossy(c.text), encoded(c.bytes, c.approximated)) << c.what;

    Bytes out = {0x01};
    EXPECT_EQ(CP437::encodeLossyInto("╭é", out), 1);
    EXPECT_EQ(out, (Bytes{0x01, 0xDA, 0x82}));
}

TEST(Cp437, CanEncodeCountsOnlyOwnBytes) {
    struct Case {
        std::string text;
        bool expected;
    };
    const Case cases[] = {
        {"", true},          {"Hello ░▒▓█", true}, {"é", true},  {"╭", false},    {"😀", false},
        {"\xC3", false},     {"\t", false},         {"\n", true}, {"⌂", true},     {"a\u0301", false},
    };
    for (const Case& c : cases) EXPECT_EQ(CP437::canEncode(c.text), c.expected) << c.text;
}

}  // namespace cp437_test
}  // namespace glyphloom
