// The browsing overlays: the font browser of the text tool (face list with preview, font file
// picking, URL entry, download notice, delete confirmation), the progress of a font archive
// being imported, the file browser used to open drawings, preset files and reference images,
// and the small preset file menu. Listing
// folders, importing and opening belong to the file workflow; these only show its state.
#include <algorithm>
#include <string>
#include <vector>

#include "core/fonts/font_store.hpp"
#include "core/text/utf8.hpp"
#include "tui/layout/overlay_box.hpp"
#include "tui/layout/parts.hpp"
#include "tui/layout/style.hpp"
#include "tui/state/overlay_table.hpp"
#include "tui/state/text_fonts.hpp"

namespace glyphloom::chrome {
namespace {

constexpr ANSIColorValue folderFg = creditFg;

constexpr int fontBoxInnerWidth = 58;
constexpr int fontListMaxRows = 10;
constexpr int fileBoxInnerWidth = 44;
constexpr int fileListMaxRows = 20;
constexpr int plainFace = -1;

// The faces after "Plain", in the order whose positions are the font indices of the text tool.
std::vector<const BlockFont*> browserFonts(const AppState& state) {
    std::vector<const BlockFont*> fonts;
    for (int i = 0; i < availableFontCount(state); ++i) fonts.push_back(availableFont(state, i));
    return fonts;
}

std::string padTo(std::string text, int width) {
    text = fitText(text, width, true);
    for (int w = textWidth(text); w < width; ++w) text += ' ';
    return text;
}


// --- Preview lettering ---

const std::vector<std::string>* glyphRows(const BlockFont& font, const std::string& character) {
    auto found = font.glyphs.find(character);
    if (found == font.glyphs.end() && character.size() == 1 && character[0] >= 'a' && character[0] <= 'z')
        found = font.glyphs.find(std::string(1, static_cast<char>(character[0] - 'a' + 'A')));
    return found == font.glyphs.end() ? nullptr : &found->second;
}

// One line of text lettered in a face: `height` rows of equal width, glyphs side by side with
// the face's spacing between them. A missing glyph leaves a gap as wide as a typical glyph.
std::vector<std::string> letterLine(const BlockFont& font, std::string_view text) {
    const int height = std::max(font.height, 1);
    int gapWidth = 5;
    if (!font.glyphs.empty() && !font.glyphs.begin()->second.empty())
        gapWidth = textWidth(font.glyphs.begin()->second.front());
    std::vector<std::string> rows(static_cast<std::size_t>(height));
    const auto characters = utf8::graphemeClusters(text);
    for (std::size_t k = 0; k < characters.size(); ++k) {
        const auto* glyph = glyphRows(font, characters[k]);
        int width = glyph ? 0 : gapWidth;
        if (glyph)
            for (const std::string& row : *glyph) width = std::max(width, textWidth(row));
        for (int r = 0; r < height; ++r) {
            std::string& out = rows[static_cast<std::size_t>(r)];
            if (k > 0) out += std::string(static_cast<std::size_t>(std::max(font.letterSpacing, 0)), ' ');
            const bool hasRow = glyph && r < static_cast<int>(glyph->size());
            out += padTo(hasRow ? (*glyph)[static_cast<std::size_t>(r)] : std::string(), width);
        }
    }
    return rows;
}

// Draws lettered rows into the box from inner row `top`, blanks left see-through, cut at the
// border and above `end`; returns the first row left free.
int drawLettering(Screen& screen, const BoxRows& box, const std::vector<std::string>& rows, int top, int end,
                  const ANSIColorValue& fg) {
    int row = top;
    for (const std::string& text : rows) {
        if (row >= end || !box.has(row)) break;
        const auto cells = utf8::graphemeClusters(text);
        for (int c = 0; c < static_cast<int>(cells.size()) && c < box.innerWidth(); ++c) {
            const std::string& glyph = cells[static_cast<std::size_t>(c)];
            if (glyph == " ") continue;
            screen.put({CellChar(glyph), fg, boxBg, false}, box.screenRow(row), box.innerLeft() + c);
        }
        ++row;
    }
    return row;
}

// --- Entries of a folder, shared by the file browser and the font file picker ---

struct ShownEntries {
    int first = 0;  // index of the first entry shown
    int count = 0;  // entries shown
};

ShownEntries drawEntries(const AppState& state, BoxRows& box, Layout& layout, int top, int rows) {
    const auto& entries = state.fileBrowserEntries;
    const int total = static_cast<int>(entries.size());
    rows = std::max(rows, 1);
    layout.browsePageSize = rows;
    const int first = std::clamp(state.browseScroll, 0, std::max(total - rows, 0));
    ShownEntries shown{first, 0};
    for (int i = 0; i < rows && first + i < total; ++i) {
        const std::string& entry = entries[static_cast<std::size_t>(first + i)];
        const bool highlighted = first + i == state.browseSel;
        const ANSIColorValue fg = highlighted ? white : isFolderEntry(entry) ? folderFg : toolName;
        if (auto span = box.fill(top + i, " " + entry, fg, highlighted ? currentToolBg : boxBg)) {
            layout.fileBrowserSpans.push_back({*span, entry});
            ++shown.count;
        }
    }
    return shown;
}

// The paging controls of a folder listing at the start of inner row `row`; returns the column
// after them.
int drawPaging(const AppState& state, BoxRows& box, Layout& layout, int row, const ShownEntries& shown) {
    const int total = static_cast<int>(state.fileBrowserEntries.size());
    layout.browseUpSpan = box.put(row, 0, " ▲ ", shown.first > 0 ? accent : disabled, boxBg);
    layout.browseDownSpan = box.put(row, 3, " ▼ ", shown.first + shown.count < total ? accent : disabled, boxBg);
    return 6;
}

// --- Font browser pages ---

struct FontBoxRows {
    int list = 1;     // face rows
    int preview = 1;  // preview rows
};

void drawFaceList(const AppState& state, Screen& screen, BoxRows& box, Layout& layout, FontBoxRows rows,
                  const std::vector<const BlockFont*>& fonts) {
    const int faceCount = static_cast<int>(fonts.size()) + 1;
    const int arrowCol = box.innerWidth() - 4;
    layout.fontListPage = rows.list;
    layout.fontListMaxScroll = std::max(faceCount - rows.list, 0);
    const int first = std::clamp(state.fontListScroll, 0, layout.fontListMaxScroll);

    for (int i = 0; i < rows.list && first + i < faceCount; ++i) {
        const int index = first + i - 1;  // the plain face comes first
        const std::string name = index == plainFace ? "Plain" : fonts[static_cast<std::size_t>(index)]->name;
        const bool current = index == plainFace ? !state.textFontIndex.has_value() : state.textFontIndex == index;
        const std::string text = padTo((current ? "▸ " : "  ") + name, arrowCol);
        if (auto span = box.put(i, 0, text, current ? accent : toolName, current ? currentToolBg : boxBg))
            layout.fontRowSpans.push_back({*span, index});
    }
    if (layout.fontListMaxScroll > 0) {
        layout.fontListUpSpan = box.put(0, arrowCol, " ▲", first > 0 ? accent : disabled, boxBg);
        layout.fontListDownSpan =
            box.put(rows.list - 1, arrowCol + 2, " ▼", first < layout.fontListMaxScroll ? accent : disabled, boxBg);
    }

    int row = rows.list;
    layout.fontImportSpan = box.put(row++, 0, "+ Import file…", accent, boxBg);
    layout.fontURLSpan = box.put(row++, 0, "+ Import URL…", accent, boxBg);
    layout.fontOKSpan = box.put(row, 1, "✓ OK", ANSIColorValue::ansi16(10), boxBg);
    layout.fontCancelSpan = box.put(row++, 8, "✕ Cancel", ANSIColorValue::ansi16(9), boxBg);
    ++row;

    // The preview follows the pointer over the face rows.
    const auto* hovered = hit(layout.fontRowSpans, state.mouse.x, state.mouse.y);
    const int previewEnd = row + rows.preview;
    if (!hovered) {
        box.put(row, 1, "hover a font to preview", disabled, boxBg);
    } else if (hovered->value == plainFace) {
        box.put(row, 1, "plain text · one cell per character", disabled, boxBg);
    } else {
        const BlockFont& font = *fonts[static_cast<std::size_t>(hovered->value)];
        int line = row;
        for (std::string_view sample : {"Glyphloom", "ABCabc", "0123 !?&"})
            line = drawLettering(screen, box, letterLine(font, sample), line, previewEnd, state.tools.fg) + 1;
    }
    box.put(previewEnd, 0, "click selects · OK keeps · right-click removes an import", disabled, boxBg);
}

void drawFontFiles(const AppState& state, BoxRows& box, Layout& layout) {
    layout.fontBackSpan = box.put(0, 0, "◂ back", accent, boxBg);
    box.put(1, 0, "in: " + fitTail(state.browseDir, box.innerWidth() - 4), disabled, boxBg);
    const int footer = box.innerRows() - 1;
    const ShownEntries shown = drawEntries(state, box, layout, 2, footer - 2);
    const int col = drawPaging(state, box, layout, footer, shown);
    const bool anyFile = std::any_of(state.fileBrowserEntries.begin(), state.fileBrowserEntries.end(),
                                     [](const std::string& entry) { return !isFolderEntry(entry); });
    const int total = static_cast<int>(state.fileBrowserEntries.size());
    if (!anyFile) {
        box.put(footer, col, "(no .tdf / .flf / .zip files in this folder)", disabled, boxBg);
    } else if (shown.count > 0) {
        box.put(footer, col,
                "  (" + std::to_string(shown.first + 1) + "–" + std::to_string(shown.first + shown.count) + " of " +
                    std::to_string(total) + ")",
                disabled, boxBg);
    }
}

void drawFontURLEntry(const AppState& state, BoxRows& box) {
    box.put(0, 1, "paste a font URL (Cmd-V / Ctrl-Shift-V), then Enter:", toolName, boxBg);
    box.fill(2, " " + fitTail(entryFieldText(state), box.innerWidth() - 2), entryFg, entryBg);
    box.put(4, 1, "Enter imports · Esc cancels", disabled, boxBg);
}

void drawFontDownload(const AppState& state, BoxRows& box) {
    const std::size_t kilobytes = (state.fontDownloadBytes + 1023) / 1024;
    box.put(0, 1, "fetching… " + std::to_string(kilobytes) + " KB so far", toolName, boxBg);
    box.put(2, 1, fitTail(state.pendingFontURL.value_or(""), box.innerWidth() - 2), disabled, boxBg);
    box.put(4, 1, "Esc cancels", disabled, boxBg);
}

// "Delete 4maxx.tdf: 4Max, 4Max Col Cyn ?" in rows of `width` columns, broken after a comma;
// when the rows run out, the last one ends "… ?". Deleting a face deletes its file, so every
// face that goes is named.
std::vector<std::string> fontDeletePrompt(const std::string& file, const std::vector<std::string>& faces, int width,
                                          int maxRows) {
    std::vector<std::string> rows{"Delete " + file + ":"};
    for (std::size_t i = 0; i < faces.size(); ++i) {
        const std::string piece = " " + faces[i] + (i + 1 < faces.size() ? "," : " ?");
        if (textWidth(rows.back() + piece) > width) rows.emplace_back(" ");
        rows.back() += piece;
    }
    if (faces.empty()) rows.back() += " ?";
    if (static_cast<int>(rows.size()) > maxRows && maxRows > 0) {
        rows.resize(static_cast<std::size_t>(maxRows));
        std::string& last = rows.back();
        last = fitText(last, width - 4) + " … ?";
    }
    return rows;
}

void drawFontDeleteConfirm(const AppState& state, BoxRows& box, Layout& layout,
                           const std::vector<const BlockFont*>& fonts) {
    const int index = *state.fontDeletePending;
    int row = 0;
    if (index >= 0 && index < static_cast<int>(fonts.size())) {
        const BlockFont& font = *fonts[static_cast<std::size_t>(index)];
        std::vector<std::string> names;
        for (const BlockFont* face : facesOfFontFile(font, state.importedFonts)) names.push_back(face->name);
        const std::string file = fontFileStem(font) + (font.isTDF ? ".tdf" : ".flf");
        // Two rows stay for a gap and the buttons.
        for (const std::string& line : fontDeletePrompt(file, names, box.innerWidth() - 2, box.innerRows() - 2))
            box.put(row++, 1, line, white, boxBg);
    }
    ++row;
    layout.fontDeleteYesSpan = box.put(row, 1, " Yes, delete ", white, ANSIColorValue::ansi16(1));
    layout.fontDeleteNoSpan = box.put(row, 16, " Cancel ", white, currentToolBg);
}

}  // namespace

void drawFontBrowser(const AppState& state, Screen& screen, Layout& layout) {
    const auto fonts = browserFonts(state);
    const int faceCount = static_cast<int>(fonts.size()) + 1;
    int tallest = 1;
    for (const BlockFont* font : fonts) tallest = std::max(tallest, font->height);

    // The size depends only on the fonts, never on the pointer, so the rows stay put while
    // the preview follows it. Import rows, buttons, a blank and the footer take five rows.
    constexpr int fixedRows = 5;
    const int room = std::max(roomBelowBar(layout) - 2, 0);
    FontBoxRows rows;
    rows.list = std::clamp(std::min(faceCount, fontListMaxRows), 1, std::max(room - fixedRows - 1, 1));
    rows.preview = std::clamp(room - fixedRows - rows.list, 1, 3 * tallest + 2);
    const Frame frame = centredOverCanvas(layout, fontBoxInnerWidth + 2, rows.list + fixedRows + rows.preview + 2);
    layout.fontBrowserFrame = recordedFrame(frame);

    const bool typingURL = promptIs(state.prompt, PromptKind::fontPath);
    std::string title = " Fonts";
    if (state.pendingFontURL) title = " Downloading font…";
    else if (typingURL) title = " Import font · paste a URL";
    else if (state.fontFileListing) title = " Import font · pick a file";
    drawBox(screen, frame, title, boxBorder, boxBg);
    BoxRows box(screen, frame);

    if (state.pendingFontURL) drawFontDownload(state, box);
    else if (typingURL) drawFontURLEntry(state, box);
    else if (state.fontFileListing) drawFontFiles(state, box, layout);
    else if (state.fontDeletePending) drawFontDeleteConfirm(state, box, layout, fonts);
    else drawFaceList(state, screen, box, layout, rows, fonts);
}

void drawFontImportProgress(const AppState& state, Screen& screen, Layout& layout) {
    if (!state.fontImportProgress) return;
    const FontImportProgress& progress = *state.fontImportProgress;
    constexpr int innerWidth = 40;
    const Frame frame = centredOverCanvas(layout, innerWidth + 2, 3 + 2);
    drawBox(screen, frame, " Importing fonts…", boxBorder, boxBg);
    BoxRows box(screen, frame);
    box.put(0, 1, fitTail(progress.name, box.innerWidth() - 2), toolName, boxBg);
    const int total = std::max(progress.total, 1);
    const int done = std::clamp(progress.done, 0, total);
    box.put(1, 1, std::to_string(done) + " of " + std::to_string(total) + (total == 1 ? " font file" : " font files"),
            white, boxBg);
    const int barWidth = std::max(box.innerWidth() - 2, 0);
    const int filled = barWidth * done / total;
    std::string bar;
    for (int i = 0; i < barWidth; ++i) bar += i < filled ? "█" : "░";
    box.put(2, 1, bar, accent, boxBg);
}

void drawFileBrowser(const AppState& state, Screen& screen, Layout& layout) {
    // Font files are picked inside the font browser, which shows this same listing.
    if (listingFontFiles(state)) return;

    std::string title = " Open drawing ";
    if (state.browseFor == BrowseFor::presets) title = " Load presets ";
    else if (state.browseFor == BrowseFor::image) title = " Reference image ";

    const int total = static_cast<int>(state.fileBrowserEntries.size());
    const int room = std::max(roomBelowBar(layout) - 2, 0);
    // The type row and the paging row around the page of entries.
    const int page = std::clamp(std::min(std::max(total, 1), fileListMaxRows), 1, std::max(room - 2, 1));
    const Frame frame = centredOverCanvas(layout, fileBoxInnerWidth + 2, page + 2 + 2);
    drawBox(screen, frame, title, boxBorder, boxBg);
    BoxRows box(screen, frame);

    layout.fileBrowserTypeSpan = box.fill(0, "+ type a name…", accent, boxBg);
    const int pageRows = std::min(page, std::max(box.innerRows() - 2, 1));
    ShownEntries shown;
    if (total == 0) {
        layout.browsePageSize = pageRows;
        box.put(1, 1, "(no files here)", disabled, boxBg);
    } else {
        shown = drawEntries(state, box, layout, 1, pageRows);
    }
    const int footer = 1 + pageRows;
    const int col = drawPaging(state, box, layout, footer, shown);
    if (shown.count > 0)
        box.put(footer, col + 1,
                std::to_string(shown.first + 1) + "–" + std::to_string(shown.first + shown.count) + "/" +
                    std::to_string(total),
                disabled, boxBg);
}

void drawPresetFileMenu(const AppState&, Screen& screen, Layout& layout) {
    constexpr int width = 8;
    constexpr int height = 4;
    // Just above the preset row, ending under the load control that opens it.
    const int anchorRow = layout.bottomRowsTop();
    const int left = layout.presetLoadSpan ? layout.presetLoadSpan->colEnd - width + 1 : layout.termCols - width;
    const Frame frame = fitOnScreen(layout, {anchorRow - height, left, width, height});
    drawBox(screen, frame, "", boxBorder, boxBg);
    BoxRows box(screen, frame);
    if (auto span = box.fill(0, " Save", accent, boxBg)) layout.presetFileMenuSpans.push_back({*span, true});
    if (auto span = box.fill(1, " Load", accent, boxBg)) layout.presetFileMenuSpans.push_back({*span, false});
}

}  // namespace glyphloom::chrome
