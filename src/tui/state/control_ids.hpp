// Typed ids of the controls that the chrome records with each control's span and the click
// routing hands to the action as they are: the SAUCE box and save-options rows, the panels'
// steppers and toggles, the colour channels that take a typed number, and the selection's
// actions. `controlName` gives the readable form that --dump-layout prints and tests compare.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace glyphloom {

enum class SauceBoxRowKind { title, author, group, font, spacing, aspect, comment, edit, claim, cancel, done };

struct SauceBoxRow {
    SauceBoxRowKind kind = SauceBoxRowKind::done;
    int line = 0;  // the comment line; one past the last adds a line
    bool operator==(const SauceBoxRow&) const = default;
};

enum class SaveOption { name, save, sauceOn, sauceRecord, utf8, png, txt };

// The SAUCE text field being typed: a field of the SAUCE box, comment line `line` (one past
// the last appends a line), or the document name typed in the save options.
enum class SauceField { title, author, group, font, comment, documentName };

struct SauceEntry {
    SauceField field = SauceField::title;
    int line = 0;  // the comment line

    static constexpr SauceEntry of(SauceField field) { return {field, 0}; }
    static constexpr SauceEntry comment(int line) { return {SauceField::comment, line}; }
    bool operator==(const SauceEntry&) const = default;
};

// The field a SAUCE box row types into; nothing for the rows that are buttons.
std::optional<SauceEntry> sauceEntryFor(SauceBoxRow row);

// The whole-number settings behind the "− n +" steppers of the tool and fades panels, and the
// four channels of the palette's colour mix.
enum class StepperId {
    sprayRadius,
    sprayDensity,
    sprayVary,
    prismSteps,
    dbStrength,
    lineWidth,
    scVariance,
    fadeFgStep,
    fadeBgStep,
    fadeChStep,
    tcR,
    tcG,
    tcB,
    tcL,
};

// The on/off settings shown as "●"/"○" rows.
enum class ToggleSetting {
    round,
    sprayBG,
    velSpray,
    velDB,
    velPrism,
    velScatter,
    velSize,
    autoPan,
    ownFill,
    scFG,
    scBG,
    dbFG,
    dbBG,
    prFG,
    prBG,
    boxFilled,
    boxOutline,
    boxPenLine,
    ovalFilled,
    ovalOutline,
    fadeColReset,
    fadeChReset,
    fadeChFwd,
    fadeChWrap,
};

// A toggle row: an on/off setting, the text tool's glyph bank `index`, or character group
// `index` of the random character pool (in catalogue order).
struct ToggleId {
    enum class Kind { setting, glyphBank, charGroup };

    Kind kind = Kind::setting;
    ToggleSetting setting = ToggleSetting::round;
    int index = 0;

    static constexpr ToggleId of(ToggleSetting setting) { return {Kind::setting, setting, 0}; }
    static constexpr ToggleId glyphBank(int index) { return {Kind::glyphBank, ToggleSetting::round, index}; }
    static constexpr ToggleId charGroup(int index) { return {Kind::charGroup, ToggleSetting::round, index}; }
    bool operator==(const ToggleId&) const = default;
};

// A colour value that can be typed in or dragged: the cycle repeat of the foreground or
// background channel, or one channel of the palette's colour mix (lightness is signed).
enum class PaletteChannel { fg, bg, tcR, tcG, tcB, tcL };

// One of the four channels of the colour mix, not a cycle repeat.
constexpr bool isMixChannel(PaletteChannel channel) { return channel != PaletteChannel::fg && channel != PaletteChannel::bg; }

// The selection's actions on the sidebar's chip row.
enum class SelectAction { copy, cut, fill, paste, text };

// "Copy", "Cut", "Fill", "Paste", "Text": the chip's label.
std::string_view selectActionLabel(SelectAction action);

// "title", "comment:3", "done"…
std::string controlName(SauceBoxRow row);
std::string_view controlName(SaveOption option);
// "sprayRadius", "tcL"…
std::string_view controlName(StepperId id);
// "velDB", "bank2", "fadegrp.Greek"…
std::string controlName(ToggleId id);
// "fg", "bg", "tcR"…
std::string_view controlName(PaletteChannel channel);

}  // namespace glyphloom
