// The SAUCE box's controls: opening the box (read-only over someone else's credit), its rows
// starting to type a field or stepping a choice, and claiming a foreign record.
#pragma once

#include "tui/state/app_state.hpp"
#include "tui/state/control_ids.hpp"

namespace glyphloom {

void openSauceBox(AppState& state);
// A click on a row of the box: fields start typing their value, spacing and aspect step
// through their choices, and the read-only box leads to claiming the record.
void sauceBoxRowTapped(SauceBoxRow row, AppState& state);
// Enter in a SAUCE field: the text becomes the field's value; the save-options box's name
// field names the document and saves it.
void commitSauceField(AppState& state);

}  // namespace glyphloom
