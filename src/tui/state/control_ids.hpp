// Typed ids of the controls in the SAUCE box and the save-options box. The chrome records
// them with each control's span and the click routing hands them to the action as they are;
// `controlName` gives the readable form that --dump-layout prints and tests compare.
#pragma once

#include <string>
#include <string_view>

namespace glyphloom {

enum class SauceBoxRowKind { title, author, group, font, spacing, aspect, comment, edit, claim, cancel, done };

struct SauceBoxRow {
    SauceBoxRowKind kind = SauceBoxRowKind::done;
    int line = 0;  // the comment line; one past the last adds a line
    bool operator==(const SauceBoxRow&) const = default;
};

enum class SaveOption { name, sauceOn, sauceRecord, utf8, png, txt };

// The Select tool's actions on the selection and the clipboards ("Blink" is handled apart).
enum class SelectAction { copy, cut, fill, paste, text };

// "title", "comment:3", "done"…; for a field row also the key its text entry commits to.
std::string controlName(SauceBoxRow row);
std::string_view controlName(SaveOption option);
// "Copy", "Cut", "Fill", "Paste", "Text": the button labels.
std::string_view selectActionLabel(SelectAction action);

}  // namespace glyphloom
