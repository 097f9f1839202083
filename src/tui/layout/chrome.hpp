// Draws a whole frame of the interface from the editor state into the screen's back buffer
// and returns the layout it used. Never changes the editor state and never writes to the
// terminal itself: the screen's flush does that.
#pragma once

#include <array>
#include <string_view>
#include <utility>
#include <vector>

#include "core/format/preset.hpp"
#include "core/model/random_source.hpp"
#include "tui/state/app_state.hpp"
#include "tui/state/color_mode.hpp"
#include "tui/layout/layout.hpp"
#include "tui/terminal/screen.hpp"

namespace glyphloom {

struct Chrome {
    static Layout compose(const AppState& state, Screen& screen);

    // One frame of television static over the whole buffer, shown while the window is resized.
    static void tvStatic(Screen& screen, RandomSource& random = defaultRandomSource());

    // Re-puts a cell with its colours swapped; a cell whose colours are equal becomes "▚" in
    // black on white so that it stays visible.
    static void invert(Screen& screen, int row, int col);

    // A short sample of what a preset paints, for the preset row and the hover preview.
    static std::vector<ANSICell> presetPreview(const TUIPreset& preset);

    // Colour of the i-th letter of the title.
    static ANSIColorValue titleColor(int index);

    static constexpr std::string_view title = "Glyphloom";
    static constexpr std::array<std::pair<std::string_view, ColorMode>, 3> modeButtons = {
        {{"ø", ColorMode::null}, {"⟳", ColorMode::cycle}, {"⤨", ColorMode::random}}};
    static constexpr std::array<std::string_view, 16> presetSlotLabels = {
        "1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B", "C", "D", "E", "F", "G"};
};

}  // namespace glyphloom
