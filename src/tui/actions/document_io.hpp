// Opening and saving documents: resolving a typed or browsed name, reading a classic .ans
// (or its UTF-8 sibling) or a layered .glyphloom into the editor, saving the document with
// its companions under the ownership rule (never overwrite a file this document does not
// own; land beside it under a numbered name instead), and exporting pictures.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "core/io/file_io.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

// Writes a whole file; returns an empty string on success, else a reason. Saving goes
// through one of these so tests can make a write fail.
using FileWriter = std::function<std::string(const std::string& path, std::span<const std::uint8_t> data,
                                             const WriteOptions& options)>;
// The atomic writer of core/io.
FileWriter atomicFileWriter();

// Opens a file by name or path (relative names are taken in the browse folder; a name that
// does not exist as typed and has no extension means .ans). An empty file opens as a blank
// canvas. Problems end up in the status line only.
void loadDocument(const std::string& named, AppState& state);
// Puts a decoded layered document into the editor: layers, canvas size, colour depth,
// background mode, tint and SAUCE state; the file itself is carried for the next save.
void applyDrawingFile(const DrawingFile& file, AppState& state);
// The common tail of every successful open.
void finishLoad(const std::string& file, const std::string& path, bool owned, AppState& state);

// Saves under the ownership rule: the set of files (main file and companions) is written
// in place only when every file of it that exists is the document's own; otherwise it lands
// under the first free "-N" name. Own files changed on disk since are overwritten only when
// the save is repeated after the note that says so.
void saveDocument(AppState& state);
void saveDocument(AppState& state, const FileWriter& write);
// The name typed in the bar or the save options becomes the document's name; an empty one
// keeps the old name. A folder in it ("sub/art", "/tmp/art", "~/art"; relative ones from the
// document's folder) becomes the document's folder, when it exists: false, with a note,
// when it does not.
bool renameDocument(const std::string& typed, AppState& state);
// Typing the document's name in the bar, starting from the current name, wholly selected.
void startFileNameEntry(AppState& state);
// Ends typing the document name, keeping what was typed (unless empty); saves when `save`.
void commitFileNameEntry(bool save, AppState& state);
// Where the next save goes: the document's folder, else its owned file's, else the
// current directory.
std::string documentFolder(const AppState& state);

// Ctrl-E: the flattened canvas as a VGA-look PNG in the current directory, never
// replacing an existing file.
void exportDocumentPNG(AppState& state);
// The same picture fitted into a 1920 × 1080 video frame, named "<name>.1080.png".
void exportVideoFrame(AppState& state);

// Brings every cell of every layer into the document's colour depth and background mode,
// as one undoable step.
void conformDocument(AppState& state);

}  // namespace glyphloom
