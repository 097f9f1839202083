#include "tui/terminal/screen.hpp"
#include "core/model/cell_values.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <algorithm>
#include <cerrno>

namespace glyphloom {
namespace screen_test {

using C = ANSIColorValue;

// A screen whose flushes are captured instead of written to the terminal.
struct Captured {
    std::vector<std::string> writes;
    Screen screen;
    explicit Captured(bool truecolor = false)
        : screen([this](std::string_view bytes) { writes.emplace_back(bytes); }, truecolor) {}
    std::string flush() {
        const std::size_t before = writes.size();
        screen.flush();
        return writes.size() == before ? std::string() : writes.back();
    }
};

TEST(ScreenFlush, FirstFlushRepaintsEveryRowSecondWritesNothing) {
    Captured t;
    t.screen.resize(2, 3);
    EXPECT_EQ(t.flush(), "\x1b[1;1H\x1b[0;97;40m   \x1b[2;1H\x1b[0;97;40m   \x1b[0m");
    EXPECT_EQ(t.flush(), "");
    EXPECT_EQ(t.writes.size(), 1u);  // not even a reset on an unchanged frame
}

TEST(ScreenFlush, OneChangedCellIsOneMoveOneSgrOneCharacter) {
    Captured t;
    t.screen.resize(3, 5);
    t.flush();
    t.screen.put(cell("x", C::ansi16(2), C::ansi16(4)), 1, 2);
    const std::string out = t.flush();
    EXPECT_EQ(out, "\x1b[2;3H\x1b[0;32;44mx\x1b[0m");
    EXPECT_LE(out.size(), 32u);
}

TEST(ScreenFlush, GapStartsNewRunThatRepeatsItsSgr) {
    Captured t;
    t.screen.resize(1, 5);
    t.flush();
    t.screen.put(cell("a", C::ansi16(1), C::ansi16(0)), 0, 0);
    t.screen.put(cell("b", C::ansi16(1), C::ansi16(0)), 0, 2);
    EXPECT_EQ(t.flush(), "\x1b[1;1H\x1b[0;31;40ma\x1b[1;3H\x1b[0;31;40mb\x1b[0m");
}

TEST(ScreenFlush, SgrOnlyWhenAttributesChangeWithinARun) {
    Captured t;
    t.screen.resize(1, 4);
    t.flush();
    t.screen.put(cell("a", C::ansi16(1), C::ansi16(0), true), 0, 0);
    t.screen.put(cell("b", C::ansi16(1), C::ansi16(0), false), 0, 1);
    t.screen.put(cell("c", C::ansi16(1), C::ansi16(0), false), 0, 2);
    t.screen.put(cell("d", C::ansi256(200), C::truecolor(1, 2, 3), false), 0, 3);
    EXPECT_EQ(t.flush(),
              "\x1b[1;1H\x1b[0;5;31;40ma\x1b[0;31;40mbc\x1b[0;38;5;200;48;2;1;2;3md\x1b[0m");
}

TEST(ScreenFlush, TruecolorTerminalGetsCgaRgbForClassicColours) {
    Captured t(true);
    t.screen.resize(1, 1);
    t.screen.put(cell("z", C::ansi16(9), C::ansi16(9)), 0, 0);
    EXPECT_EQ(t.flush(), "\x1b[1;1H\x1b[0;38;2;255;85;85;48;2;255;85;85mz\x1b[0m");
}

TEST(ScreenFlush, ColoursThatRenderAlikeShareOneSgr) {
    // On a 24-bit terminal ansi16(15) and #FFFFFF are the same parameter text.
    Captured t(true);
    t.screen.resize(1, 2);
    t.screen.put(cell("a", C::ansi16(15), C::ansi16(0)), 0, 0);
    t.screen.put(cell("b", C::truecolor(255, 255, 255), C::ansi16(0)), 0, 1);
    EXPECT_EQ(t.flush(), "\x1b[1;1H\x1b[0;38;2;255;255;255;48;2;0;0;0mab\x1b[0m");
}

TEST(ScreenFlush, InvalidateAndResizeForceFullRepaint) {
    Captured t;
    t.screen.resize(1, 2);
    t.flush();
    t.screen.invalidate();
    EXPECT_EQ(t.flush(), "\x1b[1;1H\x1b[0;97;40m  \x1b[0m");
    t.screen.resize(1, 1);
    EXPECT_EQ(t.flush(), "\x1b[1;1H\x1b[0;97;40m \x1b[0m");
}

TEST(ScreenFlush, MultiScalarCharactersGoOutVerbatim) {
    Captured t;
    t.screen.resize(1, 1);
    t.flush();
    t.screen.put(cell("e\u0301", C::ansi16(7), C::ansi16(0)), 0, 0);
    EXPECT_EQ(t.flush(), "\x1b[1;1H\x1b[0;37;40me\u0301\x1b[0m");
}

TEST(ScreenDraw, OutOfRangePositionsAreIgnored) {
    Captured t;
    t.screen.resize(2, 3);
    t.flush();
    const ANSICell x = cell("x", C::ansi16(1), C::ansi16(2));
    t.screen.put(x, -1, 0);
    t.screen.put(x, 0, 3);
    t.screen.put(x, 2, 0);
    t.screen.put(x, 0, -1);
    t.screen.fillRow(2, C::ansi16(1), C::ansi16(2));
    t.screen.fillRow(-1, C::ansi16(1), C::ansi16(2));
    t.screen.putText("abc", 5, 0, C::ansi16(1), C::ansi16(2));
    EXPECT_EQ(t.flush(), "");
}

TEST(ScreenDraw, PutTextClipsAndPlacesOneClusterPerColumn) {
    Captured t;
    t.screen.resize(1, 4);
    t.screen.putText("ab", 0, -1, C::ansi16(1), C::ansi16(2));  // "a" falls off the left
    EXPECT_EQ(t.screen.at(0, 0).character, CellChar("b"));
    t.screen.putText("e\u0301█xyz", 0, 1, C::ansi16(3), C::ansi16(4));
    EXPECT_EQ(t.screen.at(0, 1).character, CellChar("e\u0301"));
    EXPECT_EQ(t.screen.at(0, 2).character, CellChar("█"));
    EXPECT_EQ(t.screen.at(0, 3).character, CellChar("x"));
    EXPECT_EQ(t.screen.at(0, 3).foreground, C::ansi16(3));
    EXPECT_FALSE(t.screen.at(0, 3).blink);
}

TEST(ScreenDraw, ControlCharactersAreShownNeverSent) {
    // Names and notes come from outside; so may a document's cells. Whichever way a control
    // reaches the screen, the terminal receives only its visible stand-in.
    const std::string hostile[] = {"a\x1b]2;TITLE\x07.ans", "é\x1b[2J…", "\x1b\xc2\x9b" "31m"};
    for (const std::string& text : hostile) {
        Captured c;
        c.screen.resize(1, 30);
        c.screen.putText(text, 0, 0, C::ansi16(7), C::ansi16(0));
        const std::string out = c.flush();
        for (const char* command : {"\x1b]", "\x07", "\x1b[2J", "\xc2\x9b"})
            EXPECT_EQ(out.find(command), std::string::npos) << text;
        EXPECT_NE(out.find("␛"), std::string::npos) << text;
    }
    Captured c;
    c.screen.resize(1, 4);
    c.screen.put(cell("\x1b", C::ansi16(7), C::ansi16(0)), 0, 0);
    c.screen.put({CellChar("\r\n"), C::ansi16(7), C::ansi16(0), false}, 0, 1);
    EXPECT_EQ(c.screen.at(0, 0).character, CellChar("␛"));
    EXPECT_FALSE(c.screen.at(0, 1).character.str().find_first_of("\r\n") != std::string::npos);
    EXPECT_EQ(c.screen.at(0, 2).character, CellChar(" "));  // nothing pulled into the next column
}

TEST(ScreenDraw, FillRowAndClear) {
    Captured t;
    t.screen.resize(2, 2);
    t.screen.put(cell("q", C::ansi16(1), C::ansi16(1), true), 1, 1);
    t.screen.fillRow(1, C::ansi16(4), C::ansi16(5));
    EXPECT_EQ(t.screen.at(1, 1), cell(" ", C::ansi16(4), C::ansi16(5)));
    t.screen.clear(cell("#", C::ansi16(2), C::ansi16(3)));
    EXPECT_EQ(t.screen.at(0, 0), cell("#", C::ansi16(2), C::ansi16(3)));
}


// The characters of one row as the terminal would show them: a wide glyph, then nothing for
// its right half.
std::string rowShown(const Screen& screen, int row) {
    std::string out;
    for (int c = 0; c < screen.cols(); ++c) {
        if (screen.isContinuation(row, c)) continue;
        out += screen.at(row, c).character.str();
    }
    return out;
}

TEST(ScreenWideGlyphs, PutKeepsEveryGlyphInItsColumns) {
    const C w = C::ansi16(15), k = C::ansi16(0);
    struct Case {
        const char* name;
        std::function<void(Screen&)> draw;
        const char* shown;      // the row as shown, 6 columns
        int continuationColumn;  // -1 for none
    };
    const Case cases[] = {
        {"wide glyph takes two columns", [&](Screen& s) { s.put(cell("か", w, k), 0, 1); }, " か   ", 2},
        {"overwriting the left half blanks the right",
         [&](Screen& s) {
             s.put(cell("か", w, k), 0, 1);
             s.put(cell("x", w, k), 0, 1);
         },
         " x    ", -1},
        {"overwriting the right half blanks the left",
         [&](Screen& s) {
             s.put(cell("か", w, k), 0, 1);
             s.put(cell("x", w, k), 0, 2);
         },
         "  x   ", -1},
        {"a wide glyph over the right half of another",
         [&](Screen& s) {
             s.put(cell("か", w, k), 0, 1);
             s.put(cell("字", w, k), 0, 2);
         },
         "  字  ", 3},
        {"last column gets a narrow stand-in", [&](Screen& s) { s.put(cell("😀", w, k), 0, 5); }, "     ▯", -1},
        {"text is laid out by width", [&](Screen& s) { s.putText("a漢b", 0, 0, w, k); }, "a漢b  ", 2},
        {"text cut by the left edge shows a blank half", [&](Screen& s) { s.putText("漢ab", 0, -1, w, k); }, " ab   ", -1},
        {"ASCII text over a right half", [&](Screen& s) {
             s.put(cell("漢", w, k), 0, 0);
             s.putText("z", 0, 1, w, k);
         },
         " z    ", -1},
        {"a cell that draws nothing still takes its column", [&](Screen& s) { s.put(cell("", w, k), 0, 0); }, "      ", -1},
        {"a lone combining mark sits on a space", [&](Screen& s) { s.put(cell("\u0301", w, k), 0, 0); }, " \u0301     ", -1},
    };
    for (const Case& c : cases) {
        Captured t;
        t.screen.resize(1, 6);
        c.draw(t.screen);
        EXPECT_EQ(rowShown(t.screen, 0), c.shown) << c.name;
        for (int col = 0; col < 6; ++col)
            EXPECT_EQ(t.screen.isContinuation(0, col), col == c.continuationColumn) << c.name << " column " << col;
    }
}

// A row of plain cells copied in at once stores what putting them one by one would, wherever
// it starts and whatever wide glyphs its ends cut.
TEST(ScreenWideGlyphs, PlainCellsCopiedInAtOnceMatchCellByCellPuts) {
    const C w = C::ansi16(15), k = C::ansi16(0);
    const std::vector<ANSICell> plain = {cell("a", C::ansi16(1), k), cell("█", C::ansi16(2), k),
                                         cell("e\u0301", C::ansi16(3), k)};
    for (const char* before : {"か字か", "a字b字", "字字字"}) {
        for (int col = -2; col <= 6; ++col) {
            Captured once, each;
            for (Captured* t : {&once, &each}) {
                t->screen.resize(1, 6);
                t->screen.putText(before, 0, 0, w, k);
            }
            once.screen.putPlainCells(plain, 0, col);
            for (std::size_t i = 0; i < plain.size(); ++i) each.screen.put(plain[i], 0, col + static_cast<int>(i));
            for (int c = 0; c < 6; ++c) {
                EXPECT_EQ(once.screen.at(0, c), each.screen.at(0, c)) << before << " from " << col << " column " << c;
                EXPECT_EQ(once.screen.isContinuation(0, c), each.screen.isContinuation(0, c)) << before << " from " << col;
            }
        }
    }
}

// A row drawn over and put back as it was sends nothing; a row changed sends only its cells.
TEST(ScreenFlush, RowsRedrawnAsTheyWereSendNothing) {
    Captured t;
    t.screen.resize(3, 4);
    t.flush();
    t.screen.clear(cell("x", C::ansi16(1), C::ansi16(2)));
    t.screen.clear(ANSICell::blank());
    t.screen.put(cell("y", C::ansi16(1), C::ansi16(2)), 2, 3);
    EXPECT_EQ(t.flush(), "\x1b[3;4H\x1b[0;31;42my\x1b[0m");
    EXPECT_EQ(t.screen.pendingOutput(), "");
    const ANSICell row[] = {cell("a", C::ansi16(1), C::ansi16(2)), cell("b", C::ansi16(1), C::ansi16(2))};
    t.screen.putPlainCells(row, 1, 1);
    EXPECT_EQ(t.flush(), "\x1b[2;2H\x1b[0;31;42mab\x1b[0m");
}

TEST(ScreenWideGlyphs, FlushSendsAWideGlyphOnceAndPlacesTheCursorAfterIt) {
    Captured t;
    t.screen.resize(1, 5);
    t.flush();
    t.screen.putText("a字b", 0, 0, C::ansi16(15), C::ansi16(0));
    EXPECT_EQ(t.flush(), "\x1b[1;1H\x1b[0;97;40ma字\x1b[1;4Hb\x1b[0m");

    // Changing only the glyph's colours resends the glyph (its right half has no text).
    t.screen.put(cell("字", C::ansi16(1), C::ansi16(0)), 0, 1);
    EXPECT_EQ(t.flush(), "\x1b[1;2H\x1b[0;31;40m字\x1b[0m");

    // Writing over the right half: the left half goes blank and is sent too.
    t.screen.put(cell("x", C::ansi16(15), C::ansi16(0)), 0, 2);
    EXPECT_EQ(t.flush(), "\x1b[1;2H\x1b[0;31;40m \x1b[0;97;40mx\x1b[0m");
    EXPECT_EQ(t.flush(), "");
}

}  // namespace screen_test
}  // namespace glyphloom

namespace glyphloom {
namespace screen_test {

// A terminal that takes at most `chunk` bytes a call, is interrupted before every other
// call, and fails outright while `broken` is set.
struct Flaky {
    std::string received;
    std::size_t chunk = 5;
    bool broken = false;
    int calls = 0;
    Screen screen{Screen::Writer{[this](std::string_view bytes) -> std::ptrdiff_t {
                      if (++calls % 2 == 0) {
                          errno = EINTR;
                          return -1;
                      }
                      if (broken) {
                          errno = EIO;
                          return -1;
                      }
                      const std::size_t n = std::min(chunk, bytes.size());
                      received.append(bytes.substr(0, n));
                      return static_cast<std::ptrdiff_t>(n);
                  }},
                  false};
};

TEST(ScreenFlush, ShortAndInterruptedWritesStillDeliverTheWholeFrame) {
    Flaky t;
    t.screen.resize(2, 6);
    t.screen.putText("hello!", 0, 0, C::ansi16(2), C::ansi16(0));
    const std::string expected = t.screen.pendingOutput();
    t.screen.flush();
    EXPECT_EQ(t.received, expected);
    EXPECT_GT(t.calls, static_cast<int>(expected.size() / t.chunk));
    EXPECT_EQ(t.screen.pendingOutput(), "");  // the frame counts as drawn
}

TEST(ScreenFlush, FailedWriteMakesTheNextFlushRepaintEverything) {
    Flaky t;
    t.screen.resize(2, 4);
    t.screen.flush();
    const std::string fullFrame = t.received;

    t.broken = true;
    t.screen.put(cell("x", C::ansi16(1), C::ansi16(0)), 1, 1);
    t.screen.flush();
    t.broken = false;
    t.screen.put(ANSICell::blank(), 1, 1);  // back to the first frame
    t.received.clear();
    t.screen.flush();
    EXPECT_EQ(t.received, fullFrame);
}

}  // namespace screen_test
}  // namespace glyphloom
