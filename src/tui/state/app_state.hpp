// The editor state: the document and everything the interface remembers between frames, the
// status line with its history, and snapshot undo/redo. One instance lives for the whole
// session, owned by the main loop and passed by reference. Fields whose behaviour belongs to
// a tool or panel are declared here with their initial values; the behaviour lives with them.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/fonts/block_font.hpp"
#include "core/model/cell_grid.hpp"
#include "core/model/composite_cache.hpp"
#include "core/color/color_depth.hpp"
#include "core/format/document.hpp"
#include "core/format/drawing_file.hpp"
#include "core/model/layer.hpp"
#include "core/format/preset.hpp"
#include "core/format/sauce_record.hpp"
#include "core/io/file_ownership.hpp"
#include "core/draw/shapes.hpp"
#include "core/draw/smart_pen.hpp"
#include "core/model/tool_options.hpp"
#include "core/draw/cycle.hpp"
#include "tui/state/control_ids.hpp"
#include "tui/state/overlay.hpp"
#include "tui/state/prompt.hpp"
#include "tui/state/stroke.hpp"
#include "tui/state/tool_settings_value.hpp"

namespace glyphloom {

class FontDownload;  // tui/actions/font_download

// A position on screen in the terminal's own terms.
struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(ScreenPoint, ScreenPoint) = default;
};

// A screen cell addressed as (row, col); row is y and col is x.
struct ScreenCell {
    int row = 0;
    int col = 0;
    friend bool operator==(ScreenCell, ScreenCell) = default;
};

// Document rectangle between two corners (inclusive, either order).
struct CellRect {
    int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    friend bool operator==(CellRect, CellRect) = default;
};

enum class CharTarget { pen, fill };

// One block-font stamp, kept so the text tool can take it back.
struct TextStamp {
    int top = 0, left = 0, width = 0, height = 0;
    int cursorRow = 0, cursorCol = 0;
    CellGrid saved;
    friend bool operator==(const TextStamp&, const TextStamp&) = default;
};

// One typed character, kept so backspace can take it back.
// How far the import of an archive of fonts has come, shown while the main loop waits on it.
struct FontImportProgress {
    std::string name;  // the archive
    int done = 0;      // members handled
    int total = 0;     // font members in it
    friend bool operator==(const FontImportProgress&, const FontImportProgress&) = default;
};

struct PlainStamp {
    int row = 0, col = 0;
    ANSICell previous;
    int cursorRow = 0, cursorCol = 0;
    friend bool operator==(const PlainStamp&, const PlainStamp&) = default;
};

struct PanDrag {
    ScreenPoint mouse;
    GridKey offset;
    friend bool operator==(PanDrag, PanDrag) = default;
};

struct LayerShiftDrag {
    GridKey anchor;
    GridKey off;
    friend bool operator==(LayerShiftDrag, LayerShiftDrag) = default;
};

struct PaletteSliderDrag {
    PaletteChannel channel = PaletteChannel::tcR;
    int col0 = 0;
    int width = 0;
    friend bool operator==(const PaletteSliderDrag&, const PaletteSliderDrag&) = default;
};

// A 24-bit colour being composed in the palette; l is the lightness slider.
struct TrueColorDraft {
    int r = 255, g = 255, b = 255, l = 0;
    friend bool operator==(TrueColorDraft, TrueColorDraft) = default;
};

// What one undo step brings back: the layers (whose top one gives the document's size) and
// the SAUCE state that travels with them. Layers share their rows with the live document (see
// CellGrid), so a snapshot is cheap and holds only the rows that have changed since.
struct UndoSnapshot {
    std::vector<Layer> layers;
    SauceFields sauce;
    bool writeSauce = false;

    friend bool operator==(const UndoSnapshot&, const UndoSnapshot&) = default;
};

// The one-line status message. Assigning a new text also records it in the history (the last
// 100 messages); assigning the current text again or clearing the note records nothing.
// Every assignment of a text counts as news for the status line (`serial`), even a repeat.
class StatusLine {
public:
    static constexpr std::size_t historyLimit = 100;

    StatusLine& operator=(std::optional<std::string> note);
    StatusLine& operator=(const char* note) { return *this = note ? std::optional<std::string>(note) : std::nullopt; }

    const std::optional<std::string>& value() const { return note_; }
    bool has_value() const { return note_.has_value(); }
    explicit operator bool() const { return note_.has_value(); }
    const std::string& operator*() const { return *note_; }
    std::string value_or(std::string fallback) const { return note_ ? *note_ : std::move(fallback); }

    // Oldest first.
    const std::vector<std::string>& history() const { return history_; }
    // How many texts have been assigned so far.
    std::uint64_t serial() const { return serial_; }

private:
    std::optional<std::string> note_;
    std::uint64_t serial_ = 0;
    std::vector<std::string> history_;
};

class AppState;

// The sidebar's tool preview: the live sample of the current tool, the try-out strokes drawn
// in it and the sample of a hovered preset. Each is drawn on a throw-away editor state whose
// document is a strip of stripCols × previewStripRows cells, never on the real document.
struct ToolPreviewState {
    // The strip's width: the inside of the sidebar's preview box, as the last frame had it.
    int stripCols = 7;
    std::optional<std::string> toolPreviewKey;
    CellGrid toolPreviewCells;
    std::optional<CellGrid> previewScratchDoc;
    std::optional<GridKey> previewStrokeStart;
    bool previewStroking = false;
    // The throw-away editor state of the try-out stroke in progress: where the stroke is, its
    // cycles, and (for shapes) the strip as it was at the press. Set from press to release.
    std::shared_ptr<AppState> previewScratchState;
    std::optional<int> presetHoverIndex;
    std::optional<CellGrid> presetHoverCells;
};

class AppState {
public:
    // The size of a new canvas, a session setting rather than any document's: the one the
    // session started with (--size, else 160 × 50).
    static inline int defaultDocRows = 50;
    static inline int defaultDocCols = 160;

    // Undo steps kept for a canvas of `cellCount` cells: 50 up to 400 000 cells, then as many
    // as fit in about 20 million cells, never fewer than 4.
    static int undoDepthLimit(std::int64_t cellCount);

    // A state whose document is a blank canvas of the default size.
    AppState();
    // A state editing `document`: no blank canvas of the default size is made first.
    explicit AppState(Document document);

    // The document being edited.
    Document doc;

    // --- Tool settings, and where the pen's cycles stand ---
    ToolSettings tools;
    // Moved on by every stamp of the pen; a stroke starts them afresh only where the
    // settings ask it to, so they are no part of the stroke.
    CyclePositions cycles;

    // --- Pointer, keyboard pointer, strokes and selection ---
    std::optional<ScreenCell> kbCursor;
    std::optional<ScreenCell> pendingClick;  // executed by the main loop
    std::optional<CellRect> selection;
    std::optional<CellGrid> clipboard;
    bool pasteFloat = false;
    ScreenPoint mouse{-1, -1};
    GridKey cursor;  // text / keyboard cursor in the document
    bool cursorVisible = false;
    GridKey viewOffset;
    int sidebarScroll = 0;  // first sidebar row shown when the tools and options do not all fit
    std::optional<PanDrag> panDrag;
    std::optional<LayerShiftDrag> layerShiftDrag;
    Stroke stroke;  // from press to release

    // --- Text tool and fonts ---
    std::optional<int> textFontIndex;
    std::vector<BlockFont> importedFonts;
    int textOriginCol = 0;
    int textOriginRow = 0;
    std::vector<TextStamp> textStampHistory;
    std::vector<PlainStamp> plainStampHistory;

    // --- Panels, pickers and browsers ---
    // The box or panel open over the editor, with the state each keeps while it is open
    // (opened and closed through the overlay table, which clears that state).
    std::optional<Overlay> overlay;
    // The current tool's options in a floating panel (the sidebar itself on a small terminal);
    // the boxes opened from it, such as the character picker for a fill, lie over it.
    bool toolPanelOpen = false;
    CharTarget charPickerTarget = CharTarget::pen;
    int charsetIndex = 0;
    int fkeyBankIndex = 0;
    bool charsetMenuOpen = false;  // over the character picker
    bool fontFileListing = false;  // the font browser lists font files to import
    int fontListScroll = 0;
    std::optional<std::optional<int>> fontBrowserPrev;
    std::optional<int> fontDeletePending;
    std::optional<std::string> imageImportPath;  // the picture the image-import box converts
    BrowseFor browseFor = BrowseFor::documents;
    int browseScroll = 0;
    int browseSel = 0;
    std::vector<std::string> fileBrowserEntries;
    std::string browseDir;  // starts at launchDir()
    std::string aboutInput;
    std::vector<std::string> aboutHistory;
    std::optional<TimeStamp> historyOpenedAt;
    bool paletteTargetFg = true;
    TrueColorDraft tcDraft;
    std::optional<PaletteSliderDrag> paletteSliderDrag;

    // --- Text entry ---
    std::optional<Prompt> prompt;  // the field being typed in, if any
    std::string pendingKeyBytes;  // a UTF-8 character still arriving byte by byte
    std::optional<std::string> pendingFontURL;  // run by the main loop after the frame; kept while it downloads
    std::shared_ptr<FontDownload> fontDownload;  // the download under way, if any
    std::size_t fontDownloadBytes = 0;           // what it has received so far
    std::optional<std::string> pendingFontFile;  // a picked or typed font file, likewise
    std::optional<FontImportProgress> fontImportProgress;  // set only while an archive is imported

    // --- Confirmations, resize effect and lifecycle ---
    bool quitArmed = false;
    bool clearArmed = false;
    std::optional<int> presetDeleteArmed;
    bool resizeStatic = false;
    int resizeStep = 0;
    // Far enough back that any resize counts as a new streak, yet safe to subtract from now.
    TimeStamp lastResizeAt = TimeStamp(TimeStamp::duration::min() / 2);
    int resizeThreshold = 2;
    bool shouldQuit = false;

    // --- Document, SAUCE and saving ---
    std::vector<UndoSnapshot> undoStack;
    std::vector<UndoSnapshot> redoStack;
    bool dirty = false;
    std::string filename = "Untitled";
    std::optional<std::string> ownedPath;
    std::optional<std::string> docDir;
    // The files of this document's set that it owns (the main file and its companions), as
    // it last wrote or read them: a save replaces no other file.
    std::vector<OwnedFile> ownedFiles;
    // Owned files someone changed on disk, as they stood when the user was told: a save
    // repeated while they still stand so overwrites them.
    std::vector<OwnedFile> overwriteArmed;
    std::string sauceAuthor;
    std::string sauceGroup;
    bool sauceBoxOpen = false;
    bool sauceBoxReadOnly = false;
    bool sauceEditConfirm = false;
    bool viewOnly = false;  // signed art opened read-only
    bool sauceEditArmed = false;
    bool exportUTF8 = true;
    bool exportPNGOnSave = false;
    bool exportTXTOnSave = false;
    int activeLayerIndex = 0;
    bool shiftingLayer = false;
    bool saveAsGlyphloom = false;

    // --- Status line ---
    StatusLine statusNote;
    const std::vector<std::string>& statusHistory() const { return statusNote.history(); }
    // The note takes the status line's hints for a few seconds after it is set; the main
    // loop keeps these (see showNotesOnStatusLine).
    bool noteOnStatusLine = false;
    std::uint64_t noteSerialSeen = 0;
    std::optional<TimeStamp> noteShownAt;

    // --- Presets and previews ---
    std::optional<int> selectedPreset;
    PresetBank presets;
    std::optional<PresetBank> preResetPresets;  // bank saved by a reset, for its undo
    bool presetCycle = false;
    bool presetRandom = false;
    int presetCycleIndex = 0;
    std::set<int> presetPool;
    ToolPreviewState preview;

    // The directory the editor started in (the current directory, or HOME when that is "/").
    const std::string& launchDir() const { return launchDir_; }

    // Every editing operation calls this before it changes the document.
    void snapshotForUndo();
    void undo();
    void redo();
    // A new size for every layer, keeping the overlapping top-left part; undoable.
    void resizeCanvas(int cols, int rows);

    // The document as shown: all visible layers flattened to the canvas size.
    CellGrid composited() const { return doc.composited(); }
    // The composited rows the canvas showed last frame, reused while their layers' rows are
    // unchanged. A cache only: it never changes what the state means.
    mutable CompositeCache canvasRows;
    // Arrows then move the keyboard pointer instead of the document cursor, and closing the
    // overlay repaints the whole screen.
    bool anyOverlayOpen() const { return overlay.has_value() || toolPanelOpen; }

private:
    UndoSnapshot currentSnapshot() const;
    void restore(UndoSnapshot snapshot);

    std::string launchDir_;
};

// The start directory for a process whose current directory is `cwd`: `cwd` itself, unless it
// is empty or "/", in which case `home` (when set).
std::string startDirectory(const std::string& cwd, const char* home);

// In `fileBrowserEntries`, "~", ".." and "name/" lead to folders; every other entry is a file.
inline bool isFolderEntry(const std::string& entry) { return entry == "~" || entry == ".." || entry.ends_with('/'); }

// The note that arms quitting (`quitArmed`); the status line keeps it for as long as quit is armed.
inline constexpr const char* quitWarning = "unsaved changes — Ctrl-C again to quit";

}  // namespace glyphloom
