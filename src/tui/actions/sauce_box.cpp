#include "tui/actions/sauce_box.hpp"

#include "tui/actions/prompt_actions.hpp"
#include "tui/actions/save_options.hpp"
#include "tui/state/sauce_state.hpp"

namespace glyphloom {

void openSauceBox(AppState& state) {
    state.sauceBoxOpen = true;
    state.sauceBoxReadOnly = sauceRecordState(state) == SauceRecordState::foreign;
    state.sauceEditConfirm = false;
}

void sauceBoxRowTapped(SauceBoxRow row, AppState& state) {
    auto startField = [&](const std::string& value) {
        if (const auto entry = sauceEntryFor(row)) openPrompt(Prompt::forSauceField(*entry, value), state);
    };
    switch (row.kind) {
        case SauceBoxRowKind::done: return closeSauceBox(state);
        case SauceBoxRowKind::edit: state.sauceEditConfirm = true; return;
        case SauceBoxRowKind::claim:
            claimSauceAuthorship(state);
            state.sauceEditConfirm = false;
            state.sauceBoxReadOnly = false;
            return;
        case SauceBoxRowKind::cancel: state.sauceEditConfirm = false; return;
        case SauceBoxRowKind::spacing:
            state.doc.sauce.letterSpacing = static_cast<LetterSpacing>((static_cast<int>(state.doc.sauce.letterSpacing) + 1) % 3);
            return;
        case SauceBoxRowKind::aspect:
            state.doc.sauce.aspectRatio = static_cast<AspectRatio>((static_cast<int>(state.doc.sauce.aspectRatio) + 1) % 3);
            return;
        case SauceBoxRowKind::title: return startField(state.doc.sauce.sauceTitleField);
        case SauceBoxRowKind::author: return startField(state.sauceAuthor);
        case SauceBoxRowKind::group: return startField(state.sauceGroup);
        case SauceBoxRowKind::font: return startField(state.doc.sauce.sauceFontName);
        case SauceBoxRowKind::comment: {
            // One past the last line starts an empty line that the entry appends.
            const auto line = static_cast<std::size_t>(row.line);
            return startField(row.line >= 0 && line < state.doc.sauce.sauceComments.size() ? state.doc.sauce.sauceComments[line] : std::string());
        }
    }
}

void commitSauceField(AppState& state) {
    const auto entry = state.prompt ? state.prompt->sauceEntry() : std::nullopt;
    if (!entry) return;
    if (entry->field == SauceField::documentName) return saveFromOptions(state);  // names and saves
    const std::string text = state.prompt->text();
    cancelPrompt(state);
    commitSauceEntry(*entry, text, state);
}

}  // namespace glyphloom
