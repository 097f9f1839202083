// Importing TheDraw and FIGlet fonts into the editor from a picked file, a typed path or a
// URL, choosing a face in the font browser, and removing an imported one. The parsing and
// the fonts folder are core/fonts' business; this wires them to the state and its notes.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "tui/actions/font_download.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

// Called after each member of an archive, with `fontImportProgress` set, so the caller can
// show how far the import has come before the next one.
using FontImportRepaint = std::function<void()>;

// The font URL / path prompt: an http(s) URL is downloaded (waiting at most `limit`),
// anything else is a file name.
void importFontFromEntry(const std::string& entry, AppState& state,
                         std::chrono::milliseconds limit = fontDownloadLimit, const FontImportRepaint& repaint = {});
// A file picked in the browser (a full path) or typed (relative to the browsed folder).
void importFontFile(const std::string& named, AppState& state, const FontImportRepaint& repaint = {});
// Stores the fonts of `data` and reloads the imported list; the note says how it went.
void importFontData(std::span<const std::uint8_t> data, const std::string& filename, AppState& state,
                    const FontImportRepaint& repaint = {});
// The font URL / path prompt's Enter: the import is asked of the main loop, which runs it
// once the frame saying so is on the screen. One download at a time.
void queueFontImport(const std::string& entry, AppState& state);
// The download or file import the last frame asked for, if any (the main loop runs it once
// that frame is on the screen). A download is only started here: the editor stays in use
// while it runs (see followFontDownload).
void runPendingFontImport(AppState& state, const FontImportRepaint& repaint = {},
                          std::chrono::milliseconds limit = fontDownloadLimit);
// Looks in on a running download: notes its progress, and once it has ended imports what
// it brought or says why not. True when there is something new to show.
bool followFontDownload(AppState& state, const FontImportRepaint& repaint = {});
// Esc while a download runs: stops it (the note follows when it has ended).
void cancelFontDownload(AppState& state);
// How often the loop looks in on a running download.
inline constexpr std::chrono::milliseconds fontDownloadPollInterval{100};

// A face chosen in the font browser (nothing for plain typing).
void chooseTextFont(std::optional<int> index, AppState& state);
// A right-click on a face: asks before removing an imported font (built-in ones stay).
void requestFontDelete(int at, AppState& state);
// Removes the file the font at `at` (a font-browser index) came from and reloads the list.
void deleteImportedFont(int at, AppState& state);

}  // namespace glyphloom
