#include "core/format/ans_import.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/utf8.hpp"
#include "core/model/print_values.hpp"

namespace glyphloom {
namespace ans_import_test {

const std::string E = "\x1b";
std::string csi(const std::string& body) { return E + "[" + body; }

std::vector<std::uint8_t> bytes(const std::string& s) { return {s.begin(), s.end()}; }

// A file body followed by a minimal SAUCE trailer with the given width and flags.
std::vector<std::uint8_t> withRecord(const std::string& body, int width, std::uint8_t flags) {
    SauceRecord record;
    record.tInfo1 = width;
    record.flags = flags;
    auto data = bytes(body);
    const auto trailer = sauceRecordData(record, static_cast<std::uint32_t>(data.size()));
    data.insert(data.end(), trailer.begin(), trailer.end());
    return data;
}

std::string rowText(const CellGrid& grid, int r) {
    std::string out;
    for (const ANSICell& cell : grid.row(r)) out += cell.character.str();
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

CellGrid imported(const std::string& text, std::optional<int> wrap = std::nullopt, bool ice = true) {
    auto grid = importANSText(text, wrap, ice);
    EXPECT_TRUE(grid.has_value()) << text;
    return grid.value_or(CellGrid());
}

struct Placement {
    const char* name;
    std::string text;
    std::optional<int> wrap;
    int row, col;
    std::string character;
};

TEST(AnsImport, CursorSequencesPlaceCharactersWhereATerminalWould) {
    const std::string fullRow(80, 'x');
    const std::vector<Placement> cases = {
        {"position is 1-based", csi("5;10H") + "X", std::nullopt, 4, 9, "X"},
        {"f positions like H", csi("3;2f") + "X", std::nullopt, 2, 1, "X"},
        {"missing position parameters mean 1", csi(";H") + "X", std::nullopt, 0, 0, "X"},
        {"back steps over what was written", "ab" + csi("D") + "c", std::nullopt, 0, 1, "c"},
        {"save and restore survive a line break", csi("5C") + "ab" + csi("s") + "\r\ncd" + csi("u") + "Z", std::nullopt,
         0, 7, "Z"},
        {"cursor up after a full row returns to it", fullRow + csi("A") + "y", 80, 0, 0, "y"},
        {"line feed after an exact wrap adds no row", fullRow + "\r\nz", 80, 1, 0, "z"},
        {"a second line feed does add a row", fullRow + "\r\n\r\nz", 80, 2, 0, "z"},
        {"up never goes above the top", "\r\n\r\n" + csi("9A") + "u", std::nullopt, 0, 0, "u"},
        {"forward stops at the last column of the wrap width", csi("99C") + "r", 20, 0, 19, "r"},
        {"forward stops at column 999 without a width", csi("5000C") + "r\r\n", std::nullopt, 0, 999, "r"},
        {"back never goes left of the margin", "ab" + csi("9D") + "q", std::nullopt, 0, 0, "q"},
        {"down is limited to the last stored row", csi("3999B") + "d", std::nullopt, 3999, 0, "d"},
        {"carriage return keeps the row", "abc\rZ", std::nullopt, 0, 0, "Z"},
        {"NUL prints as a blank", std::string("a\0b", 3), std::nullopt, 0, 2, "b"},
        {"an unknown sequence is ignored", csi("?7h") + csi("1;2;3t") + "k", std::nullopt, 0, 0, "k"},
    };
    for (const auto& c : cases) {
        const CellGrid grid = imported(c.text, c.wrap);
        const ANSICell* cell = grid.cellAt(c.row, c.col);
        ASSERT_NE(cell, nullptr) << c.name;
        EXPECT_EQ(cell->character.str(), c.character) << c.name;
    }
}

TEST(AnsImport, FullRowFollowedByCursorUpDoesNotPushTheArtDown) {
    const CellGrid grid = imported(std::string(80, 'x') + csi("A") + "y", 80);
    EXPECT_EQ(rowText(grid, 0), "y" + std::string(79, 'x'));
    EXPECT_EQ(rowText(grid, 1), "");
}

TEST(AnsImport, EraseSequences) {
    EXPECT_EQ(rowText(imported("junk\r\njunk\r\n" + csi("2J") + "x"), 0), "x");
    EXPECT_EQ(rowText(imported("junk\r\njunk\r\n" + csi("2J") + "x"), 1), "");
    EXPECT_EQ(rowText(imported("junk" + csi("J") + csi("1J") + "!"), 0), "junk!");
    EXPECT_EQ(rowText(imported("abcdef" + csi("3D") + csi("K") + "\r\nz"), 0), "abc");
    EXPECT_EQ(rowText(imported("abcdef" + csi("3D") + csi("1K") + "\r\nz"), 0), "abcdef");
}

TEST(AnsImport, GridIsPaddedToTheMinimumAndTrailingLineFeedsAddNoRows) {
    const CellGrid one = imported("x");
    EXPECT_EQ(one.rowCount(), 4);
    EXPECT_EQ(one.rowLength(0), 10);
    EXPECT_EQ(one.rowLength(3), 10);
    EXPECT_EQ(*one.cellAt(3, 9), ANSICell::blank());

    const CellGrid two = imported("ab" + std::string(10, '\n'));
    EXPECT_EQ(two.rowCount(), 4);
}

TEST(AnsImport, WrapWidthRules) {
    // Escapes without line breaks: an 80-column screen.
    const CellGrid noBreaks = imported(csi("0m") + std::string(100, 'a'));
    EXPECT_EQ(noBreaks.rowLength(0), 80);
    EXPECT_EQ(rowText(noBreaks, 1), std::string(20, 'a'));

    // Plain text is never wrapped and is cut at 1000 columns.
    const CellGrid plain = imported(std::string(1200, 'p') + "\nq");
    EXPECT_EQ(plain.rowLength(0), 1000);
    EXPECT_EQ(rowText(plain, 1), "q");

    // Escapes and line breaks, but a line past 1000 columns: re-read at 80.
    const CellGrid overWide = imported(csi("0m") + std::string(1500, 'w') + "\r\nend");
    EXPECT_EQ(overWide.rowLength(0), 80);
    EXPECT_EQ(rowText(overWide, 18), std::string(1500 - 18 * 80, 'w'));
    EXPECT_EQ(rowText(overWide, 19), "end");

    // Escapes and line breaks with ordinary lines keep their own width.
    const CellGrid lines = imported(csi("0m") + std::string(120, 'l') + "\r\nz");
    EXPECT_EQ(lines.rowLength(0), 120);
    EXPECT_EQ(rowText(lines, 1), "z");
}

// The over-wide decision looks at the rows as they end up: a line that ran past 1000
// columns but was erased before the end no longer forces the 80-column re-read.
TEST(AnsImport, OverWideLineThatIsLaterErasedKeepsLineStructure) {
    const std::string wide = csi("0m") + std::string(1100, 'w');
    struct Case {
        const char* name;
        std::string text;
        int width;          // columns of the result
        int row;            // a row to check
        std::string text_;  // its text
    };
    const Case cases[] = {
        {"cleared screen", wide + csi("2J") + "ab\r\ncd", 10, 1, "cd"},
        {"line erased from column 5", wide + csi("1;6H") + csi("K") + "\r\nxy", 10, 0, "wwwww"},
        // The command is abandoned at the next ESC, so the erase after it still counts.
        {"erased after an abandoned command", wide + "\x1b]0;title" + csi("1;6H") + csi("K") + "\r\nxy", 10, 0,
         "wwwww"},
        {"erased, then a long line", wide + csi("2J") + std::string(300, 'q') + "\r\nz", 300, 1, "z"},
        {"still too wide at the end", wide + "\r\n" + csi("2J") + std::string(1001, 'v') + "\nz", 80, 13, "z"},
    };
    for (const Case& c : cases) {
        const CellGrid grid = imported(c.text);
        EXPECT_EQ(grid.rowLength(0), c.width) << c.name;
        EXPECT_EQ(rowText(grid, c.row), c.text_) << c.name;
    }
}

// Without a width of its own, art whose rows run past the screen only here and there was
// drawn on an 80-column screen; art whose rows mostly do is that wide.
TEST(AnsImport, RowsPastTheScreenHereAndThereMeanAnEightyColumnScreen) {
    std::string shortRows, wideRows;
    for (int i = 0; i < 5; ++i) shortRows += csi("0m") + "row\r\n";
    for (int i = 0; i < 5; ++i) wideRows += csi("0m") + std::string(130, 'w') + "\r\n";
    struct Case {
        std::string text;
        int columns, row;
        std::string rowText_;
    };
    const Case cases[] = {
        {shortRows + std::string(200, 'r') + "\r\nend", 80, 7, std::string(40, 'r')},
        {shortRows + csi("100C") + "x\r\nend", 80, 5, std::string(79, ' ') + "x"},
        {wideRows + "end", 130, 4, std::string(130, 'w')},
    };
    for (const Case& c : cases) {
        const CellGrid grid = imported(c.text);
        EXPECT_EQ(grid.rowLength(0), c.columns) << c.text;
        ASSERT_LT(c.row, grid.rowCount()) << c.text;
        EXPECT_EQ(rowText(grid, c.row), c.rowText_) << c.text;
    }
}

TEST(AnsImport, RecordWidthSetsTheWrap) {
    const std::string art = csi("0m") + std::string(140, 'a');
    struct Case {
        int width;
        int expectedColumns;
    };
    for (const Case c : {Case{132, 132}, Case{0, 80}, Case{5, 80}, Case{1001, 80}, Case{1000, 140}}) {
        const auto file = importANSFile(withRecord(art, c.width, 1), false);
        ASSERT_TRUE(file) << c.width;
        EXPECT_EQ(file->cells.rowLength(0), c.expectedColumns) << c.width;
        ASSERT_TRUE(file->sauce) << c.width;
        EXPECT_EQ(file->sauce->tInfo1, c.width);
    }
}

TEST(AnsImport, BlinkBecomesBrightBackgroundUnderICEColours) {
    const std::string art = csi("5;44m") + "B" + csi("0;5;104m") + "C";
    struct Case {
        const char* name;
        std::vector<std::uint8_t> data;
        bool blinks;
    };
    const std::vector<Case> cases = {
        {"record without iCE", withRecord(art, 80, 0), true},
        {"record with iCE", withRecord(art, 80, 1), false},
        {"no record", bytes(art), false},
    };
    for (const auto& c : cases) {
        const auto file = importANSFile(c.data, false);
        ASSERT_TRUE(file) << c.name;
        const ANSICell& b = *file->cells.cellAt(0, 0);
        const ANSICell& bright = *file->cells.cellAt(0, 1);
        EXPECT_EQ(b.blink, c.blinks) << c.name;
        EXPECT_EQ(b.background, ANSIColorValue::ansi16(c.blinks ? 4 : 12)) << c.name;
        // An already bright background stays as it is either way.
        EXPECT_EQ(bright.background, ANSIColorValue::ansi16(12)) << c.name;
        EXPECT_EQ(bright.blink, c.blinks) << c.name;
    }
}

TEST(AnsImport, TSequencesSetTrueColours) {
    const auto a16 = ANSIColorValue::ansi16;
    const auto tc = ANSIColorValue::truecolor;
    struct Case {
        std::string params;
        ANSIColorValue fg, bg;
    };
    const Case cases[] = {
        {"1;10;20;30", tc(10, 20, 30), a16(0)}, {"0;-5;2;300", a16(15), tc(0, 2, 255)}, {"2;10;20;30", a16(15), a16(0)},
        {"1;10;20", a16(15), a16(0)},           {"1;10;20;30;40", a16(15), a16(0)},     {"1;10;;30", a16(15), a16(0)},
    };
    for (const Case& c : cases) {
        const ANSICell cell = *imported(csi(c.params + "t") + "x").cellAt(0, 0);
        EXPECT_EQ(cell.foreground, c.fg) << c.params;
        EXPECT_EQ(cell.background, c.bg) << c.params;
    }
    // Like any colour change it keeps a pending wrap: the line feed adds no blank row.
    EXPECT_EQ(rowText(imported(std::string(80, 'x') + csi("0;9;9;9t") + "\r\nz", 80), 1), "z");
}

TEST(AnsImport, ArtEndsAtTheFirstEndOfFileMark) {
    struct Case {
        std::vector<std::uint8_t> data;
        bool preferUTF8;
        int row;
        std::string text;  // of `row`; every other row is empty
    };
    const Case cases[] = {
        {bytes("art\x1a\r\ndrawn by someone\r\n"), false, 0, "art"},
        {withRecord("art\x1amore\x1a", 80, 1), false, 0, "art"},
        {bytes("é\x1a\xff\xfe"), true, 0, "é"},  // only the art must be valid UTF-8
        // Nothing drawn before the mark: what follows it is shown.
        {bytes(E + "]4;1;rgb:aa/00/00\x07\x1a\r\nabout it"), false, 1, "about it"},
    };
    for (const Case& c : cases) {
        const auto file = importANSFile(c.data, c.preferUTF8);
        ASSERT_TRUE(file) << c.text;
        EXPECT_EQ(file->cells.rowCount(), 4) << c.text;
        for (int r = 0; r < file->cells.rowCount(); ++r)
            EXPECT_EQ(rowText(file->cells, r), r == c.row ? c.text : "") << c.text;
    }
}

TEST(AnsImport, UTF8IsRecognisedByItsCharacters) {
    const std::string box = "╔══╗\r\n║ok║\r\n╚══╝\r\n";
    struct Case {
        std::string path;
        std::vector<std::uint8_t> data;
        bool utf8;
    };
    const Case cases[] = {
        {"box.ans", bytes(csi("36m") + box), true},
        {"words.txt", bytes("Café crème"), true},
        {"named.UTF8.ans", bytes("\xC9\xBB"), true},
        {"stray-control.ans", bytes(box + "\xC2\x85"), true},
        {"after-the-mark.ans", bytes(box + "\x1a\xff"), true},
        {"ascii.ans", bytes(csi("31m") + "plain"), false},
        {"invalid.ans", bytes("\xDB\xDB\xB2\xB1"), false},
        {"with-record.ans", withRecord(box, 80, 1), false},
        // CP437 whose few high bytes pair up into valid UTF-8.
        {"corners.ans", bytes("\xC9\xBB\r\n\xC8\xBC"), false},      // ╔╗ ╚╝: ɻ ȼ
        {"blocks.ans", bytes(" \xDB\xB2 "), false},                 // █▓: an Arabic digit
        {"junction.ans", bytes("| \xC3\xB4 |"), false},             // ├┤: a lone ô
        {"mostly-pairs.ans", bytes("\xC9\xBB \xC8\xBC ░"), false},  // ɻ ȼ outnumber ░
    };
    for (const Case& c : cases) EXPECT_EQ(readsAsUTF8(c.path, c.data), c.utf8) << c.path;
}

struct SGRCase {
    const char* params;
    ANSIColorValue fg, bg;
    bool bold, blink;
};

TEST(AnsImport, ParseSGRAppliesCodesLeftToRight) {
    const auto a16 = ANSIColorValue::ansi16;
    const auto a256 = ANSIColorValue::ansi256;
    const auto tc = ANSIColorValue::truecolor;
    // Every case starts from fg 3, bg 2, bold and blink both set.
    const std::vector<SGRCase> cases = {
        {"", a16(15), a16(0), false, false},
        {"0", a16(15), a16(0), false, false},
        {";", a16(3), a16(2), true, true},
        {"31", a16(1), a16(2), true, true},
        {"22;25", a16(3), a16(2), false, false},
        {"21", a16(3), a16(2), false, true},
        {"0;1;6", a16(15), a16(0), true, true},
        {"90;107", a16(8), a16(15), true, true},
        {"47;97", a16(15), a16(7), true, true},
        {"38;5;300", a256(255), a16(2), true, true},
        {"38;5;-4", a256(0), a16(2), true, true},
        {"48;5;17;31", a16(1), a256(17), true, true},
        {"38;2;10;20;300", tc(10, 20, 255), a16(2), true, true},
        {"48;2;-1;2;3", a16(3), tc(0, 2, 3), true, true},
        {"38;2;10;20", a16(3), a16(2), true, true},
        {"0;38;2;10;20", a16(15), a16(0), false, false},
        {"38;2;10;22", a16(3), a16(2), true, true},
        {"25;38;5", a16(3), a16(2), true, false},
        {"38;7;1;2;3;31", a16(3), a16(2), true, true},
        {"38", a16(3), a16(2), true, true},
        {"abc;32", a16(2), a16(2), true, true},
        {"+33;;44", a16(3), a16(4), true, true},
        {"2;3;4;7;39;49;99999999999999999999", a16(3), a16(2), true, true},
    };
    for (const auto& c : cases) {
        bool bold = true, blink = true;
        const SGRColors colors = parseSGR(c.params, a16(3), a16(2), bold, blink);
        EXPECT_EQ(colors.fg, c.fg) << '"' << c.params << '"';
        EXPECT_EQ(colors.bg, c.bg) << '"' << c.params << '"';
        EXPECT_EQ(bold, c.bold) << '"' << c.params << '"';
        EXPECT_EQ(blink, c.blink) << '"' << c.params << '"';
    }
}

TEST(AnsImport, BoldBrightensOnlyClassicDimForegrounds) {
    const CellGrid grid = imported(csi("1;31m") + "a" + csi("1;91m") + "b" + csi("0;1;38;5;3m") + "c");
    EXPECT_EQ(grid.cellAt(0, 0)->foreground, ANSIColorValue::ansi16(9));
    EXPECT_EQ(grid.cellAt(0, 1)->foreground, ANSIColorValue::ansi16(9));
    EXPECT_EQ(grid.cellAt(0, 2)->foreground, ANSIColorValue::ansi256(3));
    // Padding before a written column keeps the default colours.
    const CellGrid padded = imported(csi("44m") + csi("3C") + "x");
    EXPECT_EQ(*padded.cellAt(0, 0), ANSICell::blank());
    EXPECT_EQ(padded.cellAt(0, 3)->background, ANSIColorValue::ansi16(4));
}

TEST(AnsImport, UnterminatedSequencesDropOnlyTheirEscape) {
    EXPECT_EQ(rowText(imported("ab" + csi("12")), 0), "ab[12");
    EXPECT_EQ(rowText(imported("a" + E + "(Bz"), 0), "a(Bz");
    EXPECT_EQ(rowText(imported("end" + E), 0), "end");
    // A final character may be any letter, not only ASCII.
    EXPECT_EQ(rowText(imported(csi("1é") + "x"), 0), "x");
}

TEST(AnsImport, OperatingSystemCommandsNeverPrint) {
    const std::string bel = "\x07";
    struct Case {
        const char* name;
        std::string text;
        std::string firstRow;
    };
    const std::vector<Case> cases = {
        {"hyperlink ended by BEL", E + "]8;;https://example.com/" + bel + "link" + E + "]8;;" + bel + "!", "link!"},
        {"ended by ESC backslash", E + "]8;;http://x/" + E + "\\" + "text", "text"},
        {"palette change", E + "]4;1;rgb:aa/00/00" + bel + "art", "art"},
        {"abandoned by the next sequence", E + "]8;;http://x/" + csi("31m") + "red", "red"},
        {"unterminated at the end prints as before", "a" + E + "]8;;", "a]8;;"},
        {"too long to be a command prints as before", E + "]" + std::string(5000, 'x') + bel,
         "]" + std::string(999, 'x')},
    };
    for (const auto& c : cases) EXPECT_EQ(rowText(imported(c.text), 0), c.firstRow) << c.name;

    // In a CP437 file the BEL byte decodes to a glyph but still ends the command.
    const auto file = importANSFile(bytes(E + "]8;;http://x/\x07"
                                              "art"),
                                    false);
    ASSERT_TRUE(file);
    EXPECT_EQ(rowText(file->cells, 0), "art");
}

TEST(AnsImport, SurvivingRecordTextIsNeverDrawn) {
    const std::string tail = "SAUCE00" + std::string(100, 'r');
    EXPECT_EQ(rowText(imported("art" + tail), 0), "art");
    // Far from the end it is just text.
    EXPECT_EQ(rowText(imported("SAUCE00" + std::string(200, 'r')), 0).substr(0, 9), "SAUCE00rr");
}

TEST(AnsImport, GridIsBoundedWhateverTheInputClaims) {
    std::string tall;
    for (int i = 0; i < 4100; ++i) tall += "r\r\n";
    const CellGrid grid = imported(tall);
    EXPECT_EQ(grid.rowCount(), 4000);
    EXPECT_EQ(rowText(grid, 3999), "r");

    EXPECT_FALSE(importANSText(csi("4000B") + "x", std::nullopt, true));
    EXPECT_EQ(imported(csi("4001;1H") + "x").rowCount(), 4000);
    EXPECT_EQ(imported(csi("1;4000H") + "x\r\n").rowLength(0), 1000);
}

// A caller may ask for a smaller grid than the format allows; the cap binds every way the
// cursor can run off, and no cap goes below the minimum grid or above the format's bounds.
TEST(AnsImport, SmallerGridCapBindsEveryCursorMove) {
    const ANSGridCap cap{40, 20};
    struct Case {
        const char* name;
        std::vector<std::uint8_t> data;
        int rows, cols;  // under the cap
    } cases[] = {
        {"far position", bytes("AB" + csi("30;50H") + "x"), 4, 10},
        {"line feeds", bytes([] {
             std::string lines;
             for (int i = 0; i < 30; ++i) lines += "a\r\n";
             return lines;
         }()),
         20, 10},
        {"long line", bytes(std::string(60, 'z') + "\r\n"), 4, 40},
        {"forward", bytes(csi("100C") + "w\r\n"), 4, 40},
    };
    for (const Case& c : cases) {
        const auto capped = importANSFile(c.data, false, cap);
        ASSERT_TRUE(capped) << c.name;
        EXPECT_EQ(capped->cells.rowCount(), c.rows) << c.name;
        EXPECT_EQ(capped->cells.rowLength(0), c.cols) << c.name;
    }
    const auto uncapped = importANSFile(bytes("AB" + csi("30;50H") + "x"), false);
    ASSERT_TRUE(uncapped);
    EXPECT_EQ(uncapped->cells.rowCount(), 30);
    EXPECT_EQ(uncapped->cells.rowLength(0), 50);

    const auto tiny = importANSFile(bytes("x" + csi("9;9H") + "y"), false, ANSGridCap{1, 1});
    ASSERT_TRUE(tiny);
    EXPECT_EQ(tiny->cells.rowCount(), ANSLimits::minRows);
    EXPECT_EQ(tiny->cells.rowLength(0), ANSLimits::minColumns);
    const auto beyond = importANSFile(bytes(csi("5000;5000H") + "x\r\n"), false, ANSGridCap{1 << 20, 1 << 20});
    ASSERT_TRUE(beyond);
    EXPECT_EQ(beyond->cells.rowCount(), ANSLimits::maxRows);
    EXPECT_EQ(beyond->cells.rowLength(0), ANSLimits::maxColumns);
}

TEST(AnsImport, TextThatWritesNoCellIsNotImportable) {
    EXPECT_FALSE(importANSFile({}, false));
    EXPECT_FALSE(importANSFile(withRecord("", 80, 0), false));
    EXPECT_FALSE(importANSFile(withRecord("\x1a\x1a", 80, 0), false));
    EXPECT_FALSE(importANSFile(bytes("\r\n\r\n" + csi("0m") + csi("2J") + "\x1a"), false));
    EXPECT_FALSE(importANSText("", std::nullopt, true));
}

TEST(AnsImport, EncodingChoice) {
    const std::string utf8Art = "é╭\tx";
    const auto asUTF8 = importANSFile(bytes(utf8Art), true);
    ASSERT_TRUE(asUTF8);
    EXPECT_EQ(rowText(asUTF8->cells, 0), "é╭x");  // a tab in UTF-8 text draws nothing

    const auto asCP437 = importANSFile(bytes(utf8Art), false);
    ASSERT_TRUE(asCP437);
    EXPECT_EQ(asCP437->cells.cellAt(0, 0)->character.str(), "├");  // 0xC3
    EXPECT_EQ(asCP437->cells.cellAt(0, 5)->character.str(), "○");  // the tab byte is a glyph

    // Invalid UTF-8 falls back to CP437.
    const auto fallback = importANSFile(bytes("\xdb\xdbok"), true);
    ASSERT_TRUE(fallback);
    EXPECT_EQ(rowText(fallback->cells, 0), "██ok");
}

TEST(AnsImport, RecordTrailerAndEndOfFileMarkersAreCutOff) {
    SauceRecord record;
    record.tInfo1 = 80;
    record.comments = {"a comment that is not art"};
    auto data = bytes("art\x1a\x1a");
    const auto trailer = sauceRecordData(record, 3);
    data.insert(data.end(), trailer.begin(), trailer.end());
    const auto file = importANSFile(data, false);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->cells.rowCount(), 4);
    EXPECT_EQ(rowText(file->cells, 0), "art");
    EXPECT_EQ(file->sauce->comments, record.comments);
}

TEST(AnsImport, AlphabeticProperty) {
    for (char32_t c : {U'A', U'z', U'é', U'ß', U'π', U'ª', U'ⁿ', U'Ⅻ', U'Ⓐ', U'中'})
        EXPECT_TRUE(isAlphabetic(c)) << int(c);
    for (char32_t c : {U'0', U';', U'[', U'█', U'°', U'∞', U' ', U'\x1b', char32_t(0x110000)})
        EXPECT_FALSE(isAlphabetic(c)) << int(c);
}

TEST(AnsImport, ManyUnterminatedSequencesStayLinear) {
    // Each ESC "[" would search to the end of the text for a final character.
    std::string text;
    for (int i = 0; i < 200000; ++i) text += csi("1");
    const CellGrid grid = imported(text);
    EXPECT_EQ(grid.rowLength(0), 80);
    EXPECT_EQ(rowText(grid, 0).substr(0, 4), "[1[1");
}

}  // namespace ans_import_test
}  // namespace glyphloom
