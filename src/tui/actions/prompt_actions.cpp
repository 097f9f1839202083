#include "tui/actions/prompt_actions.hpp"

#include "tui/actions/document_io.hpp"
#include "tui/actions/font_import.hpp"
#include "tui/actions/palette.hpp"
#include "tui/actions/panels.hpp"
#include "tui/actions/sauce_box.hpp"
#include "tui/actions/toolbar.hpp"

namespace glyphloom {

void openPrompt(Prompt prompt, AppState& state) {
    cancelPrompt(state);
    state.prompt = std::move(prompt);
}

void commitPrompt(AppState& state) {
    if (!state.prompt) return;
    const Prompt prompt = *state.prompt;
    switch (prompt.kind()) {
        case PromptKind::fileName: return commitFileNameEntry(true, state);
        case PromptKind::loadPath:
            cancelPrompt(state);
            return loadDocument(prompt.text(), state);
        case PromptKind::fontPath:
            cancelPrompt(state);
            return queueFontImport(prompt.text(), state);
        case PromptKind::canvasSize:
            cancelPrompt(state);
            return applyTypedCanvasSize(prompt.text(), state);
        case PromptKind::codepoint:
            cancelPrompt(state);
            return placeTypedCodepoint(prompt.text(), state);
        case PromptKind::sauceField: return commitSauceField(state);
        case PromptKind::stepValue: return commitStepEntry(state);
    }
}

void cancelPrompt(AppState& state) {
    state.prompt.reset();
    state.pendingKeyBytes.clear();
}

}  // namespace glyphloom
