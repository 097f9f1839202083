#include "tui/tools/text_tool.hpp"

#include <gtest/gtest.h>

#include <memory>

#include "core/fonts/fkey_banks.hpp"
#include "core/text/utf8.hpp"
#include "scoped_config_home.hpp"
#include "tui/state/identity.hpp"
#include "tui/state/overlay_table.hpp"

namespace glyphloom {
namespace text_tool_test {

constexpr int blockFace = 0;  // "Block": 5 rows, "A" 5 wide, spacing 1

// A state on the Text tool with a document of the given size.
class TextTool : public ::testing::Test {
protected:
    void SetUp() override { resize(50, 160); }
    void resize(int rows, int cols) {
        state = std::make_unique<AppState>();
        state->doc = Document::blank(rows, cols);
        state->tools.tool = Tool::text;
        state->tools.fg = ANSIColorValue::ansi16(3);
        state->tools.penBg = ANSIColorValue::ansi16(4);
        state->tools.penChar = "▓";
    }
    const ANSICell& cell(int row, int col) const { return *state->doc.layers[0].cells.cellAt(row, col); }
    // Rows × columns of the document whose cells differ from blank.
    std::vector<GridKey> written() const {
        std::vector<GridKey> out;
        for (int r = 0; r < state->doc.rows; ++r)
            for (int c = 0; c < state->doc.cols; ++c)
                if (!(cell(r, c) == ANSICell::blank())) out.push_back({r, c});
        return out;
    }
    void fillWith(const char* character) {
        for (int r = 0; r < state->doc.rows; ++r)
            for (int c = 0; c < state->doc.cols; ++c)
                state->doc.layers[0].cells.set(r, c, ANSICell{CellChar(character), ANSIColorValue::ansi16(1), ANSIColorValue::ansi16(2), false});
    }
    std::unique_ptr<AppState> state;
};

TEST_F(TextTool, ScaledGlyphCoversItsBlockAndAdvancesTheCursor) {
    state->textFontIndex = blockFace;
    state->tools.textScale = 2;
    state->cursor = {20, 10};
    typeCharacter("A", *state);
    // Rows 11 … 20, columns 10 … 19; each glyph cell is a 2 × 2 block, blanks left alone.
    const auto& glyph = BlockFont::builtIn()[blockFace].glyphs.at("A");
    for (const GridKey at : written()) {
        EXPECT_GE(at.row, 11);
        EXPECT_LE(at.row, 20);
        EXPECT_GE(at.col, 10);
        EXPECT_LE(at.col, 19);
    }
    int inked = 0;
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 10; ++c) {
            const auto glyphRow = utf8::graphemeClusters(glyph[static_cast<std::size_t>(r / 2)]);
            const bool ink = glyphRow[static_cast<std::size_t>(c / 2)] != " ";
            const ANSICell& got = cell(11 + r, 10 + c);
            if (ink) {
                ++inked;
                EXPECT_EQ(got, (ANSICell{"▓", ANSIColorValue::ansi16(3), ANSIColorValue::ansi16(4), false})) << r << "," << c;
            } else {
                EXPECT_EQ(got, ANSICell::blank()) << r << "," << c;
            }
        }
    EXPECT_EQ(inked, 4 * 14);
    EXPECT_EQ(state->cursor, (GridKey{20, 22}));
    EXPECT_TRUE(state->cursorVisible);
    EXPECT_EQ(state->undoStack.size(), 1u);
}

TEST_F(TextTool, CursorMovesAlongEachDirectionWhileGlyphsDrawRightwards) {
    const struct {
        TextDirection direction;
        GridKey after;
    } cases[] = {
        {TextDirection::right, {20, 46}},  // 5 wide + spacing 1
        {TextDirection::left, {20, 34}},
        {TextDirection::down, {26, 40}},  // 5 rows + 1
        {TextDirection::up, {14, 40}},
    };
    for (const auto& c : cases) {
        resize(50, 160);
        state->textFontIndex = blockFace;
        state->tools.textDirection = c.direction;
        state->cursor = {20, 40};
        typeCharacter("H", *state);
        EXPECT_EQ(state->cursor, c.after);
        EXPECT_EQ(cell(20, 40).character, CellChar("▓"));  // "H" starts with ink bottom left
        EXPECT_EQ(cell(20, 44).character, CellChar("▓"));
    }
}

TEST_F(TextTool, GlyphAboveTheDocumentIsClippedAndBackspaceRestoresIt) {
    fillWith("x");
    state->textFontIndex = blockFace;
    state->cursor = {3, 0};
    const CellGrid before = state->doc.layers[0].cells;
    typeCharacter("M", *state);
    ASSERT_EQ(state->textStampHistory.size(), 1u);
    EXPECT_EQ(state->textStampHistory[0].top, -1);
    EXPECT_EQ(state->textStampHistory[0].height, 5);
    // "M" has ink in its top row, which lies above the document: rows 0 … 3 hold the rest.
    EXPECT_EQ(cell(0, 1).character, CellChar("▓"));
    EXPECT_EQ(cell(0, 2).character, CellChar("x"));  // a blank of the glyph shows through
    eraseLeft(*state);
    EXPECT_TRUE(state->doc.layers[0].cells == before);
    EXPECT_EQ(state->cursor, (GridKey{3, 0}));
    EXPECT_TRUE(state->textStampHistory.empty());
}

TEST_F(TextTool, GlyphCrossingTheRightEdgeWrapsToTheOriginColumn) {
    resize(50, 80);
    state->textFontIndex = blockFace;
    state->textOriginCol = 4;
    state->cursor = {10, 78};
    typeCharacter("A", *state);
    // H + 1 = 6 rows lower, at the origin column.
    EXPECT_EQ(state->textStampHistory.back().left, 4);
    EXPECT_EQ(state->textStampHistory.back().cursorRow, 16);
    EXPECT_EQ(cell(16, 4).character, CellChar("▓"));
    for (int r = 0; r < 50; ++r) EXPECT_EQ(cell(r, 79), ANSICell::blank());
    EXPECT_EQ(state->cursor, (GridKey{16, 10}));
}

TEST_F(TextTool, HistoriesKeepTheNewestRecordsOnly) {
    state->cursor = {0, 0};
    for (int i = 0; i < 201; ++i) {
        state->cursor = {i / 100, i % 100};
        typeCharacter("k", *state);
    }
    ASSERT_EQ(state->plainStampHistory.size(), plainStampLimit);
    EXPECT_EQ(state->plainStampHistory.front().col, 1);  // the very first was dropped

    state->textFontIndex = blockFace;
    for (int i = 0; i < 101; ++i) {
        state->cursor = {10 + i / 20, (i % 20) * 6};
        typeCharacter("I", *state);
    }
    ASSERT_EQ(state->textStampHistory.size(), textStampLimit);
    EXPECT_EQ(state->textStampHistory.front().left, 6);
}

TEST_F(TextTool, BackspaceTakesBackPlainKeystrokesThenStepsBack) {
    fillWith("o");
    state->tools.textDirection = TextDirection::down;
    state->cursor = {5, 5};
    typeCharacter("a", *state);
    typeCharacter("b", *state);
    EXPECT_EQ(cell(5, 5).character, CellChar("a"));
    EXPECT_EQ(cell(6, 5).character, CellChar("b"));
    EXPECT_EQ(state->cursor, (GridKey{7, 5}));
    eraseLeft(*state);
    eraseLeft(*state);
    EXPECT_EQ(cell(5, 5).character, CellChar("o"));
    EXPECT_EQ(cell(6, 5).character, CellChar("o"));
    EXPECT_EQ(state->cursor, (GridKey{5, 5}));
    // Nothing left to take back: one step against the direction, and that cell is cleared.
    eraseLeft(*state);
    EXPECT_EQ(state->cursor, (GridKey{4, 5}));
    EXPECT_EQ(cell(4, 5), ANSICell::blank());
    EXPECT_EQ(state->undoStack.size(), 5u);
}

TEST_F(TextTool, PlainTypingOutsideTheDocumentDoesNothing) {
    state->cursor = {50, 3};
    typeCharacter("a", *state);
    stampActiveCharacter(*state);
    EXPECT_TRUE(written().empty());
    EXPECT_TRUE(state->undoStack.empty());
    EXPECT_TRUE(state->plainStampHistory.empty());
}

TEST_F(TextTool, OtherToolsTypePlainRightwardsAndIgnoreTheFont) {
    state->tools.tool = Tool::paint;
    state->textFontIndex = blockFace;
    state->tools.textDirection = TextDirection::up;
    state->cursor = {2, 159};
    typeCharacter("q", *state);
    EXPECT_EQ(cell(2, 159), (ANSICell{"q", ANSIColorValue::ansi16(3), ANSIColorValue::ansi16(4), false}));
    EXPECT_EQ(state->cursor, (GridKey{2, 159}));  // clamped at the right edge
    stampActiveCharacter(*state);                 // Tab belongs to the Text tool
    EXPECT_EQ(state->plainStampHistory.size(), 1u);
}

TEST_F(TextTool, EnterFollowsToolFaceAndDirection) {
    const struct {
        Tool tool;
        std::optional<int> face;
        TextDirection direction;
        GridKey after;
    } cases[] = {
        {Tool::text, blockFace, TextDirection::up, {26, 7}},  // 5 × 2 + 1 lower, origin column
        {Tool::text, std::nullopt, TextDirection::down, {3, 21}},
        {Tool::text, std::nullopt, TextDirection::right, {16, 7}},
        {Tool::text, 999, TextDirection::right, {16, 7}},  // a face that no longer exists
        {Tool::paint, blockFace, TextDirection::right, {16, 0}},
    };
    for (const auto& c : cases) {
        state->tools.tool = c.tool;
        state->textFontIndex = c.face;
        state->tools.textDirection = c.direction;
        state->tools.textScale = 2;
        state->textOriginRow = 3;
        state->textOriginCol = 7;
        state->cursor = {15, 20};
        newLine(*state);
        EXPECT_EQ(state->cursor, c.after);
    }
    state->tools.tool = Tool::text;
    state->textFontIndex.reset();
    state->cursor = {49, 20};
    newLine(*state);
    EXPECT_EQ(state->cursor.row, 49);
}

TEST_F(TextTool, TabStampsThePenCharacterOrKeepsTheCellsOwn) {
    fillWith("z");
    state->cursor = {1, 1};
    stampActiveCharacter(*state);
    EXPECT_EQ(cell(1, 1).character, CellChar("▓"));
    state->tools.charNull = true;
    stampActiveCharacter(*state);
    EXPECT_EQ(cell(1, 2), (ANSICell{"z", ANSIColorValue::ansi16(3), ANSIColorValue::ansi16(4), false}));
}

TEST_F(TextTool, ColourFontsPaintTheirOwnColours) {
    BlockFont font;
    font.id = "c";
    font.height = 1;
    font.renderMode = BlockFontRenderMode::tdfColor;
    font.glyphs["A"] = {"ab c"};
    font.cellColors["A"] = {{TDFCellColor{12, 1}, std::nullopt, std::nullopt, TDFCellColor{2, 3}}};
    state->importedFonts = {font};
    state->textFontIndex = static_cast<int>(BlockFont::builtIn().size());
    state->cursor = {0, 0};
    typeCharacter("a", *state);
    EXPECT_EQ(cell(0, 0), (ANSICell{"a", ANSIColorValue::ansi16(12), ANSIColorValue::ansi16(1), false}));
    EXPECT_EQ(cell(0, 1), (ANSICell{"b", ANSIColorValue::ansi16(3), ANSIColorValue::ansi16(4), false}));
    EXPECT_EQ(cell(0, 2), ANSICell::blank());
    EXPECT_EQ(cell(0, 3), (ANSICell{"c", ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(3), false}));
    EXPECT_EQ(state->cursor, (GridKey{0, 5}));
}

TEST_F(TextTool, FunctionKeysStampBankGlyphsAndSwitchBanks) {
    const testing_support::ScopedConfigHome config("text-tool");
    state->cursor = {2, 2};
    handleFKey(10, *state);  // "Shades" F10 is a space in the active colours
    EXPECT_EQ(cell(2, 2), (ANSICell{" ", ANSIColorValue::ansi16(3), ANSIColorValue::ansi16(4), false}));
    handleFKey(1, *state);
    EXPECT_EQ(cell(2, 3).character, CellChar("░"));
    eraseLeft(*state);
    EXPECT_EQ(cell(2, 3), ANSICell::blank());

    state->fkeyBankIndex = 3;
    handleFKey(12, *state);
    EXPECT_EQ(state->fkeyBankIndex, 0);
    handleFKey(11, *state);
    EXPECT_EQ(state->fkeyBankIndex, 3);
    EXPECT_EQ(state->statusNote.value_or(""), "bank: Dings  · ∙ ○ ◘ ◙ ♥ ♦ ♣ ♠ ►  (F1–F10)");
    EXPECT_EQ(loadSauceIdentity().bank, 3);  // stored with the identity

    // F1–F10 need the Text tool, no text entry, no overlay; an out-of-range bank still works.
    state->fkeyBankIndex = 6;
    state->cursor = {4, 4};
    handleFKey(2, *state);
    EXPECT_EQ(cell(4, 4).character, CellChar("║"));
    state->tools.tool = Tool::paint;
    handleFKey(3, *state);
    state->tools.tool = Tool::text;
    state->prompt = Prompt(PromptKind::codepoint);
    handleFKey(3, *state);
    state->prompt.reset();
    openOverlay(Overlay::help, *state);
    handleFKey(3, *state);
    EXPECT_EQ(cell(4, 5), ANSICell::blank());
    state->tools.tool = Tool::paint;
    handleFKey(12, *state);  // bank switching works with any tool
    EXPECT_EQ(state->fkeyBankIndex, 3);
}

}  // namespace text_tool_test
}  // namespace glyphloom
