// The save-options box and the SAUCE box: the document's name, the companions written with
// every save and the record's fields, each row recorded by an id that the click handlers and
// the SAUCE field entry (whose kinds use the same ids) share.
#include <algorithm>
#include <string>
#include <vector>

#include "tui/layout/overlay_box.hpp"
#include "tui/layout/parts.hpp"
#include "tui/layout/style.hpp"

namespace glyphloom::chrome {
namespace {

constexpr int sauceInnerWidth = 44;
constexpr int maxCommentLines = 255;

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(first, last - first + 1));
}

// Author and group as one credit: "author of group", or whichever is present.
std::string creditOf(std::string_view author, std::string_view group) {
    const std::string a = trimmed(author);
    const std::string g = trimmed(group);
    if (!a.empty() && !g.empty()) return a + " of " + g;
    return a.empty() ? g : a;
}

// A record that came with the opened file and credits someone other than the user.
const SauceRecord* foreignRecord(const AppState& state) {
    if (!state.doc.sauce.sourceSauce) return nullptr;
    return creditOf(state.doc.sauce.sourceSauce->author, state.doc.sauce.sourceSauce->group).empty() ? nullptr : &*state.doc.sauce.sourceSauce;
}

// What the save options' SAUCE row offers: a record to create, to edit, or someone else's to view.
std::string_view sauceRowText(const AppState& state) {
    if (foreignRecord(state)) return "view";
    const bool yours = !state.sauceAuthor.empty() || !state.sauceGroup.empty() || !state.doc.sauce.sauceTitleField.empty() ||
                       !state.doc.sauce.sauceComments.empty() || !state.doc.sauce.sauceHistory.empty() ||
                       state.doc.sauce.letterSpacing != LetterSpacing::noPreference ||
                       state.doc.sauce.aspectRatio != AspectRatio::noPreference;
    return yours ? "edit" : "create";
}

std::string_view spacingText(LetterSpacing spacing) {
    switch (spacing) {
        case LetterSpacing::noPreference: return "No preference";
        case LetterSpacing::eightPixel: return "8 pixel";
        case LetterSpacing::ninePixel: return "9 pixel";
    }
    return "No preference";
}

std::string_view aspectText(AspectRatio aspect) {
    switch (aspect) {
        case AspectRatio::noPreference: return "No preference";
        case AspectRatio::legacy: return "Stretched";
        case AspectRatio::square: return "Square";
    }
    return "No preference";
}

std::string toggleRow(bool on, std::string_view label) { return (on ? " ✓" : "  ") + std::string(label); }

struct BoxRow {
    std::string text;
    std::optional<SauceBoxRow> id;  // nothing: not clickable
    ANSIColorValue fg = toolName;
    ANSIColorValue bg = boxBg;
    bool listEntry = false;  // a history or comment line
};

// On a short terminal rows give way so that the controls stay: history lines first (oldest
// first), then comment lines (last first), then rows that only inform, then the fields (last
// first). Rows that close or answer the box never do.
void dropRowsToFit(std::vector<BoxRow>& rows, int room) {
    auto rank = [](const BoxRow& row) {
        if (row.listEntry) return row.id ? 2 : 1;
        if (!row.id) return 3;
        switch (row.id->kind) {
            case SauceBoxRowKind::done:
            case SauceBoxRowKind::edit:
            case SauceBoxRowKind::claim:
            case SauceBoxRowKind::cancel:
            case SauceBoxRowKind::comment: return 0;
            default: return 4;
        }
    };
    room = std::max(room, 0);
    for (int yielding = 1; yielding <= 4 && static_cast<int>(rows.size()) > room; ++yielding) {
        const bool fromStart = yielding == 1;
        while (static_cast<int>(rows.size()) > room) {
            auto matches = [&](const BoxRow& row) { return rank(row) == yielding; };
            if (fromStart) {
                auto row = std::find_if(rows.begin(), rows.end(), matches);
                if (row == rows.end()) break;
                rows.erase(row);
            } else {
                auto row = std::find_if(rows.rbegin(), rows.rend(), matches);
                if (row == rows.rend()) break;
                rows.erase(std::next(row).base());
            }
        }
    }
}

// A field row: its label, then the value, a placeholder when empty, or the text being typed.
BoxRow fieldRow(const AppState& state, std::string_view label, SauceBoxRowKind kind, const std::string& value,
                std::string_view placeholder, bool editable) {
    const SauceBoxRow id{kind};
    if (editable && typedSauceEntry(state) == sauceEntryFor(id))
        return {std::string(label) + " " + entryFieldText(state), id, entryFg, entryBg};
    const bool empty = trimmed(value).empty();
    return {std::string(label) + " " + (empty ? std::string(placeholder) : value), editable ? std::optional(id) : std::nullopt,
            empty ? disabled : toolName, boxBg};
}

std::vector<BoxRow> confirmRows(const AppState& state) {
    const SauceRecord* record = foreignRecord(state);
    const std::string credit = record ? creditOf(record->author, record->group) : sauceCreditText(state);
    return {
        {" put your name on this record?", std::nullopt, white},
        {"  " + credit, std::nullopt, creditFg},
        {" moves", std::nullopt},
        {" into its history.", std::nullopt},
        {"", std::nullopt},
        {"   yes, edit it", SauceBoxRow{SauceBoxRowKind::claim}, accent},
        {"   cancel", SauceBoxRow{SauceBoxRowKind::cancel}, accent},
    };
}

std::vector<BoxRow> recordRows(const AppState& state) {
    const bool editable = !state.sauceBoxReadOnly;
    const SauceRecord* record = foreignRecord(state);
    const std::string author = record ? record->author : state.sauceAuthor;
    auto ifEditable = [&](SauceBoxRowKind kind) { return editable ? std::optional(SauceBoxRow{kind}) : std::nullopt; };
    const std::string group = record ? record->group : state.sauceGroup;
    std::vector<BoxRow> rows{
        fieldRow(state, " title  ", SauceBoxRowKind::title, state.doc.sauce.sauceTitleField, "— tap to set —", editable),
        fieldRow(state, " artist ", SauceBoxRowKind::author, author, "— optional —", editable),
        fieldRow(state, " group  ", SauceBoxRowKind::group, group, "— optional —", editable),
        fieldRow(state, " font   ", SauceBoxRowKind::font, state.doc.sauce.sauceFontName, "— optional —", editable),
        {" spacing " + std::string(spacingText(state.doc.sauce.letterSpacing)), ifEditable(SauceBoxRowKind::spacing)},
        {" aspect  " + std::string(aspectText(state.doc.sauce.aspectRatio)), ifEditable(SauceBoxRowKind::aspect)},
    };
    if (const std::string credit = sauceCreditText(state); !credit.empty())
        rows.push_back({" " + credit, std::nullopt, creditFg});
    if (!state.doc.sauce.sauceHistory.empty()) {
        rows.push_back({" history", std::nullopt, disabled});
        for (const std::string& line : state.doc.sauce.sauceHistory) rows.push_back({"  ↳ " + line, std::nullopt, disabled, boxBg, true});
    }
    rows.push_back({" comments", std::nullopt, disabled});
    for (std::size_t i = 0; i < state.doc.sauce.sauceComments.size(); ++i) {
        const SauceBoxRow id{SauceBoxRowKind::comment, static_cast<int>(i)};
        if (editable && typedSauceEntry(state) == SauceEntry::comment(static_cast<int>(i)))
            rows.push_back({"   " + entryFieldText(state), id, entryFg, entryBg, true});
        else
            rows.push_back({"   " + state.doc.sauce.sauceComments[i], editable ? std::optional(id) : std::nullopt, toolName, boxBg, true});
    }
    if (editable) {
        // Adding is typing a line one past the last; the entry appends it.
        const SauceBoxRow addId{SauceBoxRowKind::comment, static_cast<int>(state.doc.sauce.sauceComments.size())};
        if (typedSauceEntry(state) == SauceEntry::comment(addId.line))
            rows.push_back({"   " + entryFieldText(state), addId, entryFg, entryBg});
        else if (state.doc.sauce.sauceComments.size() < maxCommentLines)
            rows.push_back({"   +", addId, accent});
    } else {
        rows.push_back({"   edit this record…", SauceBoxRow{SauceBoxRowKind::edit}, accent});
    }
    rows.push_back({"   done", SauceBoxRow{SauceBoxRowKind::done}, accent});
    return rows;
}

}  // namespace

void drawSauceBox(const AppState& state, Screen& screen, Layout& layout) {
    const bool readOnly = state.sauceBoxReadOnly && !state.sauceEditConfirm;
    const std::string title = readOnly ? " view sauce record " : " SAUCE record ";
    std::vector<BoxRow> rows = state.sauceEditConfirm ? confirmRows(state) : recordRows(state);
    dropRowsToFit(rows, roomBelowBar(layout) - 2);

    const Frame frame = centredOverCanvas(layout, sauceInnerWidth + 2, static_cast<int>(rows.size()) + 2);
    drawBox(screen, frame, title, boxBorder, boxBg);
    BoxRows box(screen, frame);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto span = box.fill(static_cast<int>(i), rows[i].text, rows[i].fg, rows[i].bg);
        if (span && rows[i].id) layout.sauceBoxSpans.push_back({*span, *rows[i].id});
    }
}

void drawSaveOptionsBox(const AppState& state, Screen& screen, Layout& layout) {
    constexpr int innerWidth = 32;
    const Frame frame = dropBelowButton(layout, BarAction::save, innerWidth + 2, 5 + 2);
    drawBox(screen, frame, " save options ", boxBorder, boxBg);
    BoxRows box(screen, frame);

    // The name field and, at its end, the control that saves under that name.
    const bool typingName = typedSauceEntry(state) == SauceEntry::of(SauceField::documentName);
    const std::string saveText = " save ";
    const int saveCol = std::max(box.innerWidth() - textWidth(saveText), 0);
    const std::string label = " name   ";
    const int fieldWidth = std::max(saveCol - textWidth(label), 0);
    std::string name = label + (typingName ? fitTail(entryFieldText(state), fieldWidth) : fitText(state.filename, fieldWidth));
    for (int w = textWidth(name); w < saveCol; ++w) name += ' ';
    box.fill(0, "", toolName, boxBg);
    if (auto span = box.put(0, 0, name, typingName ? entryFg : toolName, typingName ? entryBg : boxBg))
        layout.saveOptsSpans.push_back({*span, SaveOption::name});
    if (auto span = box.put(0, saveCol, saveText, accent, boxBg)) layout.saveOptsSpans.push_back({*span, SaveOption::save});

    // The SAUCE toggle shares its row with the control that opens the record itself.
    const std::string recordText = " " + std::string(sauceRowText(state)) + " ";
    const int recordCol = std::max(box.innerWidth() - textWidth(recordText), 0);
    box.fill(1, "", toolName, boxBg);
    std::string sauceToggle = fitText(toggleRow(state.doc.writeSauce, " sauce record"), recordCol);
    for (int w = textWidth(sauceToggle); w < recordCol; ++w) sauceToggle += ' ';
    if (auto span = box.put(1, 0, sauceToggle, state.doc.writeSauce ? accent : toolName, boxBg))
        layout.saveOptsSpans.push_back({*span, SaveOption::sauceOn});
    if (auto span = box.put(1, recordCol, recordText, creditFg, boxBg)) layout.saveOptsSpans.push_back({*span, SaveOption::sauceRecord});

    const struct {
        bool on;
        const char* label;
        SaveOption id;
    } companions[] = {
        {state.exportUTF8, " utf8 companion", SaveOption::utf8},
        {state.exportPNGOnSave, " png on save", SaveOption::png},
        {state.exportTXTOnSave, " txt companion", SaveOption::txt},
    };
    int row = 2;
    for (const auto& option : companions) {
        if (auto span = box.fill(row++, toggleRow(option.on, option.label), option.on ? accent : toolName, boxBg))
            layout.saveOptsSpans.push_back({*span, option.id});
    }
}

}  // namespace glyphloom::chrome
