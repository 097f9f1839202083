// The one-line text field being typed in: what it is for, its text, its cursor and whether
// the text is wholly selected. The editor holds at most one (`AppState::prompt`), so opening
// a field replaces whichever was open. Editing happens here; what Enter does with the text
// belongs to the field's subject (tui/actions/prompt_actions).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tui/state/control_ids.hpp"

namespace glyphloom {

enum class PromptKind { fileName, loadPath, fontPath, canvasSize, codepoint, sauceField, stepValue };

class Prompt {
public:
    // A field holding `text` with the cursor after it, wholly selected when `selectAll`.
    explicit Prompt(PromptKind kind, std::string text = {}, bool selectAll = false);
    static Prompt forSauceField(SauceEntry entry, std::string text);
    static Prompt forStepValue(PaletteChannel channel);

    PromptKind kind() const { return kind_; }
    // The SAUCE field typed into (sauceField) and the value being set (stepValue).
    std::optional<SauceEntry> sauceEntry() const;
    std::optional<PaletteChannel> stepChannel() const;

    const std::string& text() const { return text_; }
    // In grapheme clusters, the units the field draws and the arrows step over, so "e" and a
    // combining accent are one position.
    int cursor() const { return cursor_; }
    bool selectAll() const { return selectAll_; }
    // The text with "▌" at the cursor; a wholly selected text is shown without it.
    std::string withCursor() const;

    // Whether a typed character goes into this field: a number field takes digits only, and
    // a minus sign where the value may be negative.
    bool accepts(std::string_view character) const;
    // Inserts at the cursor, replacing the text when it is wholly selected. A combining mark
    // joins the cluster before the cursor.
    void type(std::string_view text);
    // Removes the cluster before the cursor, or the whole text when it is selected.
    void backspace();
    // One cluster left or right, stopping at the ends; a selection ends at the chosen end.
    void moveCursor(bool right);

    friend bool operator==(const Prompt&, const Prompt&) = default;

private:
    PromptKind kind_;
    SauceEntry sauceEntry_{};
    PaletteChannel stepChannel_ = PaletteChannel::fg;
    std::string text_;
    int cursor_ = 0;
    bool selectAll_ = false;
};

inline bool promptIs(const std::optional<Prompt>& prompt, PromptKind kind) { return prompt && prompt->kind() == kind; }

// The fields the menu bar shows in place of the file name.
constexpr bool typedInBar(PromptKind kind) {
    return kind == PromptKind::fileName || kind == PromptKind::loadPath || kind == PromptKind::fontPath ||
           kind == PromptKind::canvasSize;
}

}  // namespace glyphloom
