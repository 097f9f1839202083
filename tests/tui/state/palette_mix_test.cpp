#include "tui/state/palette_mix.hpp"

#include <gtest/gtest.h>

#include <utility>

namespace glyphloom {
namespace palette_mix_test {

ANSIColorValue c256(int n) { return ANSIColorValue::ansi256(n); }

TEST(PaletteMix, BulkColorsOfEachGroup) {
    struct Case {
        int group;
        std::size_t size;
        ANSIColorValue first;
        ANSIColorValue last;
    };
    const Case cases[] = {
        {-3, 24, c256(232), c256(255)},
        {-2, 16, ANSIColorValue::ansi16(0), ANSIColorValue::ansi16(15)},
        {-1, 216, c256(16), c256(231)},
        {0, 36, c256(16), c256(51)},
        {5, 36, c256(196), c256(231)},
    };
    for (const Case& c : cases) {
        const auto colors = paletteBulkColors(c.group);
        ASSERT_EQ(colors.size(), c.size) << c.group;
        EXPECT_EQ(colors.front(), c.first) << c.group;
        EXPECT_EQ(colors.back(), c.last) << c.group;
    }
    EXPECT_TRUE(paletteBulkColors(6).empty());
    EXPECT_TRUE(paletteBulkColors(-4).empty());
}

TEST(PaletteMix, DraftColourAddsBrightnessAndClamps) {
    EXPECT_EQ(tcDraftColor({250, 10, 0, 20}), ANSIColorValue::truecolor(255, 30, 20));
    EXPECT_EQ(tcDraftColor({250, 10, 0, -20}), ANSIColorValue::truecolor(230, 0, 0));
    EXPECT_EQ(tcDraftColor({0, 0, 0, 128}), ANSIColorValue::truecolor(128, 128, 128));
}

TEST(PaletteMix, ChannelsNameTheirDraftFields) {
    TrueColorDraft draft{1, 2, 3, -4};
    const std::pair<PaletteChannel, int> fields[] = {
        {PaletteChannel::tcR, 1}, {PaletteChannel::tcG, 2}, {PaletteChannel::tcB, 3}, {PaletteChannel::tcL, -4}};
    for (const auto& [channel, value] : fields) {
        ASSERT_NE(draftChannel(channel, draft), nullptr);
        EXPECT_EQ(*draftChannel(channel, draft), value);
        EXPECT_EQ(paletteSliderCurrent(channel, draft), value);
    }
    for (PaletteChannel repeat : {PaletteChannel::fg, PaletteChannel::bg}) {
        EXPECT_EQ(draftChannel(repeat, draft), nullptr);
        EXPECT_EQ(paletteSliderCurrent(repeat, draft), 0);
    }
}

}  // namespace palette_mix_test
}  // namespace glyphloom
