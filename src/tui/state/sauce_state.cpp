#include "tui/state/sauce_state.hpp"

#include <algorithm>

#include "core/text/utf8.hpp"
#include "tui/state/identity.hpp"

namespace glyphloom {
namespace {

constexpr std::size_t entryCharacterLimit = 64;
constexpr std::size_t maxCommentLines = 255;

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The user's own credit, in the same "author of group" shape as a record's.
std::string ownCredit(const AppState& state) {
    SauceRecord own;
    own.author = state.sauceAuthor;
    own.group = state.sauceGroup;
    return own.creditLine();
}

bool hasCreditedSource(const AppState& state) { return state.doc.sauce.sourceSauce && state.doc.sauce.sourceSauce->hasCredit(); }

void commitComment(int line, const std::string& text, AppState& state) {
    auto& lines = state.doc.sauce.sauceComments;
    const auto index = static_cast<std::size_t>(line);
    if (line >= 0 && index < lines.size()) {
        if (text.empty())
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index));
        else
            lines[index] = text;
    } else if (!text.empty() && lines.size() < maxCommentLines) {
        lines.push_back(text);
    }
}

}  // namespace

void adoptSauce(AppState& state, const std::optional<SauceRecord>& record, const CellGrid& cells) {
    adoptSauce(state, state.doc, record, cells);
}

void adoptSauce(AppState& state, Document& into, const std::optional<SauceRecord>& record, const CellGrid& cells) {
    into.sauce.sourceSauce = record;
    state.sauceEditArmed = false;
    if (!record) {
        state.viewOnly = false;
        into.sauce.sauceTitleField.clear();
        into.sauce.sauceHistory.clear();
        into.sauce.sauceComments.clear();
        into.sauce.letterSpacing = LetterSpacing::noPreference;
        into.sauce.aspectRatio = AspectRatio::noPreference;
        into.sauce.sauceFontName = defaultSauceFont;
        into.blinkingText = false;
        return;
    }
    const bool authored = record->carriesAuthorship();
    if (authored) into.writeSauce = true;
    state.viewOnly = authored;
    into.sauce.sauceTitleField = record->title;
    into.sauce.sauceHistory = record->historyLines();
    into.sauce.sauceComments = record->noteLines();
    into.sauce.letterSpacing = record->letterSpacing();
    into.sauce.aspectRatio = record->aspectRatio();
    into.sauce.sauceFontName = record->fontName.empty() ? std::string(defaultSauceFont) : record->fontName;

    // Blinking text only when the art actually blinks; a cleared flag alone keeps the bright
    // backgrounds, which look the same for art that never sets SGR 5.
    bool anyBlink = false;
    for (int r = 0; r < cells.rowCount() && !anyBlink; ++r)
        anyBlink = std::any_of(cells.row(r).begin(), cells.row(r).end(), [](const ANSICell& c) { return c.blink; });
    into.blinkingText = !record->iceColors() && anyBlink;

    if (record->hasCredit()) state.statusNote = "credited to " + record->creditLine() + " — kept on export";
}

SauceRecord exportSauce(const AppState& state, std::string_view title) {
    // Only a record that credits someone displaces the user's own credit.
    const SauceRecord* base = hasCreditedSource(state) ? &*state.doc.sauce.sourceSauce : nullptr;
    SauceRecord out;
    if (!state.doc.sauce.sauceTitleField.empty())
        out.title = state.doc.sauce.sauceTitleField;
    else if (base == nullptr)
        out.title = title;
    if (base != nullptr) {
        out.author = base->author;
        out.group = base->group;
        out.date = base->date;
    } else {
        out.author = state.sauceAuthor;
        out.group = state.sauceGroup;
    }
    out.flags = state.doc.sauce.sourceSauce ? sauceHintFlags(state.doc.sauce.sourceSauce->letterSpacing(), state.doc.sauce.sourceSauce->aspectRatio())
                                  : sauceHintFlags(LetterSpacing::eightPixel, AspectRatio::square);
    if (state.doc.sauce.sourceSauce && state.doc.sauce.sourceSauce->fontName.empty() && state.doc.sauce.sauceFontName == defaultSauceFont)
        out.fontName.clear();
    else
        out.fontName = state.doc.sauce.sauceFontName.empty() ? std::string(defaultSauceFont) : state.doc.sauce.sauceFontName;
    out.comments = state.doc.sauce.sauceHistory;
    out.comments.insert(out.comments.end(), state.doc.sauce.sauceComments.begin(), state.doc.sauce.sauceComments.end());
    return out;
}

void claimSauceAuthorship(AppState& state) {
    if (!hasCreditedSource(state)) return;
    const SauceRecord source = *state.doc.sauce.sourceSauce;
    state.viewOnly = false;
    for (const std::string& line : source.historyLines())
        if (!contains(state.doc.sauce.sauceHistory, line)) state.doc.sauce.sauceHistory.push_back(line);
    const std::string provenance = SauceRecord::historyLine(source);
    if (!contains(state.doc.sauce.sauceHistory, provenance)) state.doc.sauce.sauceHistory.push_back(provenance);
    state.doc.sauce.sourceSauce.reset();
    state.statusNote = "record is yours — " + source.creditLine() + " kept in its history";
}

SauceRecordState sauceRecordState(const AppState& state) {
    if (hasCreditedSource(state)) return SauceRecordState::foreign;
    if (!state.sauceAuthor.empty() || !state.sauceGroup.empty() || !state.doc.sauce.sauceTitleField.empty() ||
        !state.doc.sauce.sauceComments.empty() || !state.doc.sauce.sauceHistory.empty() ||
        state.doc.sauce.letterSpacing != LetterSpacing::noPreference || state.doc.sauce.aspectRatio != AspectRatio::noPreference)
        return SauceRecordState::yours;
    return SauceRecordState::none;
}

std::string_view sauceRowLabel(const AppState& state) {
    switch (sauceRecordState(state)) {
        case SauceRecordState::none:
            return "create";
        case SauceRecordState::yours:
            return "edit";
        case SauceRecordState::foreign:
            return "view";
    }
    return "create";
}

std::optional<std::string> sauceCreditLabel(const AppState& state) {
    if (!state.doc.writeSauce) return std::nullopt;
    if (!state.doc.sauce.sourceSauce && !state.ownedPath) return std::nullopt;
    std::string title;
    std::string credit;
    if (hasCreditedSource(state)) {
        title = trimmedWhitespace(state.doc.sauce.sourceSauce->title);
        credit = state.doc.sauce.sourceSauce->creditLine();
    } else {
        title = trimmedWhitespace(state.doc.sauce.sauceTitleField);
        credit = ownCredit(state);
    }
    if (title.empty() && credit.empty()) return std::nullopt;
    if (title.empty()) return credit;
    if (credit.empty()) return title;
    return title + " · " + credit;
}

std::string sanitizedDocumentName(std::string_view text) {
    std::string kept;
    for (std::size_t i = 0; i < text.size();) {
        const utf8::Decoded d = utf8::decodeAt(text, i);
        const char32_t c = d.scalar;
        const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
        const bool forbidden = c == U'/' || c == U':' || c == U'\\' || c == U',' || c == U'*' || c == U'?' ||
                               c == U'"' || c == U'<' || c == U'>' || c == U'|';
        if (!control && !forbidden) kept.append(text.substr(i, static_cast<std::size_t>(d.length)));
        i += static_cast<std::size_t>(d.length);
    }
    return trimmedWhitespace(kept);
}

void commitSauceEntry(SauceEntry entry, const std::string& typed, AppState& state) {
    const std::string text = trimmedWhitespace(prefixCharacters(typed, entryCharacterLimit));
    switch (entry.field) {
        case SauceField::author:
        case SauceField::group:
            (entry.field == SauceField::author ? state.sauceAuthor : state.sauceGroup) = text;
            // The identity outlives the session; say so when it could not be kept.
            if (const std::string failure = persistSauceIdentity(state); !failure.empty())
                state.statusNote = "identity not saved: " + failure;
            return;
        case SauceField::title: state.doc.sauce.sauceTitleField = text; return;
        case SauceField::font: state.doc.sauce.sauceFontName = text; return;
        case SauceField::comment: commitComment(entry.line, text, state); return;
        case SauceField::documentName:
            // A name with nothing left would save as a hidden ".ans"; keep the old name instead.
            if (std::string name = sanitizedDocumentName(text); !name.empty()) state.filename = std::move(name);
            return;
    }
}

void closeSauceBox(AppState& state) {
    state.sauceBoxOpen = false;
    state.sauceBoxReadOnly = false;
    state.sauceEditConfirm = false;
}

}  // namespace glyphloom
