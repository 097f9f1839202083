#include "tui/input/text_entry.hpp"

#include "core/text/utf8.hpp"
#include "tui/actions/prompt_actions.hpp"

namespace glyphloom {

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
    if (!state.prompt) return false;
    if (byte == 10 || byte == 13) {
        commitPrompt(state);
        return true;
    }
    if (byte == 27) {
        cancelPrompt(state);
        return true;
    }
    if (byte == 127 || byte == 8) {
        state.pendingKeyBytes.clear();
        state.prompt->backspace();
        return true;
    }
    if (byte < 32) return false;
    const auto typed = takeKeyCharacter(byte, state.pendingKeyBytes);
    if (typed && state.prompt->accepts(*typed)) state.prompt->type(*typed);
    return true;
}

void textEntryArrow(bool right, AppState& state) {
    if (state.prompt) state.prompt->moveCursor(right);
}

}  // namespace glyphloom
