// The SAUCE record as the editor sees it: taking over the record of an opened file, building
// the record a save writes, the provenance rules that decide whose credit that is, the labels
// the chrome shows, and committing the SAUCE editor's text fields.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/model/cell_grid.hpp"
#include "core/format/sauce_record.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

// none: nothing to write; yours: the user's own fields; foreign: someone else's credit.
enum class SauceRecordState { none, yours, foreign };

// After importing a .ans: keep its record as provenance and fill the document's fields from
// it. Signed art opens view-only; `cells` decide whether the art needs blinking-text mode.
// The first form fills the editor's document, the second one about to be opened in it.
void adoptSauce(AppState& state, const std::optional<SauceRecord>& record, const CellGrid& cells);
void adoptSauce(AppState& state, Document& into, const std::optional<SauceRecord>& record, const CellGrid& cells);

// The record a save hands to the ANS writer; `title` (the document name) is used when
// nothing better is known. A foreign credit is kept with its own date.
SauceRecord exportSauce(const AppState& state, std::string_view title);

// Moves a foreign credit into the history and makes the record the user's.
void claimSauceAuthorship(AppState& state);

SauceRecordState sauceRecordState(const AppState& state);
// "create", "edit" or "view".
std::string_view sauceRowLabel(const AppState& state);
// "title · credit" for the chrome; nothing when no record will be written or nothing is known.
std::optional<std::string> sauceCreditLabel(const AppState& state);

// Commits the typed `typed` to the field `entry`. An empty comment line is removed; a line
// past the last is appended when it holds text.
void commitSauceEntry(SauceEntry entry, const std::string& typed, AppState& state);

// The document name a typed text gives: characters no file name should hold are removed.
std::string sanitizedDocumentName(std::string_view text);

// Closes the SAUCE box, dropping a pending claim and the read-only view with it.
void closeSauceBox(AppState& state);

}  // namespace glyphloom
