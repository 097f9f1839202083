#include "tui/actions/save_options.hpp"

#include "tui/actions/document_io.hpp"
#include "tui/actions/sauce_box.hpp"
#include "tui/actions/prompt_actions.hpp"
#include "tui/state/overlay_table.hpp"
#include "tui/state/identity.hpp"

namespace glyphloom {

void saveOptionTapped(SaveOption option, AppState& state) {
    switch (option) {
        case SaveOption::name:
            return openPrompt(Prompt::forSauceField(SauceEntry::of(SauceField::documentName), state.filename), state);
        case SaveOption::save: return saveFromOptions(state);
        case SaveOption::sauceRecord: return openSauceBox(state);
        case SaveOption::utf8: state.exportUTF8 = !state.exportUTF8; break;
        case SaveOption::png: state.exportPNGOnSave = !state.exportPNGOnSave; break;
        case SaveOption::txt: state.exportTXTOnSave = !state.exportTXTOnSave; break;
        case SaveOption::sauceOn:
            state.doc.writeSauce = !state.doc.writeSauce;
            if (state.doc.writeSauce) {
                state.statusNote = "sauce record on";
            } else if (state.doc.sauce.sourceSauce && state.doc.sauce.sourceSauce->hasCredit()) {
                state.statusNote = "no sauce record — " + state.doc.sauce.sourceSauce->creditLine() + " will not be credited";
            } else {
                state.statusNote = "no sauce record";
            }
            break;
    }
    if (const std::string failure = persistSauceIdentity(state); !failure.empty())
        state.statusNote = "identity not saved: " + failure;
}

void saveFromOptions(AppState& state) {
    if (state.prompt && state.prompt->sauceEntry() == SauceEntry::of(SauceField::documentName)) {
        const std::string typed = state.prompt->text();
        cancelPrompt(state);
        if (!renameDocument(typed, state)) return;  // the note names the missing folder
    }
    saveDocument(state);
    if (state.ownedPath && !state.dirty) closeOverlay(Overlay::saveOptions, state);
}

}  // namespace glyphloom
