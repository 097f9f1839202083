#include "tui/actions/file_browser.hpp"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "core/format/art_file.hpp"
#include "core/io/file_io.hpp"
#include "core/text/utf8.hpp"
#include "tui/actions/document_io.hpp"
#include "tui/actions/preset_actions.hpp"
#include "tui/actions/prompt_actions.hpp"
#include "tui/state/overlay_table.hpp"

namespace glyphloom {
namespace {

namespace fs = std::filesystem;

// True when `path` is `root` or lies inside it (by path components).
bool within(const fs::path& path, const fs::path& root) {
    auto p = path.lexically_normal();
    auto r = root.lexically_normal();
    auto [rootEnd, pathIt] = std::mismatch(r.begin(), r.end(), p.begin(), p.end());
    // A trailing empty component (from a trailing slash) does not count.
    return rootEnd == r.end() || (std::next(rootEnd) == r.end() && rootEnd->empty());
}

std::string parentOf(const std::string& dir) {
    if (dir == "/") return "/";
    fs::path p = fs::path(dir).lexically_normal();
    if (p.has_filename() == false) p = p.parent_path();
    const fs::path parent = p.parent_path();
    return parent.empty() ? "/" : parent.string();
}

}  // namespace

std::vector<std::string> browseAllowedRoots(const AppState& state) {
    const std::string home = homeDirectory();
    const std::string launch = state.launchDir();
    std::vector<std::string> roots;
    if (!home.empty()) roots.push_back(home);
    if (!launch.empty() && launch != home && (home.empty() || !within(launch, home))) roots.push_back(launch);
    if (roots.empty()) roots.emplace_back("/");
    return roots;
}

bool browseCanGoUp(const AppState& state) {
    const auto roots = browseAllowedRoots(state);
    const fs::path dir = fs::path(state.browseDir).lexically_normal();
    for (const auto& root : roots)
        if (dir == fs::path(root).lexically_normal()) return false;
    const std::string parent = parentOf(state.browseDir);
    return std::any_of(roots.begin(), roots.end(), [&](const std::string& root) { return within(parent, root); });
}

std::vector<std::string> browseListing(const std::string& dir, const std::vector<std::string>& exts, bool canGoUp) {
    std::vector<std::string> out;
    if (fs::path(dir).lexically_normal() != fs::path(homeDirectory()).lexically_normal()) out.emplace_back("~");
    if (canGoUp) out.emplace_back("..");
    std::vector<std::string> folders, files;
    std::error_code error;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.') continue;
        std::error_code typeError;
        if (it->is_directory(typeError)) {
            folders.push_back(name + "/");
        } else {
            const std::string lower = utf8::asciiLowercase(name);
            const bool matches = std::any_of(exts.begin(), exts.end(), [&](const std::string& ext) {
                const std::string suffix = "." + ext;
                return lower.size() >= suffix.size() && lower.compare(lower.size() - suffix.size(), suffix.size(), suffix) == 0;
            });
            if (matches) files.push_back(name);
        }
    }
    auto byLowerName = [](const std::string& a, const std::string& b) { return utf8::asciiLowercase(a) < utf8::asciiLowercase(b); };
    std::stable_sort(folders.begin(), folders.end(), byLowerName);
    std::stable_sort(files.begin(), files.end(), byLowerName);
    out.insert(out.end(), folders.begin(), folders.end());
    out.insert(out.end(), files.begin(), files.end());
    return out;
}

std::vector<std::string> browseExtensions(const AppState& state) {
    if (listingFontFiles(state)) return {"tdf", "flf", "zip"};
    if (state.browseFor == BrowseFor::presets) return {"ansipresets", "json"};
    if (state.browseFor == BrowseFor::image) return {"png"};
    std::vector<std::string> documents(artFileExtensions().begin(), artFileExtensions().end());
    documents.emplace_back("glyphloom");
    return documents;
}

void refreshBrowse(AppState& state) {
    state.fileBrowserEntries = browseListing(state.browseDir, browseExtensions(state), browseCanGoUp(state));
    state.browseScroll = 0;
    state.browseSel = 0;
}

void activateBrowseEntry(int index, AppState& state) {
    if (index < 0 || index >= static_cast<int>(state.fileBrowserEntries.size())) return;
    const std::string entry = state.fileBrowserEntries[static_cast<std::size_t>(index)];
    if (entry == "..") {
        if (browseCanGoUp(state)) state.browseDir = parentOf(state.browseDir);
        refreshBrowse(state);
        return;
    }
    if (entry == "~") {
        state.browseDir = homeDirectory();
        refreshBrowse(state);
        return;
    }
    if (!entry.empty() && entry.back() == '/') {
        state.browseDir = (fs::path(state.browseDir) / entry.substr(0, entry.size() - 1)).string();
        refreshBrowse(state);
        return;
    }
    const std::string path = (fs::path(state.browseDir) / entry).string();
    if (listingFontFiles(state)) {
        state.pendingFontFile = path;  // imported after this frame, which can show its progress
        return;
    }
    closeFileBrowser(state);
    if (state.browseFor == BrowseFor::presets) {
        importPresetFile(entry, state);
    } else if (state.browseFor == BrowseFor::image) {
        openOverlay(Overlay::imageImport, state);
        state.imageImportPath = path;  // the import box asks how to convert it
    } else {
        loadDocument(path, state);
    }
}

void closeFileBrowser(AppState& state) { closeOverlay(Overlay::fileBrowser, state); }

void scrollBrowse(int delta, int page, AppState& state) {
    const int entries = static_cast<int>(state.fileBrowserEntries.size());
    state.browseScroll = std::clamp(state.browseScroll + delta, 0, std::max(0, entries - std::max(1, page)));
}

void pageBrowse(bool down, int page, AppState& state) {
    page = std::max(1, page);
    scrollBrowse(down ? page : -page, page, state);
}

void moveBrowseSelection(int delta, int page, AppState& state) {
    const int count = static_cast<int>(state.fileBrowserEntries.size());
    state.browseSel = std::clamp(state.browseSel + delta, 0, std::max(count - 1, 0));
    page = std::max(1, page);
    if (state.browseSel < state.browseScroll) state.browseScroll = state.browseSel;
    if (state.browseSel >= state.browseScroll + page) state.browseScroll = state.browseSel - page + 1;
}

void startBrowsePathEntry(AppState& state) {
    if (listingFontFiles(state)) {
        openPrompt(Prompt(PromptKind::fontPath), state);
        state.statusNote = "paste a font URL (or a file path), Enter to import";
    } else {
        openPrompt(Prompt(PromptKind::loadPath), state);
        state.statusNote = "type a filename, Enter to open";
    }
}

}  // namespace glyphloom
