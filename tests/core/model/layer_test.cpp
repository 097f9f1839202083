#include "core/model/layer.hpp"

#include <gtest/gtest.h>

namespace glyphloom {
namespace layer_test {

ANSICell cellOf(const char* ch, int fg = 15, int bg = 0) {
    return {CellChar(ch), ANSIColorValue::ansi16(fg), ANSIColorValue::ansi16(bg), false};
}

Layer layerFilled(int rows, int cols, const ANSICell& fill) { return Layer("L", CellGrid(rows, cols, fill)); }

TEST(CompositeLayers, SingleMatchingLayerComesBackIdenticalAndShared) {
    Layer layer = layerFilled(3, 4, ANSICell::blank());
    layer.cells.set(1, 2, cellOf("x", 2, 0));
    const CellGrid out = compositeLayers({layer}, 3, 4);
    EXPECT_EQ(out, layer.cells);
    EXPECT_TRUE(out.sharesRowWith(layer.cells, 0));  // fast path copies no cells
}

TEST(CompositeLayers, EmptyStackGivesBlankGridOfRequestedSize) {
    const CellGrid out = compositeLayers({}, 2, 5);
    ASSERT_EQ(out.rowCount(), 2);
    for (int r = 0; r < 2; ++r) {
        ASSERT_EQ(out.rowLength(r), 5);
        for (const ANSICell& c : out.row(r)) EXPECT_EQ(c, ANSICell::blank());
    }
}

TEST(CompositeLayers, OffsetsMoveLayerAndUncoveredCellsComeFromBelow) {
    Layer bottom = layerFilled(4, 4, cellOf("b", 1, 4));
    Layer top = layerFilled(1, 2, cellOf("t", 2, 5));
    top.rowOffset = 2;
    top.colOffset = 1;
    const CellGrid out = compositeLayers({top, bottom}, 4, 4);
    EXPECT_EQ(*out.cellAt(2, 1), cellOf("t", 2, 5));
    EXPECT_EQ(*out.cellAt(2, 2), cellOf("t", 2, 5));
    EXPECT_EQ(*out.cellAt(2, 3), cellOf("b", 1, 4));
    EXPECT_EQ(*out.cellAt(0, 1), cellOf("b", 1, 4));
    EXPECT_EQ(*out.cellAt(1, 1), cellOf("b", 1, 4));
}

TEST(CompositeLayers, NegativeOffsetsCropAndOversizedLayersAreClipped) {
    Layer big = layerFilled(10, 10, cellOf("#"));
    big.cells.set(2, 3, cellOf("@"));
    big.rowOffset = -2;
    big.colOffset = -3;
    const CellGrid out = compositeLayers({big}, 3, 3);
    ASSERT_EQ(out.rowCount(), 3);
    EXPECT_EQ(out.rowLength(0), 3);
    EXPECT_EQ(*out.cellAt(0, 0), cellOf("@"));
    EXPECT_EQ(*out.cellAt(2, 2), cellOf("#"));
}

TEST(CompositeLayers, RaggedRowsContributeOnlyTheCellsTheyHave) {
    Layer ragged("R", CellGrid(std::vector<CellGrid::Row>{{cellOf("a")}, {cellOf("b"), cellOf("c"), cellOf("d")}}));
    const CellGrid out = compositeLayers({ragged}, 2, 3);
    EXPECT_EQ(*out.cellAt(0, 0), cellOf("a"));
    EXPECT_EQ(*out.cellAt(0, 1), ANSICell::blank());
    EXPECT_EQ(*out.cellAt(1, 2), cellOf("d"));
}

TEST(CompositeLayers, TransparencyIsExactlySpaceOnAnsi16Black) {
    const ANSICell below = cellOf("X", 3, 6);
    struct Case {
        const char* what;
        ANSICell top;
        bool transparent;
    };
    ANSICell blinkingSpace = ANSICell::blank();
    blinkingSpace.blink = true;
    ANSICell redSpace = ANSICell::blank();
    redSpace.foreground = ANSIColorValue::ansi16(1);
    const Case cases[] = {
        {"blank", ANSICell::blank(), true},
        {"blinking space on black", blinkingSpace, true},
        {"space with other foreground", redSpace, true},
        {"space on ansi256(0)", {CellChar(" "), ANSIColorValue::ansi16(15), ANSIColorValue::ansi256(0), false}, false},
        {"space on truecolor black", {CellChar(" "), ANSIColorValue::ansi16(15), ANSIColorValue::truecolor(0, 0, 0), false}, false},
        {"empty character", {CellChar(""), ANSIColorValue::ansi16(15), ANSIColorValue::ansi16(0), false}, false},
        {"glyph on black", cellOf("a"), false},
    };
    for (const Case& c : cases) {
        Layer top = layerFilled(1, 1, c.top);
        Layer bottom = layerFilled(1, 1, below);
        const CellGrid out = compositeLayers({top, bottom}, 1, 1);
        EXPECT_EQ(*out.cellAt(0, 0), c.transparent ? below : c.top) << c.what;
    }
}

TEST(CompositeLayers, TopmostOpaqueWinsAndHiddenLayersAreSkipped) {
    Layer a = layerFilled(1, 1, cellOf("a"));
    Layer b = layerFilled(1, 1, cellOf("b"));
    Layer c = layerFilled(1, 1, cellOf("c"));
    EXPECT_EQ(*compositeLayers({a, b, c}, 1, 1).cellAt(0, 0), cellOf("a"));
    a.visible = false;
    EXPECT_EQ(*compositeLayers({a, b, c}, 1, 1).cellAt(0, 0), cellOf("b"));
    // A single hidden layer does not take the fast path.
    EXPECT_EQ(*compositeLayers({a}, 1, 1).cellAt(0, 0), ANSICell::blank());
}

TEST(CompositeLayers, HugeOffsetsDoNotOverflow) {
    Layer far = layerFilled(2, 2, cellOf("f"));
    far.rowOffset = std::numeric_limits<int>::max();
    far.colOffset = std::numeric_limits<int>::min();
    const CellGrid out = compositeLayers({far}, 2, 2);
    EXPECT_EQ(*out.cellAt(1, 1), ANSICell::blank());
}

TEST(Layer, ConvenienceConstructorMakesFreshVisibleDrawingLayer) {
    Layer a("A", CellGrid(1, 1));
    Layer b("B", CellGrid(1, 1));
    EXPECT_NE(a.id, b.id);
    EXPECT_TRUE(a.visible);
    EXPECT_EQ(a.rowOffset, 0);
    EXPECT_EQ(a.colOffset, 0);
    EXPECT_EQ(a.kind, LayerKind::drawing());
    EXPECT_FALSE(a.historyEnabled);
}

TEST(LayerKind, EqualityComparesPathOnlyForTerminal) {
    EXPECT_EQ(LayerKind::terminal("/bin/sh"), LayerKind::terminal("/bin/sh"));
    EXPECT_NE(LayerKind::terminal("/bin/sh"), LayerKind::terminal("/bin/zsh"));
    EXPECT_NE(LayerKind::terminal("/bin/sh"), LayerKind::drawing());
}

}  // namespace layer_test
}  // namespace glyphloom
