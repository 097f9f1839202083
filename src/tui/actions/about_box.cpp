#include "tui/actions/about_box.hpp"

#include "core/text/utf8.hpp"
#include "tui/state/overlay_table.hpp"

namespace glyphloom {
namespace {

constexpr std::size_t promptLimit = 1024;
constexpr std::size_t historyLimit = 200;

}  // namespace

void openAbout(AppState& state) { openOverlay(Overlay::about, state); }

// Esc keeps the conversation for next time; only a click away forgets it (the overlay table).
void closeAboutBox(AppState& state) {
    if (state.overlay == Overlay::about) state.overlay.reset();
}

void typeIntoAbout(const std::string& character, AppState& state) {
    if (utf8::decode(state.aboutInput).size() < promptLimit) state.aboutInput += character;
}

void eraseAboutInput(AppState& state) {
    std::u32string chars = utf8::decode(state.aboutInput);
    if (!chars.empty()) chars.pop_back();
    std::string out;
    for (char32_t c : chars) utf8::append(out, c);
    state.aboutInput = out;
}

void submitAboutInput(AppState& state) {
    if (state.aboutInput == "clear" || state.aboutInput == "cls") {
        state.aboutHistory.clear();
    } else {
        state.aboutHistory.push_back("> " + state.aboutInput);
        if (state.aboutHistory.size() > historyLimit) state.aboutHistory.erase(state.aboutHistory.begin());
    }
    state.aboutInput.clear();
}

}  // namespace glyphloom
