#include "tui/actions/document_io.hpp"

#include <filesystem>
#include <optional>
#include <vector>

#include "core/color/color_depth.hpp"
#include "core/format/ans_export.hpp"
#include "core/format/ans_import.hpp"
#include "core/format/art_file.hpp"
#include "core/format/drawing_file.hpp"
#include "core/format/preset_bank.hpp"
#include "core/io/file_io.hpp"
#include "core/io/file_ownership.hpp"
#include "core/model/cell_text_table.hpp"
#include "core/render/image_export.hpp"
#include "core/text/utf8.hpp"
#include "tui/actions/prompt_actions.hpp"
#include "tui/actions/recovery.hpp"
#include "tui/state/sauce_state.hpp"

namespace glyphloom {
namespace {

// Larger than any document the editor can hold (1000 × 4000 cells in seven layers as .ans,
// or a generous layered file), small enough that a stray huge file is refused up front.
constexpr std::size_t maxDocumentBytes = 512u << 20;
// How many numbered names a save or export tries before giving up.
constexpr int maxNumberedNames = 100'000;


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

bool hasExtension(const std::string& path) { return lastComponent(path).find('.') != std::string::npos; }

// "~" and "~/…" from the home folder, "/…" as it is, anything else from `relativeTo`.
std::string expandedPath(const std::string& name, const std::string& relativeTo) {
    if (name == "~" || name.rfind("~/", 0) == 0) return homeDirectory() + name.substr(1);
    if (name.front() == '/') return name;
    return relativeTo + "/" + name;
}

// A typed name opens the file of that name when there is one; ".ans" is only the guess for
// a name without an extension that names no file (a folder "art" does not hide "art.ans").
std::string resolvedPath(const std::string& name, const AppState& state) {
    const std::string typed = expandedPath(name, state.browseDir);
    if (fileExists(typed) && !isFolder(typed)) return typed;
    if (!hasExtension(typed) && (fileExists(typed + ".ans") || !fileExists(typed))) return typed + ".ans";
    return typed;
}

// "a/./b/../c/" → "a/c".
std::string tidiedFolder(const std::string& folder) {
    std::string tidy = std::filesystem::path(folder).lexically_normal().string();
    while (tidy.size() > 1 && tidy.back() == '/') tidy.pop_back();
    return tidy;
}

// The typed name without the extension a save adds itself ("art.ans" would become
// "art.ans.ans"); true when it named the layered format.
bool strippedDocumentExtension(std::string& name) {
    const std::string lower = utf8::asciiLowercase(name);
    for (std::string_view extension : {".utf8.ans", ".ans", ".glyphloom"}) {
        if (lower.size() > extension.size() && lower.ends_with(extension)) {
            name.resize(name.size() - extension.size());
            return extension == ".glyphloom";
        }
    }
    return false;
}

using utf8::joined;

// Every companion a save may write beside the main file, in the order it writes them.
constexpr std::string_view companionSuffixes[] = {".ans", ".utf8.ans", ".png", ".txt"};

struct SaveSet {
    std::string main;
    std::vector<std::string> companions;

    std::vector<std::string> all() const {
        std::vector<std::string> files{main};
        files.insert(files.end(), companions.begin(), companions.end());
        return files;
    }
};

SaveSet saveSetFor(const std::string& base, const std::string& extension, const AppState& state) {
    SaveSet set{base + "." + extension, {}};
    if (extension == "glyphloom") set.companions.push_back(base + ".ans");
    if (state.exportUTF8) set.companions.push_back(base + ".utf8.ans");
    if (state.exportPNGOnSave) set.companions.push_back(base + ".png");
    if (state.exportTXTOnSave) set.companions.push_back(base + ".txt");
    return set;
}

struct SaveTarget {
    std::string base;
    std::vector<OwnedFile> changed;  // own files someone changed on disk, as they stand now
    std::string movedFor;            // the foreign file that moved an own document's set
};

// The first base name under which this save clobbers nothing it does not own: every file of
// the set is absent or the document's own (possibly changed on disk since).
std::optional<SaveTarget> chooseTarget(const std::string& folder, const std::string& extension,
                                       const AppState& state) {
    const std::string plain = folder + "/" + state.filename;
    std::string firstForeign;
    for (int n = 0; n <= maxNumberedNames; ++n) {
        SaveTarget target{n == 0 ? plain : plain + "-" + std::to_string(n), {}, {}};
        bool inTheWay = false;
        for (const std::string& path : saveSetFor(target.base, extension, state).all()) {
            const FileStanding standing = standingOf(path, state.ownedFiles);
            if (standing == FileStanding::foreign) {
                inTheWay = true;
                if (firstForeign.empty()) firstForeign = path;
                break;
            }
            if (standing == FileStanding::changed) target.changed.push_back({path, fileStamp(path).value_or(FileStamp{})});
        }
        if (inTheWay) continue;
        const FileStanding ownMain = standingOf(saveSetFor(plain, extension, state).main, state.ownedFiles);
        if (n > 0 && (ownMain == FileStanding::owned || ownMain == FileStanding::changed)) target.movedFor = firstForeign;
        return target;
    }
    return std::nullopt;
}

// Remembers `path` as the document's own, as it stands now.
void claim(const std::string& path, std::vector<OwnedFile>& owned) {
    std::erase_if(owned, [&](const OwnedFile& f) { return f.path == path; });
    if (const auto stamp = fileStamp(path)) owned.push_back({path, *stamp});
}

std::vector<std::uint8_t> classicFileData(const CellGrid& flat, const AppState& state) {
    const std::optional<SauceRecord> record =
        state.doc.writeSauce ? std::optional<SauceRecord>(exportSauce(state, state.filename)) : std::nullopt;
    return exportANSFileData(flat, state.filename, state.sauceAuthor, state.sauceGroup, record, state.doc.writeSauce,
                             !state.doc.blinkingText, state.doc.colorDepth == ColorDepth::mono);
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
        !writeFileAtomically(folder + "/" + *name + ".png", *data, WriteOptions{}).empty()) {
        state.statusNote = failure;
        return;
    }
    state.statusNote = "exported " + *name + ".png (" + std::to_string(data->size() / 1024) + "k)";
}

// A single-layer document of `cells` opened in place of `current`: it keeps how the editor
// reads colours (depth, tint, background mode) and whether saves carry a SAUCE record, until
// the file's own SAUCE says otherwise.
Document successorOf(const Document& current, CellGrid cells) {
    Document next;
    next.rows = cells.rowCount();
    next.cols = next.rows > 0 ? cells.rowLength(0) : 0;
    next.layers = {Layer("Layer 1", std::move(cells))};
    next.colorDepth = current.colorDepth;
    next.blinkingText = current.blinkingText;
    next.monoTint = current.monoTint;
    next.writeSauce = current.writeSauce;
    return next;
}

}  // namespace

void applyDrawingFile(const DrawingFile& file, AppState& state) {
    Document opened = documentFromDrawingFile(file);
    opened.writeSauce = state.doc.writeSauce;  // the artist's choice, not the file's
    state.doc = std::move(opened);
    state.activeLayerIndex = 0;
    state.viewOnly = false;
    if (file.charCycleSequence) {
        // Whole clusters, so a character made of several scalars comes back as one.
        state.tools.charCyclePool = utf8::graphemeClusters(*file.charCycleSequence);
        state.cycles.chars = {};
    }
    if (file.presets) {
        // The document's bank replaces the session's; the user's own stays one click of the
        // reset control away (also after a second such document), and is not overwritten on
        // disk by merely opening a file.
        if (!state.preResetPresets) state.preResetPresets = std::move(state.presets);
        state.presets = padBank(*file.presets);
        state.selectedPreset.reset();
        state.preview.presetHoverIndex.reset();
        state.preview.presetHoverCells.reset();
        state.presetPool.clear();
    }
    state.saveAsGlyphloom = true;
}

FileWriter atomicFileWriter() {
    return [](const std::string& path, std::span<const std::uint8_t> data, const WriteOptions& options) {
        return writeFileAtomically(path, data, options);
    };
}

void loadDocument(const std::string& named, AppState& state) {
    const std::string name = trimmedWhitespace(named);
    if (name.empty()) return;
    const std::string path = resolvedPath(name, state);
    const std::string file = lastComponent(path);
    if (isFolder(path)) {
        state.statusNote = "couldn't open a folder: " + path;
        return;
    }
    const FileReadResult read = readWholeFile(path, maxDocumentBytes);
    if (!read.data) {
        state.statusNote = fileExists(path) ? "couldn't read " + path + " (" + read.error + ")" : "not found: " + path;
        return;
    }
    const std::string lower = utf8::asciiLowercase(path);
    if (read.data->empty()) {
        // Nothing to parse and nothing to lose: a fresh canvas that saves back into the file
        // (a `touch`ed name is a common way to start a drawing).
        state.snapshotForUndo();
        Document blank = successorOf(state.doc, CellGrid(AppState::defaultDocRows, AppState::defaultDocCols));
        adoptSauce(state, blank, std::nullopt, blank.layers.front().cells);
        state.doc = std::move(blank);
        state.activeLayerIndex = 0;
        state.saveAsGlyphloom = lower.ends_with(".glyphloom");
        finishLoad(file, path, true, state);
        state.statusNote = *state.statusNote + " — empty file, blank canvas";
        return;
    }
    // The session's table of multi-scalar characters is bounded: a document that met it
    // full would open (and later save) with characters replaced, so it is not opened.
    const std::uint64_t lostBefore = cellClustersLost();
    const auto refusedForFullTable = [&] {
        if (cellClustersLost() == lostBefore) return false;
        state.statusNote = "couldn't open " + file + ": too many distinct characters this session — restart glyphloom";
        return true;
    };
    if (lower.ends_with(".glyphloom")) {
        const auto document = importGlyphloomData(*read.data);
        if (!document) {
            state.statusNote = "couldn't parse " + file;
            return;
        }
        if (refusedForFullTable()) return;
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
    ArtReadResult result = readArtFile(*read.data, artFormatForPath(lower));
    if (!result.art) {
        state.statusNote = "couldn't parse " + file + (result.failure.empty() ? "" : ": " + result.failure);
        return;
    }
    if (refusedForFullTable()) return;
    auto& imported = result.art;
    state.snapshotForUndo();
    // Nothing of a previous layered document's carried keys travels on.
    Document opened = successorOf(state.doc, std::move(imported->cells));
    adoptSauce(state, opened, imported->sauce, opened.layers.front().cells);
    if (imported->blinkingText) opened.blinkingText = true;
    if (imported->truecolor) opened.colorDepth = ColorDepth::truecolor;
    state.doc = std::move(opened);
    state.activeLayerIndex = 0;
    state.saveAsGlyphloom = false;
    finishLoad(file, path, false, state);
    if (!imported->note.empty()) state.statusNote = *state.statusNote + " — " + imported->note;
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
    state.ownedFiles.clear();
    state.overwriteArmed.clear();
    if (const auto stamp = fileStamp(path); owned && stamp) {
        state.ownedFiles.push_back({path, *stamp});
        // Companions of an own document are its own only when its save made them.
        for (std::string_view suffix : companionSuffixes) {
            const std::string companion = *state.docDir + "/" + state.filename + std::string(suffix);
            if (companion == path) continue;
            if (const auto other = fileStamp(companion); other && writtenAlongside(*stamp, *other))
                state.ownedFiles.push_back({companion, *other});
        }
    }
    state.dirty = false;
    std::string size = std::to_string(state.doc.cols) + "×" + std::to_string(state.doc.rows);
    if (state.doc.layers.size() >= 2) size += " · " + std::to_string(state.doc.layers.size()) + " layers";
    state.statusNote = "loaded " + file + " (" + size + ")";
}

void saveDocument(AppState& state) { saveDocument(state, atomicFileWriter()); }

std::string documentFolder(const AppState& state) {
    if (state.docDir) return *state.docDir;
    if (state.ownedPath) return folderOf(*state.ownedPath);
    return currentDirectory();
}

bool renameDocument(const std::string& typed, AppState& state) {
    std::string name = trimmedWhitespace(typed);
    if (const auto slash = name.find_last_of('/'); slash != std::string::npos) {
        const std::string typedFolder = name.substr(0, slash);
        const std::string folder =
            typedFolder.empty() ? "/" : tidiedFolder(expandedPath(typedFolder, documentFolder(state)));
        if (!isFolder(folder)) {
            state.statusNote = "no such folder: " + folder;
            return false;
        }
        state.docDir = folder;
        name = name.substr(slash + 1);
    }
    if (strippedDocumentExtension(name)) state.saveAsGlyphloom = true;
    if (std::string clean = sanitizedDocumentName(name); !clean.empty()) state.filename = std::move(clean);
    return true;
}

void saveDocument(AppState& state, const FileWriter& write) {
    const bool layered = state.saveAsGlyphloom || state.doc.layers.size() > 1;
    const std::string extension = layered ? "glyphloom" : "ans";
    // A document with a folder of its own never falls back to the current directory.
    const std::string folder = documentFolder(state);
    const auto target = folder.empty() ? std::nullopt : chooseTarget(folder, extension, state);
    if (!target) {
        state.statusNote = "save failed";
        return;
    }
    // Someone else's work in one of our files is overwritten only on a repeated request,
    // and only while the files still stand as the note described them.
    if (!target->changed.empty() && target->changed != state.overwriteArmed) {
        state.overwriteArmed = target->changed;
        std::string which = lastComponent(target->changed.front().path);
        if (target->changed.size() > 1) which += " and " + std::to_string(target->changed.size() - 1) + " more";
        state.statusNote = which + " changed on disk — save again to overwrite, or rename to keep both";
        return;
    }
    state.overwriteArmed.clear();

    const CellGrid flat = state.composited();
    std::optional<std::vector<std::uint8_t>> data;
    if (layered) {
        const auto cycle = state.tools.charCyclePool.empty()
                               ? std::nullopt
                               : std::optional<std::string>(joined(state.tools.charCyclePool));
        data = exportGlyphloomData(state.doc, cycle);
    } else {
        data = classicFileData(flat, state);
    }
    const SaveSet set = saveSetFor(target->base, extension, state);
    const std::string failure = data ? write(set.main, *data, WriteOptions{}) : "encoding failed";
    if (!failure.empty()) {
        state.statusNote = failure == readOnlyReason ? "save failed: " + lastComponent(set.main) + " is read-only"
                                                     : std::string("save failed");
        return;
    }
    state.ownedPath = set.main;
    state.docDir = folder;
    state.viewOnly = false;  // saving makes signed art the user's to edit
    claim(set.main, state.ownedFiles);
    std::string note = "saved " + lastComponent(target->base) + "." + extension;

    // Companions share the document's permissions: a private drawing keeps private copies.
    const WriteOptions companionOptions{Durability::synced, permissionBits(set.main)};
    std::string skipped;
    auto companion = [&](const std::string& suffix, const std::vector<std::uint8_t>& bytes, const char* tag) {
        if (bytes.empty()) return;
        const std::string path = target->base + suffix;
        if (const std::string why = write(path, bytes, companionOptions); !why.empty()) {
            skipped += (skipped.empty() ? "" : ", ") + lastComponent(path) + " (" + why + ")";
            return;
        }
        claim(path, state.ownedFiles);
        note += tag;
    };
    if (layered) companion(".ans", classicFileData(flat, state), " +ans");
    if (state.exportUTF8) companion(".utf8.ans", exportANSIUTF8Data(flat), " +utf8");
    if (state.exportPNGOnSave) companion(".png", exportPNGData(flat), " +png");
    if (state.exportTXTOnSave) companion(".txt", bytesOf(exportPlainText(flat)), " +txt");
    if (const int approximated = ansApproximatedCellCount(flat); approximated > 0)
        note += " (" + std::to_string(approximated) + " approximated, not CP437)";
    if (!target->movedFor.empty()) note += " — " + lastComponent(target->movedFor) + " is not this document's";
    if (!skipped.empty()) note += " — not written: " + skipped;
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
    const int count = outOfSpecCount(state.doc.layers, state.doc.colorDepth, state.doc.blinkingText);
    if (count == 0) {
        state.statusNote = "already in spec";
        return;
    }
    state.snapshotForUndo();
    for (Layer& layer : state.doc.layers) {
        for (int r = 0; r < layer.cells.rowCount(); ++r) {
            const CellGrid::Row& row = layer.cells.row(r);
            for (int c = 0; c < static_cast<int>(row.size()); ++c) {
                const ANSICell conformed = conformCell(row[static_cast<std::size_t>(c)], state.doc.colorDepth, state.doc.blinkingText);
                layer.cells.set(r, c, conformed);  // unshares the row only when something changes
            }
        }
    }
    state.statusNote = "conformed " + std::to_string(count) + " cells — undo to restore";
}

void startFileNameEntry(AppState& state) { openPrompt(Prompt(PromptKind::fileName, state.filename, true), state); }

void commitFileNameEntry(bool save, AppState& state) {
    if (!promptIs(state.prompt, PromptKind::fileName)) return;
    const std::string text = state.prompt->text();
    cancelPrompt(state);
    if (renameDocument(text, state) && save) saveDocument(state);
}

}  // namespace glyphloom
