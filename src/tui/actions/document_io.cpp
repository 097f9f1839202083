#include "tui/actions/document_io.hpp"

#include <optional>
#include <vector>

#include "core/color/color_depth.hpp"
#include "core/format/ans_export.hpp"
#include "core/format/ans_import.hpp"
#include "core/format/drawing_file.hpp"
#include "core/format/preset_bank.hpp"
#include "core/io/file_io.hpp"
#include "core/render/image_export.hpp"
#include "core/text/utf8.hpp"
#include "tui/actions/recovery.hpp"
#include "tui/state/sauce_state.hpp"

namespace glyphloom {
namespace {

// Larger than any document the editor can hold (1000 × 4000 cells in seven layers as .ans,
// or a generous layered file), small enough that a stray huge file is refused up front.
constexpr std::size_t maxDocumentBytes = 512u << 20;
// How many numbered names a save or export tries before giving up.
constexpr int maxNumberedNames = 100'000;

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string lastComponent(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// "art.utf8.ans" → "art": the part before the first dot.
std::string documentNameOf(const std::string& path) {
    std::string name = lastComponent(path);
    name = name.substr(0, name.find('.'));
    return name.empty() ? "Untitled" : name;
}

std::string resolvedPath(std::string name, const AppState& state) {
    if (name.find('.') == std::string::npos) name += ".ans";
    if (name == "~" || name.rfind("~/", 0) == 0) return homeDirectory() + name.substr(1);
    if (name.front() == '/') return name;
    return state.browseDir + "/" + name;
}

std::string joined(const std::vector<std::string>& pieces) {
    std::string out;
    for (const auto& piece : pieces) out += piece;
    return out;
}

struct SaveSet {
    std::string main;
    std::vector<std::string> companions;
};

SaveSet saveSetFor(const std::string& base, const std::string& extension, const AppState& state) {
    SaveSet set{base + "." + extension, {}};
    if (extension == "glyphloom") set.companions.push_back(base + ".ans");
    if (state.exportUTF8) set.companions.push_back(base + ".utf8.ans");
    if (state.exportPNGOnSave) set.companions.push_back(base + ".png");
    if (state.exportTXTOnSave) set.companions.push_back(base + ".txt");
    return set;
}

bool anyExists(const SaveSet& set) {
    if (fileExists(set.main)) return true;
    for (const auto& path : set.companions)
        if (fileExists(path)) return true;
    return false;
}

// The first base name under which this save clobbers nothing it does not own.
std::optional<std::string> ownedBase(const std::string& folder, const std::string& extension, const AppState& state) {
    const std::string plain = folder + "/" + state.filename;
    const SaveSet first = saveSetFor(plain, extension, state);
    if (first.main == state.ownedPath || !anyExists(first)) return plain;
    for (int n = 1; n <= maxNumberedNames; ++n) {
        const std::string base = plain + "-" + std::to_string(n);
        const SaveSet set = saveSetFor(base, extension, state);
        if (set.main == state.ownedPath || !anyExists(set)) return base;
    }
    return std::nullopt;
}

std::vector<std::uint8_t> classicFileData(const CellGrid& flat, const AppState& state) {
    const std::optional<SauceRecord> record =
        state.writeSauce ? std::optional<SauceRecord>(exportSauce(state, state.filename)) : std::nullopt;
    return exportANSFileData(flat, state.filename, state.sauceAuthor, state.sauceGroup, record, state.writeSauce,
                             !state.blinkingText, state.colorDepth == ColorDepth::mono);
}

std::vector<std::uint8_t> bytesOf(std::string_view text) { return {text.begin(), text.end()}; }

// "<stem>.png", else "<stem>-1.png", "<stem>-2.png", … in `folder`.
std::optional<std::string> freePictureName(const std::string& folder, const std::string& stem) {
    if (!fileExists(folder + "/" + stem + ".png")) return stem;
    for (int n = 1; n <= maxNumberedNames; ++n) {
        const std::string name = stem + "-" + std::to_string(n);
        if (!fileExists(folder + "/" + name + ".png")) return name;
    }
    return std::nullopt;
}

void exportPicture(AppState& state, const std::string& stem, const std::optional<std::vector<std::uint8_t>>& data,
                   const char* failure) {
    const std::string folder = currentDirectory();
    const auto name = freePictureName(folder, stem);
    if (folder.empty() || !name || !data || data->empty() ||
        !writeFileAtomically(folder + "/" + *name + ".png", *data).empty()) {
        state.statusNote = failure;
        return;
    }
    state.statusNote = "exported " + *name + ".png (" + std::to_string(data->size() / 1024) + "k)";
}

}  // namespace

void applyDrawingFile(const DrawingFile& file, AppState& state) {
    state.layers = file.resolveLayers();
    state.activeLayerIndex = 0;
    AppState::docRows = file.safeRows();
    AppState::docCols = file.safeColumns();
    state.colorDepth = decodeColorDepth(file.colorDepth.value_or("c16"));
    state.blinkingText = file.blinkingText();
    state.monoTint = decodeMonoTint(file.monoTint.value_or(""));
    state.sourceSauce = file.sourceSauce;
    state.sauceTitleField = file.sauceTitle.value_or("");
    state.sauceComments = file.sauceComments.value_or(std::vector<std::string>{});
    state.sauceHistory = file.sauceHistory.value_or(std::vector<std::string>{});
    const int spacing = file.letterSpacing.value_or(0), ratio = file.aspectRatio.value_or(0);
    state.letterSpacing = spacing >= 0 && spacing <= 2 ? static_cast<LetterSpacing>(spacing) : LetterSpacing::noPreference;
    state.aspectRatio = ratio >= 0 && ratio <= 2 ? static_cast<AspectRatio>(ratio) : AspectRatio::noPreference;
    state.sauceFontName = file.sauceFontName.value_or(std::string(defaultSauceFont));
    state.viewOnly = false;
    if (file.charCycleSequence) {
        // Whole clusters, so a character made of several scalars comes back as one.
        state.charCyclePool = utf8::graphemeClusters(*file.charCycleSequence);
        state.charCycleIndex = 0;
        state.charCycleCount = 0;
    }
    if (file.presets) {
        // The document's bank replaces the session's; the user's own stays one click of the
        // reset control away (also after a second such document), and is not overwritten on
        // disk by merely opening a file.
        if (!state.preResetPresets) state.preResetPresets = std::move(state.presets);
        state.presets = padBank(*file.presets);
        state.selectedPreset.reset();
        state.presetHoverIndex.reset();
        state.presetHoverCells.reset();
        state.presetPool.clear();
    }
    // Kept for the keys a save writes back; the cells live in the layers, not twice.
    state.carriedDrawingFile = file;
    state.carriedDrawingFile->layers.reset();
    state.carriedDrawingFile->cells.reset();
    state.saveAsGlyphloom = true;
}

FileWriter atomicFileWriter() {
    return [](const std::string& path, std::span<const std::uint8_t> data) { return writeFileAtomically(path, data); };
}

void loadDocument(const std::string& named, AppState& state) {
    const std::string name = trimmedWhitespace(named);
    if (name.empty()) return;
    const std::string path = resolvedPath(name, state);
    const std::string file = lastComponent(path);
    const FileReadResult read = readWholeFile(path, maxDocumentBytes);
    if (!read.data) {
        state.statusNote = "not found: " + path;
        return;
    }
    const std::string lower = utf8::asciiLowercase(path);
    if (endsWith(lower, ".glyphloom")) {
        const auto document = importGlyphloomData(*read.data);
        if (!document) {
            state.statusNote = "couldn't parse " + file;
            return;
        }
        state.snapshotForUndo();
        applyDrawingFile(*document, state);
        finishLoad(file, path, true, state);
        if (document->layersInFile > maxDocumentLayers)
            state.statusNote = *state.statusNote + " — kept " + std::to_string(maxDocumentLayers) + " of " +
                               std::to_string(document->layersInFile) + " layers";
        if (document->presets) state.statusNote = *state.statusNote + " — its presets (↺ restores yours)";
        noteRecoveryCopyOf(path, state);
        return;
    }
    auto imported = importANSFile(*read.data, endsWith(lower, ".utf8.ans"));
    if (!imported) {
        state.statusNote = "couldn't parse " + file;
        return;
    }
    state.snapshotForUndo();
    adoptSauce(state, imported->sauce, imported->cells);
    AppState::docRows = imported->cells.rowCount();
    AppState::docCols = imported->cells.rowLength(0);
    state.layers = {Layer("Layer 1", std::move(imported->cells))};
    state.activeLayerIndex = 0;
    state.saveAsGlyphloom = false;
    state.carriedDrawingFile.reset();  // nothing of a previous layered document travels on
    finishLoad(file, path, false, state);
    noteRecoveryCopyOf(path, state);
}

void finishLoad(const std::string& file, const std::string& path, bool owned, AppState& state) {
    state.cursor = {0, 0};
    state.viewOffset = {0, 0};
    state.selection.reset();
    state.textStampHistory.clear();
    state.plainStampHistory.clear();
    state.filename = documentNameOf(path);
    state.docDir = folderOf(path);
    state.ownedPath = owned ? std::optional<std::string>(path) : std::nullopt;
    state.dirty = false;
    std::string size = std::to_string(AppState::docCols) + "×" + std::to_string(AppState::docRows);
    if (state.layers.size() >= 2) size += " · " + std::to_string(state.layers.size()) + " layers";
    state.statusNote = "loaded " + file + " (" + size + ")";
}

void saveDocument(AppState& state) { saveDocument(state, atomicFileWriter()); }

void renameDocument(const std::string& name, AppState& state) {
    if (!name.empty()) state.filename = name;
}

void saveDocument(AppState& state, const FileWriter& write) {
    const bool layered = state.saveAsGlyphloom || state.layers.size() > 1;
    const std::string extension = layered ? "glyphloom" : "ans";
    // A document with a folder of its own never falls back to the current directory.
    const std::string folder =
        state.docDir ? *state.docDir : state.ownedPath ? folderOf(*state.ownedPath) : currentDirectory();
    const auto base = ownedBase(folder, extension, state);
    const CellGrid flat = state.composited();
    std::optional<std::vector<std::uint8_t>> data;
    if (layered) {
        const auto cycle = state.charCyclePool.empty() ? std::nullopt : std::optional<std::string>(joined(state.charCyclePool));
        data = exportGlyphloomData(AppState::docCols, AppState::docRows, state.layers, state.colorDepth, cycle,
                                   state.blinkingText, std::string(rawValue(state.monoTint)), state.carriedDrawingFile,
                                   state.sauceTitleField, state.sauceComments, state.sauceHistory, state.letterSpacing,
                                   state.aspectRatio, state.sauceFontName, state.sourceSauce);
    } else {
        data = classicFileData(flat, state);
    }
    if (!base || folder.empty() || !data) {
        state.statusNote = "save failed";
        return;
    }
    const SaveSet set = saveSetFor(*base, extension, state);
    if (!write(set.main, *data).empty()) {
        state.statusNote = "save failed";
        return;
    }
    state.ownedPath = set.main;
    state.docDir = folder;
    state.viewOnly = false;  // saving makes signed art the user's to edit
    std::string note = "saved " + lastComponent(*base) + "." + extension;

    // Companions are a convenience: one that cannot be written is skipped without a word.
    auto companion = [&](const std::string& suffix, const std::vector<std::uint8_t>& bytes, const char* tag) {
        if (!bytes.empty() && write(*base + suffix, bytes).empty()) note += tag;
    };
    if (layered) companion(".ans", classicFileData(flat, state), " +ans");
    if (state.exportUTF8) companion(".utf8.ans", exportANSIUTF8Data(flat), " +utf8");
    if (state.exportPNGOnSave) companion(".png", exportPNGData(flat), " +png");
    if (state.exportTXTOnSave) companion(".txt", bytesOf(exportPlainText(flat)), " +txt");
    if (const int approximated = ansApproximatedCellCount(flat); approximated > 0)
        note += " (" + std::to_string(approximated) + " approximated, not CP437)";
    state.statusNote = note;
    state.dirty = false;
    state.quitArmed = false;
}

void exportDocumentPNG(AppState& state) {
    exportPicture(state, state.filename, exportPNGData(state.composited()), "PNG export failed");
}

void exportVideoFrame(AppState& state) {
    exportPicture(state, state.filename + ".1080", exportVideoFramePNGData(state.composited()), "frame export failed");
}

void conformDocument(AppState& state) {
    const int count = outOfSpecCount(state.layers, state.colorDepth, state.blinkingText);
    if (count == 0) {
        state.statusNote = "already in spec";
        return;
    }
    state.snapshotForUndo();
    for (Layer& layer : state.layers) {
        for (int r = 0; r < layer.cells.rowCount(); ++r) {
            const CellGrid::Row& row = layer.cells.row(r);
            for (int c = 0; c < static_cast<int>(row.size()); ++c) {
                const ANSICell conformed = conformCell(row[static_cast<std::size_t>(c)], state.colorDepth, state.blinkingText);
                layer.cells.set(r, c, conformed);  // unshares the row only when something changes
            }
        }
    }
    state.statusNote = "conformed " + std::to_string(count) + " cells — undo to restore";
}

}  // namespace glyphloom
