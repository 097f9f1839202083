// The preset row end to end: applying a slot, the hover readout, and a saved slot surviving a
// restart of the editor with the same settings folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tmux_session.hpp"

namespace glyphloom::e2e {
namespace presets_e2e_test {

class PresetRow : public EditorFixture {
protected:
    // The row the mode controls sit on.
    int presetRow() {
        const auto at = tmux->find("⟳ ⤨");
        return at ? at->second : -1;
    }
    // The first bytes of the preset row from a slot label on: "D + " for an empty slot.
    std::string rowFrom(const std::string& label, std::size_t length) {
        const int row = presetRow();
        if (row < 0) return {};
        const auto lines = tmux->captureLines();
        const std::string& line = lines[static_cast<std::size_t>(row)];
        const std::size_t at = line.find(" " + label, line.find("║"));
        return at == std::string::npos ? std::string() : line.substr(at + 1, length);
    }
    // Screen position of a slot's label on the preset row.
    std::optional<std::pair<int, int>> slotLabel(const std::string& label) {
        const int row = presetRow();
        if (row < 0) return std::nullopt;
        const auto lines = tmux->captureLines();
        const std::string& line = lines[static_cast<std::size_t>(row)];
        const std::size_t at = line.find(" " + label, line.find("║"));
        if (at == std::string::npos) return std::nullopt;
        int x = 0;
        for (std::size_t i = 0; i <= at; ++i) x += (static_cast<unsigned char>(line[i]) & 0xC0) != 0x80;
        return std::make_pair(x, row);
    }
    bool statusShows(const std::string& text) { return tmux->waitForText(text); }

    // The foreground colour of every "█" on screen row y between columns fromX and toX, as
    // the SGR parameters that set it ("31", "38;5;200", "" for the default).
    std::vector<std::string> blockColours(int y, int fromX, int toX) {
        std::stringstream in(tmux->capture(true));
        std::string line;
        for (int row = 0; row <= y && std::getline(in, line); ++row) {
        }
        std::vector<std::string> colours;
        std::string fg;
        const std::string block = "█";
        int column = -1;
        for (std::size_t i = 0; i < line.size();) {
            if (line.compare(i, 2, "\x1b[") == 0) {
                const std::size_t end = line.find('m', i);
                if (end == std::string::npos) break;
                fg = foregroundAfter(line.substr(i + 2, end - i - 2), fg);
                i = end + 1;
                continue;
            }
            if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80) ++column;
            if (line.compare(i, block.size(), block) == 0) {
                if (column >= fromX && column <= toX) colours.push_back(fg);
                i += block.size();
            } else {
                ++i;
            }
        }
        return colours;
    }

    // The foreground an SGR parameter list leaves, starting from `fg`.
    static std::string foregroundAfter(const std::string& parameters, std::string fg) {
        std::vector<std::string> p;
        std::stringstream in(parameters);
        for (std::string item; std::getline(in, item, ';');) p.push_back(item);
        if (p.empty()) return "";
        for (std::size_t k = 0; k < p.size(); ++k) {
            const int n = std::atoi(p[k].c_str());
            if (n == 0 || n == 39) {
                fg.clear();
            } else if ((n >= 30 && n <= 37) || (n >= 90 && n <= 97)) {
                fg = p[k];
            } else if ((n == 38 || n == 48) && k + 1 < p.size()) {
                const std::size_t count = p[k + 1] == "5" ? 2 : 4;
                std::string colour = p[k];
                for (std::size_t j = k + 1; j <= k + count && j < p.size(); ++j) colour += ";" + p[j];
                if (n == 38) fg = colour;
                k += count;
            }
        }
        return fg;
    }
};

TEST_F(PresetRow, ClickingASlotAppliesItAndHoveringReadsItOut) {
    ASSERT_GE(presetRow(), 0) << tmux->capture();
    const auto first = slotLabel("1");
    ASSERT_TRUE(first) << tmux->capture();
    // Slot 1 paints with a foreground cycle of step 9: its sample starts right after the label.
    tmux->click(first->first + 1, first->second);
    ASSERT_TRUE(tmux->waitUntil([&] { return tmux->find("•███", presetRow()).has_value(); })) << tmux->capture();
    // The colour row shows the cycle's step.
    EXPECT_TRUE(tmux->waitUntil([&] { return tmux->find("≈9", presetRow()).has_value(); })) << tmux->capture();
    // The pointer still rests on slot 1: the status line reads it out. Then slot 2.
    EXPECT_TRUE(statusShows("● 1: paint █ fg cycle size 4")) << tmux->capture();
    const auto second = slotLabel("2");
    ASSERT_TRUE(second) << tmux->capture();
    tmux->sendMouse(35, second->first + 2, second->second, true);
    EXPECT_TRUE(statusShows("● 2: pen")) << tmux->capture();
    // Off the row, the hints come back, with "fade" for the running colour cycle.
    tmux->sendMouse(35, 40, 10, true);
    EXPECT_TRUE(statusShows("● Paint   █   fade")) << tmux->capture();
}

TEST_F(PresetRow, SlotOnePaintsWithItsColourCycle) {
    constexpr int y = 12, fromX = 45, toX = 85;  // across the middle of the canvas
    const auto first = slotLabel("1");
    ASSERT_TRUE(first) << tmux->capture();

    // Before: the plain pen paints one colour all along the stroke.
    const auto stroke = [&](int row) {
        tmux->sendMouse(0, fromX, row, true);
        for (int x = fromX; x <= toX; x += 2) tmux->sendMouse(32, x, row, true);
        tmux->sendMouse(0, toX, row, false);
        tmux->sendMouse(35, 2, 2, true);  // the pointer's cell is drawn inverted: move it off the stroke
    };
    stroke(y - 6);
    // The brush reaches a few cells past the stroke's ends.
    const auto colours = [&](int row) { return blockColours(row, fromX - 4, toX + 4); };
    ASSERT_TRUE(tmux->waitUntil([&] { return colours(y - 6).size() >= 20; })) << tmux->capture();
    const auto plain = colours(y - 6);
    EXPECT_EQ(std::set<std::string>(plain.begin(), plain.end()).size(), 1u) << tmux->capture(true);

    tmux->click(first->first + 1, first->second);
    ASSERT_TRUE(tmux->waitUntil([&] { return tmux->find("≈9", presetRow()).has_value(); })) << tmux->capture();
    stroke(y);
    ASSERT_TRUE(tmux->waitUntil([&] { return colours(y).size() >= 20; })) << tmux->capture();
    // The stroke runs through the slot's cycle: several colours, each held for a stretch of
    // cells, never the default colour.
    const auto painted = colours(y);
    const std::set<std::string> distinct(painted.begin(), painted.end());
    EXPECT_GE(distinct.size(), 3u) << tmux->capture(true);
    EXPECT_FALSE(distinct.contains("")) << tmux->capture(true);
}

// An empty slot's "+" saves the current set-up into that slot; the slot's label says, under
// the pointer, that a click on it saves there too.
TEST_F(PresetRow, ThePlusOfAnEmptySlotSavesIntoIt) {
    ASSERT_EQ(rowFrom("E", 4), "E + ") << tmux->capture();
    const auto label = slotLabel("E");
    ASSERT_TRUE(label) << tmux->capture();
    tmux->sendMouse(35, label->first, label->second, true);
    EXPECT_TRUE(statusShows("● E: click saves the current tool set-up into this slot")) << tmux->capture();
    tmux->sendMouse(35, label->first + 2, label->second, true);
    EXPECT_TRUE(statusShows("● E: empty — + saves the current tool set-up here")) << tmux->capture();

    tmux->click(label->first + 2, label->second);
    ASSERT_TRUE(tmux->waitUntil([&] { return rowFrom("E", 1).empty(); })) << "slot E is now marked as selected\n"
                                                                           << tmux->capture();
    // The selected slot shows "•" for its label, then its sample where the "+" was.
    EXPECT_NE(rowFrom("•", 6), "• + ") << tmux->capture();
    EXPECT_EQ(rowFrom("F", 4), "F + ") << "only the clicked slot is filled\n" << tmux->capture();
}

TEST_F(PresetRow, ASavedSlotIsThereAfterARestart) {
    ASSERT_EQ(rowFrom("D", 4), "D + ") << tmux->capture();
    const auto label = slotLabel("D");
    ASSERT_TRUE(label) << tmux->capture();
    tmux->click(label->first, label->second);
    ASSERT_TRUE(tmux->waitUntil([&] { return rowFrom("D", 1).empty(); })) << "slot D is now marked as selected\n"
                                                                           << tmux->capture();
    EXPECT_TRUE(std::filesystem::exists(tmux->home() / ".config" / "glyphloom" / "presets.json"));
    // The note is in the status history, opened by a click on the status line (once the
    // pointer has left the slot, whose hover text the status line shows).
    tmux->sendMouse(35, 40, 10, true);
    ASSERT_TRUE(statusShows("● Paint")) << tmux->capture();
    ASSERT_TRUE(tmux->clickText("● Paint"));
    EXPECT_TRUE(tmux->waitForText("preset D saved")) << tmux->capture();

    tmux->sendBytes("\x03\x03");
    ASSERT_TRUE(tmux->waitForExit());
    ASSERT_TRUE(tmux->startEditor("--size 80x25")) << tmux->capture();
    ASSERT_TRUE(tmux->waitUntil([&] { return !rowFrom("D", 1).empty(); })) << tmux->capture();
    const std::string slot = rowFrom("D", 4);
    EXPECT_NE(slot, "D + ") << "slot D is filled again after the restart\n" << tmux->capture();
    EXPECT_EQ(rowFrom("E", 4), "E + ") << tmux->capture();
}

}  // namespace presets_e2e_test
}  // namespace glyphloom::e2e
