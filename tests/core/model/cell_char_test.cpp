#include "core/model/cell_char.hpp"

#include <gtest/gtest.h>

#include "core/model/cell.hpp"
#include "core/model/intern_table.hpp"
#include "core/text/utf8.hpp"

namespace glyphloom {
namespace cell_char_test {

TEST(CellChar, KeepsOneClusterAndTurnsAnythingElseIntoTheReplacementCharacter) {
    const std::string kept[] = {" ", "A", "█", "€", "😀", "", "e\u0301", "👍🏽", "🇩🇪", std::string("\0", 1),
                                "\u0301", "👩🏽\u200d🤝\u200d👨🏿"};
    for (const std::string& text : kept) EXPECT_EQ(CellChar(text).str(), text) << "text of length " << text.size();

    const std::string replaced[] = {"ab", "e\u0301x", std::string("\xff\xfe", 2), "\xe2\x96", "a\xff",
                                    // One cluster, but far longer than any real one.
                                    [] {
                                        std::string s = "e";
                                        for (int i = 0; i < 40; ++i) s += "\u0301";
                                        return s;
                                    }()};
    for (const std::string& text : replaced)
        EXPECT_EQ(CellChar(text), CellChar::fromScalar(utf8::replacementCharacter)) << "text of length " << text.size();
}

TEST(InternTable, HandsOutStableNumbersUntilFull) {
    InternTable table(3);
    const auto b = table.intern("");  // the empty text first, as the editor's first cell asks
    const auto a = table.intern("e\u0301");
    const auto c = table.intern("👍🏽");
    ASSERT_TRUE(a && b && c);
    EXPECT_NE(*a, *b);
    EXPECT_EQ(table.intern("e\u0301"), a);
    EXPECT_FALSE(table.intern("new"));
    EXPECT_EQ(table.intern("👍🏽"), c);  // known texts still resolve when full
    EXPECT_EQ(table.size(), 3u);
    ASSERT_TRUE(table.text(*c));
    EXPECT_EQ(*table.text(*c), "👍🏽");
    EXPECT_EQ(table.text(3), std::nullopt);
}

TEST(InternTable, TextsStayPutAndFindableAcrossGrowth) {
    // Enough texts to fill several storage blocks and regrow the index many times.
    InternTable table(1'000'000);
    std::vector<std::string_view> first;
    for (int i = 0; i < 60'000; ++i) {
        const std::string text = "t" + std::to_string(i);
        const auto id = table.intern(text);
        ASSERT_EQ(id, static_cast<std::uint32_t>(i));
        first.push_back(*table.text(*id));
    }
    for (int i = 0; i < 60'000; i += 997) {
        const std::string text = "t" + std::to_string(i);
        EXPECT_EQ(table.intern(text), static_cast<std::uint32_t>(i));
        EXPECT_EQ(first[static_cast<std::size_t>(i)], text);  // the early view still reads right
        EXPECT_EQ(first[static_cast<std::size_t>(i)].data(), table.text(static_cast<std::uint32_t>(i))->data());
    }
}

TEST(CellChar, ClustersOfALaterDocumentSurviveAnEarlierOneFullOfDistinctClusters) {
    // One whole canvas's worth of distinct clusters (CJK bases with a combining mark each,
    // more than the table used to hold in all), then the clusters of the next document.
    const char32_t marks[] = {0x0300, 0x0301, 0x0302, 0x0303};
    int made = 0;
    for (char32_t base = 0x4E00; made < 80'000; ++base) {
        for (const char32_t mark : marks) {
            const std::string text = utf8::encode(base) + utf8::encode(mark);
            ASSERT_EQ(CellChar(text).str(), text);
            ++made;
        }
    }
    // Marks no other test puts on these letters, so the clusters are new to the table.
    for (const std::string later : {"👩\u200d💻", "n\u0303", "q\u0304\u0323", "x\u0306\u0324"})
        EXPECT_EQ(CellChar(later).str(), later) << later;
}

// How a terminal shows a character, as the screen asks of every cell it draws.
TEST(CellChar, ColumnsAndControlsAsATerminalShowsThem) {
    struct Case {
        std::string text;
        int columns;
        bool control;
    };
    const Case cases[] = {
        {" ", 1, false},     {"A", 1, false},      {"~", 1, false},        {"█", 1, false},
        {"é", 1, false},     {"e\u0301", 1, false}, {"中", 2, false},       {"😀", 2, false},
        {"👍🏽", 2, false},    {"\u0301", 0, false}, {"", 0, false},         {"\u200b", 0, false},
        {"\x1b", -1, true},  {"\x7f", -1, true},   {"\u0085", -1, true},   {std::string("\0", 1), -1, true},
    };
    for (const Case& c : cases) {
        for (int again = 0; again < 2; ++again) {  // worked out once, then remembered
            const CellChar ch(c.text);
            if (c.columns >= 0) {
                EXPECT_EQ(ch.columns(), c.columns) << "text of length " << c.text.size();
            }
            EXPECT_EQ(ch.hasControl(), c.control) << "text of length " << c.text.size();
            EXPECT_EQ(ch.plainNarrow(), c.columns == 1 && !c.control) << "text of length " << c.text.size();
        }
    }
}

TEST(CellChar, EqualTextsCompareEqualHoweverMade) {
    EXPECT_EQ(CellChar("e\u0301"), CellChar(std::string("e\u0301")));
    EXPECT_NE(CellChar("e\u0301"), CellChar("e"));
    EXPECT_EQ(CellChar("█"), CellChar::fromScalar(U'█'));
    EXPECT_NE(CellChar(""), CellChar(" "));
    EXPECT_TRUE(CellChar().isSpace());
    EXPECT_TRUE(CellChar("").empty());
    EXPECT_FALSE(CellChar(" ").empty());
}

TEST(CellChar, ScalarOnlyForSingleScalars) {
    EXPECT_EQ(CellChar("█").scalar(), U'█');
    EXPECT_EQ(CellChar("😀").scalar(), U'😀');
    EXPECT_FALSE(CellChar("e\u0301").scalar());
    EXPECT_FALSE(CellChar("").scalar());
    // Text that is not one cluster has become the replacement character.
    EXPECT_EQ(CellChar("ab").scalar(), utf8::replacementCharacter);
    EXPECT_EQ(CellChar("\xff").scalar(), utf8::replacementCharacter);
    EXPECT_EQ(CellChar::fromScalar(0xD800).scalar(), utf8::replacementCharacter);
}

TEST(CellChar, AppendToMatchesStr) {
    std::string out = "x";
    CellChar("👍🏽").appendTo(out);
    CellChar("y").appendTo(out);
    EXPECT_EQ(out, "x👍🏽y");
}

TEST(Utf8, GraphemeClustersKeepCombiningSequencesTogether) {
    using V = std::vector<std::string>;
    EXPECT_EQ(utf8::graphemeClusters("abc"), (V{"a", "b", "c"}));
    EXPECT_EQ(utf8::graphemeClusters("e\u0301x"), (V{"e\u0301", "x"}));
    EXPECT_EQ(utf8::graphemeClusters("👍🏽!"), (V{"👍🏽", "!"}));
    EXPECT_EQ(utf8::graphemeClusters("🇩🇪🇫🇷"), (V{"🇩🇪", "🇫🇷"}));
    EXPECT_EQ(utf8::graphemeClusters("\r\n"), (V{"\r\n"}));
    EXPECT_EQ(utf8::graphemeClusters(""), V{});
    // Malformed bytes stand alone as U+FFFD.
    EXPECT_EQ(utf8::graphemeClusters("a\xff\u0301"), (V{"a", "\uFFFD", "\u0301"}));
}

TEST(Utf8, DecodeRejectsOverlongsSurrogatesAndTruncation) {
    EXPECT_FALSE(utf8::decodeAt("\xc0\xaf", 0).valid);          // overlong "/"
    EXPECT_FALSE(utf8::decodeAt("\xed\xa0\x80", 0).valid);      // surrogate
    EXPECT_FALSE(utf8::decodeAt("\xf4\x90\x80\x80", 0).valid);  // past U+10FFFF
    EXPECT_FALSE(utf8::decodeAt("\xe2\x96", 0).valid);          // truncated
    EXPECT_EQ(utf8::decodeAt("\xe2\x96\x88", 0).scalar, U'█');
    EXPECT_TRUE(utf8::isValid("█ok"));
    EXPECT_FALSE(utf8::isValid("ok\x80"));
}

TEST(ANSICell, StaysSmallAndBlankIsWhiteSpaceOnBlack) {
    const ANSICell blank = ANSICell::blank();
    EXPECT_EQ(blank.character.str(), " ");
    EXPECT_EQ(blank.foreground, ANSIColorValue::ansi16(15));
    EXPECT_EQ(blank.background, ANSIColorValue::ansi16(0));
    EXPECT_FALSE(blank.blink);
    EXPECT_LE(sizeof(ANSICell), 16u);
}

}  // namespace cell_char_test
}  // namespace glyphloom
