#include "tui/layout/layout.hpp"

#include <gtest/gtest.h>

#include "tui/state/app_state.hpp"

namespace glyphloom {
namespace layout_test {

TEST(LayoutGeometry, SizeClassBoundaries) {
    AppState state;
    state.doc = Document::blank(50, 160);
    struct Case {
        int rows, cols;
        Layout::SizeClass expected;
        int sidebar;
    };
    const Case cases[] = {
        {24, 200, Layout::SizeClass::small, 9},   {27, 200, Layout::SizeClass::small, 9},
        {28, 139, Layout::SizeClass::regular, 9}, {39, 200, Layout::SizeClass::regular, 9},
        {40, 139, Layout::SizeClass::regular, 9}, {40, 140, Layout::SizeClass::large, 12},
    };
    for (const Case& c : cases) {
        const Layout layout = layoutGeometry(state, c.rows, c.cols);
        EXPECT_EQ(layout.sizeClass, c.expected) << c.rows << "x" << c.cols;
        EXPECT_EQ(layout.sidebarWidth, c.sidebar) << c.rows << "x" << c.cols;
        EXPECT_EQ(layout.previewStripCols(), c.sidebar - 2);
    }
}

TEST(LayoutGeometry, StatusLineAtEveryUsableHeightAndPadOnlyWhenTheCanvasFits) {
    AppState state;
    state.doc = Document::blank(50, 160);
    struct Case {
        int rows, cols;
        bool status, presets, separator, pad;
    };
    // Rows of 40 and more with 140 columns or more are the large class, whose sidebar is 12 wide.
    const Case cases[] = {
        {9, 80, false, false, false, false},  {10, 80, true, false, false, false},
        {19, 80, true, false, false, false},  {20, 80, true, true, false, false},
        {24, 80, true, true, false, false},   {55, 172, true, true, false, false},
        {56, 172, true, true, true, false},   {56, 171, true, true, false, false},
        {57, 172, true, true, true, true},    {57, 171, true, true, false, false},
    };
    for (const Case& c : cases) {
        const Layout layout = layoutGeometry(state, c.rows, c.cols);
        EXPECT_EQ(layout.statusVisible, c.status) << c.rows << "x" << c.cols;
        EXPECT_EQ(layout.presetVisible, c.presets) << c.rows << "x" << c.cols;
        EXPECT_EQ(layout.separatorVisible, c.separator) << c.rows << "x" << c.cols;
        EXPECT_EQ(layout.bottomPad, c.pad) << c.rows << "x" << c.cols;
    }
}

TEST(LayoutGeometry, DerivedRowsFollowPadStatusAndPresets) {
    AppState state;
    state.doc = Document::blank(25, 80);
    const Layout padded = layoutGeometry(state, 40, 120);  // 40-7 >= 25: padded, status shown
    ASSERT_TRUE(padded.bottomPad && padded.statusVisible);
    EXPECT_EQ(padded.statusRow(), 35);
    EXPECT_EQ(padded.presetRow(), 36);
    EXPECT_EQ(padded.colorRow(), 37);
    EXPECT_EQ(padded.padRow(), 38);
    EXPECT_EQ(padded.bottomEdgeRow(), 39);
    EXPECT_EQ(padded.canvasBottom(), 35);
    EXPECT_EQ(padded.contentTop(), 2);

    state.doc = Document::blank(50, 160);
    // The canvas gives the status line and the preset row their rows and scrolls.
    const Layout small = layoutGeometry(state, 24, 80);
    EXPECT_EQ(small.contentTop(), 1);
    EXPECT_EQ(small.statusRow(), 20);
    EXPECT_EQ(small.presetRow(), 21);
    EXPECT_EQ(small.canvasBottom(), 20);
    EXPECT_EQ(small.canvasHeight(), 19);
    EXPECT_EQ(small.sidebarBottom(), 21);

    const Layout short_ = layoutGeometry(state, 12, 80);  // no preset row: the status line sits on it
    EXPECT_EQ(short_.statusRow(), 9);
    EXPECT_EQ(short_.colorRow(), 10);
    EXPECT_EQ(short_.canvasHeight(), 8);
    EXPECT_EQ(short_.sidebarBottom(), 10);

    const Layout tiny = layoutGeometry(state, 9, 80);
    ASSERT_TRUE(tiny.compact());
    EXPECT_EQ(tiny.canvasBottom(), 7);
    EXPECT_EQ(tiny.colorRow(), 7);
}

TEST(LayoutGeometry, SmallCanvasIsCentredSmallerHalfFirst) {
    AppState state;
    state.doc = Document::blank(4, 10);
    const Layout layout = layoutGeometry(state, 30, 100);  // free: 91 columns, rows 2..25
    EXPECT_EQ(layout.canvasWidth(), 10);
    EXPECT_EQ(layout.canvasHeight(), 4);
    EXPECT_EQ(layout.canvasLeft(), 9 + (91 - 10) / 2);
    EXPECT_EQ(layout.canvasTop(), 2 + (layout.canvasBottom() - 2 - 4) / 2);
}

TEST(LayoutGeometry, ViewIsClampedWithoutTouchingTheStoredOffset) {
    AppState state;
    state.doc = Document::blank(50, 160);
    state.viewOffset = {400, -3};
    const Layout layout = layoutGeometry(state, 24, 80);
    EXPECT_EQ(layout.viewRow, 50 - layout.canvasHeight());
    EXPECT_EQ(layout.viewCol, 0);
    EXPECT_EQ(state.viewOffset.row, 400);
}

TEST(LayoutDocCell, MapsInsideTheViewportOnly) {
    AppState state;
    state.doc = Document::blank(50, 160);
    state.viewOffset = {5, 7};
    const Layout layout = layoutGeometry(state, 24, 80);
    const int top = layout.canvasTop(), left = layout.canvasLeft();
    EXPECT_EQ(layout.docCell(left, top), (DocCell{5, 7}));
    EXPECT_EQ(layout.docCell(left + 3, top + 2), (DocCell{7, 10}));
    EXPECT_FALSE(layout.docCell(left - 1, top));
    EXPECT_FALSE(layout.docCell(left, top - 1));
    EXPECT_FALSE(layout.docCell(left + layout.canvasWidth(), top));
    EXPECT_FALSE(layout.docCell(left, top + layout.canvasHeight()));
}

TEST(LayoutDocCell, NeverBeyondTheDocument) {
    AppState state;
    state.doc = Document::blank(50, 160);
    Layout layout = layoutGeometry(state, 24, 80);
    layout.viewRow = 1000;  // as if a stale view were used
    layout.viewCol = 1000;
    const auto cell = layout.docCell(layout.canvasLeft(), layout.canvasTop());
    ASSERT_TRUE(cell);
    EXPECT_EQ(*cell, (DocCell{49, 159}));
}

TEST(LayoutDocCell, TerminalNarrowerThanTheSidebarHasNoCanvas) {
    AppState state;
    state.doc = Document::blank(50, 160);
    const Layout layout = layoutGeometry(state, 30, 8);
    EXPECT_EQ(layout.canvasWidth(), 0);
    for (int x = -1; x < 10; ++x)
        for (int y = 0; y < 30; ++y) EXPECT_FALSE(layout.docCell(x, y)) << x << "," << y;
}

TEST(Span, UpperBoundIsOutside) {
    const Span span{3, 10, 12};
    EXPECT_TRUE(span.contains(10, 3));
    EXPECT_TRUE(span.contains(11, 3));
    EXPECT_FALSE(span.contains(12, 3));
    EXPECT_FALSE(span.contains(9, 3));
    EXPECT_FALSE(span.contains(10, 4));
    const Frame frame{2, 4, 3, 2};
    EXPECT_TRUE(frame.contains(4, 2));
    EXPECT_TRUE(frame.contains(6, 3));
    EXPECT_FALSE(frame.contains(7, 3));
    EXPECT_FALSE(frame.contains(4, 4));
}

}  // namespace layout_test
}  // namespace glyphloom
