#include "tui/input/text_entry.hpp"

#include <algorithm>
#include <cctype>
#include <vector>

#include "core/text/utf8.hpp"
#include "tui/actions/document_io.hpp"
#include "tui/actions/font_import.hpp"
#include "tui/actions/palette.hpp"
#include "tui/actions/panels.hpp"
#include "tui/actions/save_options.hpp"
#include "tui/actions/toolbar.hpp"
#include "tui/state/sauce_state.hpp"
#include "tui/state/text_entry_mode.hpp"

namespace glyphloom {
namespace {

// Only the mix's lightness is signed.
bool acceptsMinus(const AppState& state) { return state.stepEntryChannel == PaletteChannel::tcL; }

// The field's cursor counts grapheme clusters, the same units the bar draws and the arrows
// step over, so "e" + combining accent is one position.
std::vector<std::string> fieldClusters(const AppState& state) { return utf8::graphemeClusters(state.renameBuffer); }

std::size_t clampedCursor(const AppState& state, std::size_t clusterCount) {
    return static_cast<std::size_t>(std::clamp<long long>(state.renameCursor, 0, static_cast<long long>(clusterCount)));
}

std::string joined(const std::vector<std::string>& clusters, std::size_t from, std::size_t to) {
    std::string out;
    for (std::size_t i = from; i < to; ++i) out += clusters[i];
    return out;
}

void insertText(const std::string& text, AppState& state) {
    if (state.renameSelectAll) {
        state.renameBuffer.clear();
        state.renameCursor = 0;
        state.renameSelectAll = false;
    }
    const std::vector<std::string> clusters = fieldClusters(state);
    const std::size_t at = clampedCursor(state, clusters.size());
    // A combining mark typed after a letter joins the letter's cluster: the cursor goes
    // after whatever the text before it has become.
    const std::string before = joined(clusters, 0, at) + text;
    state.renameCursor = static_cast<int>(utf8::graphemeClusters(before).size());
    state.renameBuffer = before + joined(clusters, at, clusters.size());
}

void backspace(AppState& state) {
    if (state.renameSelectAll) {
        state.renameBuffer.clear();
        state.renameCursor = 0;
        state.renameSelectAll = false;
        return;
    }
    const std::vector<std::string> clusters = fieldClusters(state);
    const std::size_t at = clampedCursor(state, clusters.size());
    if (at == 0) return;
    state.renameBuffer = joined(clusters, 0, at - 1) + joined(clusters, at, clusters.size());
    state.renameCursor = static_cast<int>(at - 1);
}

}  // namespace

void commitStepEntry(AppState& state) {
    if (!state.stepEntryChannel) return;
    const PaletteChannel channel = *state.stepEntryChannel;
    const std::string text = state.renameBuffer;
    cancelTextEntry(state);
    int value = 0;
    try {
        value = std::stoi(text);
    } catch (...) {
        return;  // nothing typed: the value stays
    }
    if (isMixChannel(channel)) paletteSliderSet(channel, value, state);  // clamps and applies the mixed colour
    else setCycleRepeat(channel == PaletteChannel::fg, value, state);
}

void commitFileNameEntry(bool save, AppState& state) {
    const std::string text = state.renameBuffer;
    cancelTextEntry(state);
    if (renameDocument(text, state) && save) saveDocument(state);
}

void commitTextEntry(AppState& state) {
    const std::string text = state.renameBuffer;
    switch (activeTextEntry(state)) {
        case TextEntryMode::fileName: return commitFileNameEntry(true, state);
        case TextEntryMode::loadPath:
            cancelTextEntry(state);
            loadDocument(text, state);
            return;
        case TextEntryMode::fontPath:
            cancelTextEntry(state);
            queueFontImport(text, state);
            return;
        case TextEntryMode::canvasSize:
            cancelTextEntry(state);
            applyTypedCanvasSize(text, state);
            return;
        case TextEntryMode::codepoint:
            cancelTextEntry(state);
            placeTypedCodepoint(text, state);
            return;
        case TextEntryMode::sauceField: {
            const SauceEntry entry = *state.sauceEntryKind;
            if (entry.field == SauceField::documentName) return saveFromOptions(state);  // names and saves
            commitSauceEntry(entry, state);  // reads the buffer
            cancelTextEntry(state);
            return;
        }
        case TextEntryMode::stepValue:
            commitStepEntry(state);
            return;
        case TextEntryMode::none:
            return;
    }
}

std::optional<std::string> takeKeyCharacter(std::uint8_t byte, std::string& pending) {
    const bool continuation = (byte & 0xC0) == 0x80;
    if (!continuation) pending.clear();
    if (continuation && pending.empty()) return std::nullopt;
    pending.push_back(static_cast<char>(byte));
    const auto lead = static_cast<unsigned char>(pending[0]);
    const std::size_t needed = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (pending.size() < needed) return std::nullopt;
    std::string character;
    character.swap(pending);
    if (!utf8::isValid(character)) return std::nullopt;
    return character;
}

bool textEntryKey(std::uint8_t byte, AppState& state) {
    if (byte == 10 || byte == 13) {
        commitTextEntry(state);
        return true;
    }
    if (byte == 27) {
        cancelTextEntry(state);
        return true;
    }
    if (byte == 127 || byte == 8) {
        state.pendingKeyBytes.clear();
        backspace(state);
        return true;
    }
    if (byte < 32) return false;
    auto typed = takeKeyCharacter(byte, state.pendingKeyBytes);
    if (!typed) return true;
    const std::string& character = *typed;
    if (state.stepEntryChannel) {
        const bool digit = character.size() == 1 && std::isdigit(static_cast<unsigned char>(character[0]));
        const bool minus = character == "-" && acceptsMinus(state);
        if (!digit && !minus) return true;
    }
    insertText(character, state);
    return true;
}

void textEntryArrow(bool right, AppState& state) {
    const int length = static_cast<int>(utf8::graphemeClusters(state.renameBuffer).size());
    if (state.renameSelectAll) {
        state.renameSelectAll = false;
        state.renameCursor = right ? length : 0;
        return;
    }
    state.renameCursor = std::clamp(state.renameCursor + (right ? 1 : -1), 0, length);
}

}  // namespace glyphloom
