#include "core/model/json_text.hpp"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace glyphloom {
namespace json_text_test {

using nlohmann::json;

std::string written(std::string_view text) {
    JsonOut out;
    appendJSONString(out, text);
    return {out.bytes.begin(), out.bytes.end()};
}

bool libraryAccepts(const std::string& text) { return !json::parse(text, nullptr, false).is_discarded(); }

bool readerAccepts(const std::string& text) {
    JsonReader in(text);
    return in.skipValue() && in.atEndOfText();
}

TEST(JsonText, StringsAreWrittenAsTheJSONLibraryWritesThem) {
    const std::vector<std::string> texts = {
        "", "plain", "quote \" and backslash \\", "tab\tnew\nline\rcr", std::string("nul\0byte", 8),
        "\x01\x1f\x7f", "\b\f", "█▓▒░", "é", "🙂", "👩‍👩‍👧", "/slash/",
    };
    for (const auto& text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(written(text), json(text).dump());
        EXPECT_EQ(json::parse(written(text)).get<std::string>(), text);
    }
}

TEST(JsonText, BytesThatAreNotUTF8BecomeReplacementCharacters) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\xff" "b", "a\uFFFD" "b"},
        {"\xc0\xaf", "\uFFFD\uFFFD"},      // overlong slash
        {"\xed\xa0\x80", "\uFFFD\uFFFD\uFFFD"},  // an encoded surrogate
        {"end\xe2\x96", "end\uFFFD\uFFFD"},  // cut short
    };
    for (const auto& [text, expected] : cases) {
        const std::string out = written(text);
        ASSERT_TRUE(libraryAccepts(out)) << out;
        EXPECT_EQ(json::parse(out).get<std::string>(), expected);
    }
}

// The reader decides what a document is; it must refuse and accept exactly what the JSON
// library does, or files would open in one place and not in another.
TEST(JsonText, ReaderAcceptsExactlyWhatTheLibraryAccepts) {
    std::vector<std::string> texts = {
        "0", "-0", "01", "-", "+1", "1.", ".5", "1.5", "1e5", "1E+5", "1e-5", "1e", "1e400", "-1e400", "1e-400",
        "123456789012345678901234567890", std::string(400, '9'), "0.000001e-320",
        "true", "tru", "false", "null", "nul", "nullx", "True",
        R"("a")", R"("\u00e9")", R"("\uD83D\uDE00")", R"("\ud83d")", R"("\ude00")", R"("\ud83d\u0041")",
        R"("\x")", R"("\u12")", R"("\/\b\f\n\r\t\"\\")", "\"\x01\"", "\"\xff\"", "\"\xc0\xaf\"", "\"é\"", "\"open",
        "[]", "[1,]", "[,1]", "[1 2]", "[[[]]]", "[[[", "{}", R"({"a":})", R"({"a" 1})", R"({"a":1,})", "{1:2}",
        R"({"a":[1,{"b":null}],"c":"d"})", R"({"a":1}})", "1 2", " \t\r\n1 \n", "", "   ",
        std::string("{}\0garbage", 10), std::string("[\0]", 3),
    };
    texts.push_back(std::string(JsonReader::maxNesting, '[') + std::string(JsonReader::maxNesting - 1, ']'));
    for (const auto& text : texts) EXPECT_EQ(readerAccepts(text), libraryAccepts(text)) << text.substr(0, 40);
}

// Past the nesting limit the reader refuses what the library would take: a tree that deep
// cannot be copied or written without running out of stack.
TEST(JsonText, ReaderRefusesNestingPastItsLimit) {
    auto nested = [](std::size_t depth, const std::string& open, const std::string& close, const std::string& inner) {
        std::string text;
        for (std::size_t i = 0; i < depth; ++i) text += open;
        text += inner;
        for (std::size_t i = 0; i < depth; ++i) text += close;
        return text;
    };
    const std::size_t limit = JsonReader::maxNesting;
    for (const auto& [open, close] : {std::pair{"[", "]"}, std::pair{"{\"k\":[", "]}"}}) {
        const std::size_t perStep = std::string(open) == "[" ? 1 : 2;
        EXPECT_TRUE(readerAccepts(nested(limit / perStep, open, close, "1"))) << open;
        EXPECT_TRUE(readerAccepts(nested(limit / perStep - 1, open, close, "[]"))) << open;
        EXPECT_FALSE(readerAccepts(nested(limit / perStep, open, close, "[]"))) << open;
        EXPECT_FALSE(readerAccepts(nested(85'000, open, close, "1"))) << open;
    }
}

TEST(JsonText, ReaderDecodesStringsAndKeys) {
    JsonReader in(R"( {"plain": "x\u00e9\uD83D\uDE00\n", "k\"ey" : 1} )");
    ASSERT_TRUE(in.consume('{'));
    std::string_view key;
    std::string scratch, value;
    ASSERT_TRUE(in.readKey(key, scratch));
    EXPECT_EQ(key, "plain");
    ASSERT_TRUE(in.readString(&value));
    EXPECT_EQ(value, "xé😀\n");
    ASSERT_TRUE(in.consume(','));
    ASSERT_TRUE(in.readKey(key, scratch));
    EXPECT_EQ(key, "k\"ey");
    EXPECT_EQ(in.readPlainInteger(), 1);
    EXPECT_TRUE(in.consume('}'));
    EXPECT_TRUE(in.atEndOfText());
}

TEST(JsonText, PlainIntegersOnlyAndNothingElseMoves) {
    const std::pair<const char*, std::optional<std::int64_t>> cases[] = {
        {"0", 0},        {"-0", 0},          {"42,", 42},  {"-17}", -17}, {"999999999999999999", 999999999999999999},
        {"1.0", {}},     {"1e3", {}},        {"01", {}},   {"-", {}},     {"9999999999999999999", {}},
        {"\"1\"", {}},   {"null", {}},
    };
    for (const auto& [text, expected] : cases) {
        JsonReader in(text);
        EXPECT_EQ(in.readPlainInteger(), expected) << text;
        if (!expected) {
            EXPECT_EQ(in.position(), 0u) << text;
        }
    }
}

}  // namespace json_text_test
}  // namespace glyphloom
