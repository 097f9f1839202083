#include "tui/actions/font_import.hpp"

#include <filesystem>

#include "core/fonts/font_store.hpp"
#include "core/io/file_io.hpp"
#include "tui/actions/prompt_actions.hpp"
#include "tui/tools/text_tool.hpp"

namespace fs = std::filesystem;

namespace glyphloom {
namespace {

constexpr const char* fallbackDownloadName = "font.tdf";

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool isWebAddress(const std::string& entry) { return entry.rfind("http://", 0) == 0 || entry.rfind("https://", 0) == 0; }

void reloadImportedFonts(AppState& state) {
    // Indices shift when the list changes: keep the chosen face by its id.
    const BlockFont* current = currentTextFont(state);
    const std::optional<std::string> currentId = current ? std::optional(current->id) : std::nullopt;
    state.importedFonts = loadImportedTDFFonts();
    state.textFontIndex.reset();
    if (!currentId) return;
    for (int i = 0; i < availableFontCount(state); ++i)
        if (availableFont(state, i)->id == *currentId) state.textFontIndex = i;
}

// "; skipped a.tdf: damaged, b.flf: damaged and 3 more", or nothing when none was skipped.
std::string skippedNote(const std::vector<std::string>& skipped) {
    constexpr std::size_t named = 3;
    if (skipped.empty()) return {};
    std::string note = "; skipped ";
    for (std::size_t i = 0; i < skipped.size() && i < named; ++i) note += (i > 0 ? ", " : "") + skipped[i];
    if (skipped.size() > named) note += " and " + std::to_string(skipped.size() - named) + " more";
    return note;
}

}  // namespace

void importFontData(std::span<const std::uint8_t> data, const std::string& filename, AppState& state,
                    const FontImportRepaint& repaint) {
    const std::lock_guard lock(importedCacheLock());
    const auto progress = [&](int done, int total) {
        state.fontImportProgress = FontImportProgress{filename, done, total};
        if (repaint) repaint();
    };
    const FontImport result = importFonts(data, filename, progress);
    state.fontImportProgress.reset();
    if (result.error) {
        state.statusNote = "couldn't import " + filename + ": " + *result.error + skippedNote(result.skipped);
        return;
    }
    reloadImportedFonts(state);
    const std::size_t count = result.fonts.size();
    state.statusNote = "imported " + std::to_string(count) + (count == 1 ? " font" : " fonts") + " from " + filename +
                       skippedNote(result.skipped);
}

void importFontFile(const std::string& named, AppState& state, const FontImportRepaint& repaint) {
    std::string path = named;
    if (named.rfind("~/", 0) == 0) path = homeDirectory() + named.substr(1);
    else if (named.empty() || named.front() != '/') path = state.browseDir + "/" + named;
    const FileReadResult read = readWholeFile(path, fontFileLimit);
    const std::string name = fs::path(path).filename().string();
    if (!read.data) {
        state.statusNote = "couldn't read " + named;
        return;
    }
    importFontData(*read.data, name, state, repaint);
}

namespace {

// What a finished download becomes: the note for a failure, else the import of its data.
void importDownloaded(const Download& download, const std::string& url, AppState& state,
                      const FontImportRepaint& repaint) {
    switch (download.status) {
        case Download::Status::ok: break;
        case Download::Status::timedOut: state.statusNote = "download timed out"; return;
        case Download::Status::unavailable: state.statusNote = "download failed: libcurl not found"; return;
        case Download::Status::cancelled: state.statusNote = "download cancelled"; return;
        case Download::Status::failed: state.statusNote = "download failed"; return;
    }
    std::string name = download.contentDisposition ? dispositionFileName(*download.contentDisposition).value_or("") : "";
    if (name.empty()) name = urlFileName(url);
    // Whatever the server calls it, the file is stored under a plain name in the fonts folder.
    name = safeFontFileName(name).value_or(fallbackDownloadName);
    importFontData(download.data, name, state, repaint);
}

}  // namespace

void importFontFromEntry(const std::string& entry, AppState& state, std::chrono::milliseconds limit,
                         const FontImportRepaint& repaint) {
    const std::string text = trimmed(entry);
    if (text.empty()) return;
    if (!isWebAddress(text)) return importFontFile(text, state, repaint);
    importDownloaded(downloadURL(text, limit), text, state, repaint);
}

void queueFontImport(const std::string& entry, AppState& state) {
    if (!isWebAddress(entry)) {
        state.pendingFontFile = entry;
    } else if (state.fontDownload) {
        state.statusNote = "a font download is already running";
    } else {
        state.pendingFontURL = entry;
    }
}

void runPendingFontImport(AppState& state, const FontImportRepaint& repaint, std::chrono::milliseconds limit) {
    if (state.pendingFontURL && !state.fontDownload) {
        if (promptIs(state.prompt, PromptKind::fontPath)) cancelPrompt(state);
        const std::string url = trimmed(*state.pendingFontURL);
        if (isWebAddress(url)) {
            // The loop carries on; followFontDownload picks up the result.
            state.fontDownloadBytes = 0;
            state.fontDownload = std::make_shared<FontDownload>(url, limit);
        } else {
            state.pendingFontURL.reset();
            importFontFromEntry(url, state, limit, repaint);
        }
    }
    if (state.pendingFontFile) {
        const std::string file = *state.pendingFontFile;
        state.pendingFontFile.reset();
        importFontFile(file, state, repaint);
    }
}

bool followFontDownload(AppState& state, const FontImportRepaint& repaint) {
    if (!state.fontDownload) return false;
    const std::size_t received = state.fontDownload->receivedBytes();
    std::optional<Download> result = state.fontDownload->take();
    if (!result) {
        const bool changed = received != state.fontDownloadBytes;
        state.fontDownloadBytes = received;
        return changed;
    }
    const std::string url = trimmed(state.pendingFontURL.value_or(""));
    state.fontDownload.reset();
    state.pendingFontURL.reset();
    state.fontDownloadBytes = 0;
    importDownloaded(*result, url, state, repaint);
    return true;
}

void cancelFontDownload(AppState& state) {
    if (state.fontDownload) state.fontDownload->cancel();
}

void chooseTextFont(std::optional<int> index, AppState& state) {
    const BlockFont* font = index ? availableFont(state, *index) : nullptr;
    state.textFontIndex = font ? index : std::nullopt;
    state.statusNote = "font: " + (font ? font->name : std::string("Plain"));
}

void requestFontDelete(int at, AppState& state) {
    if (at >= static_cast<int>(BlockFont::builtIn().size()) && availableFont(state, at)) state.fontDeletePending = at;
}

void deleteImportedFont(int at, AppState& state) {
    if (at < static_cast<int>(BlockFont::builtIn().size())) return;
    const BlockFont* font = availableFont(state, at);
    if (!font) return;
    const std::lock_guard lock(importedCacheLock());
    const std::string name = font->name;
    const auto file = importedFontFile(*font, fontsFolder());
    if (!file) {
        state.statusNote = "couldn't find the file of " + name;
        return;
    }
    if (const std::string failure = deleteImportedFont(*file); !failure.empty()) {
        state.statusNote = "couldn't delete " + name + ": " + failure;
        return;
    }
    reloadImportedFonts(state);
    state.statusNote = "deleted " + fs::path(*file).filename().string();
}

}  // namespace glyphloom
