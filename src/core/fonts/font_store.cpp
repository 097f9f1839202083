#include "core/fonts/font_store.hpp"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "core/codec/zip.hpp"
#include "core/fonts/figlet_reader.hpp"
#include "core/fonts/tdf_reader.hpp"
#include "core/io/file_io.hpp"
#include "core/text/utf8.hpp"

namespace fs = std::filesystem;

namespace glyphloom {
namespace {

std::string lowerExtension(const std::string& name) {
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : utf8::asciiLowercase(name.substr(dot + 1));
}

std::string stem(const std::string& name) {
    const auto dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

bool isFontFileName(const std::string& name) {
    const std::string extension = lowerExtension(name);
    return extension == "tdf" || extension == "flf";
}

FontImport failedImport(std::string error) {
    FontImport result;
    result.error = std::move(error);
    return result;
}

std::optional<BlockFont> readFIGletFile(std::span<const std::uint8_t> data, const std::string& fileName) {
    const std::string text = fontFileText(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    return fromFIGlet(stem(fileName), fontDisplayName(fileName), text);
}

// One font file (not an archive) into the folder.
FontImport importFontFile(std::span<const std::uint8_t> data, const std::string& fileName, const std::string& folder) {
    FontImport result;
    if (lowerExtension(fileName) == "flf") {
        auto font = readFIGletFile(data, fileName);
        if (!font) return failedImport("Could not parse FIGlet font");
        result.fonts.push_back(std::move(*font));
    } else {
        // A file that holds no font is kept all the same and simply yields none.
        result.fonts = fromTDF(stem(fileName), data);
    }
    if (const std::string failure = writeFileAtomically(folder + "/" + fileName, data); !failure.empty())
        return failedImport("Could not save " + fileName + ": " + failure);
    return result;
}

FontImport importArchive(std::span<const std::uint8_t> data, const std::string& folder,
                         const std::function<void(int, int)>& progress) {
    ZipContents archive = readZipArchive(data);
    std::vector<ZipEntry>& members = archive.entries;
    const auto isFont = [](const std::string& name) { return isFontFileName(utf8::asciiLowercase(name)); };
    std::erase_if(members, [&](const ZipEntry& member) { return !isFont(member.name); });
    FontImport result;
    for (const SkippedZipMember& member : archive.skipped)
        if (const auto name = safeFontFileName(member.name); name && isFont(*name))
            result.skipped.push_back(*name + ": " + member.reason);
    if (members.empty()) {
        // Font files that were all damaged are not "no font files".
        if (!result.skipped.empty()) {
            result.error = "no font file in it could be read";
            return result;
        }
        return failedImport("No .tdf or .flf files found in zip");
    }
    int done = 0;
    for (const ZipEntry& member : members) {
        // A member that fails is left out; the others still come in.
        if (const auto name = safeFontFileName(member.name)) {
            FontImport one = importFontFile(member.data, *name, folder);
            for (BlockFont& font : one.fonts) result.fonts.push_back(std::move(font));
        }
        if (progress) progress(++done, static_cast<int>(members.size()));
    }
    return result;
}

}  // namespace

std::string fontsFolder(const char* xdgConfigHome, const char* home) {
    return glyphloomConfigFolder(xdgConfigHome, home) + "/fonts";
}

std::string fontsFolder() { return fontsFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")); }

std::recursive_mutex& importedCacheLock() {
    static std::recursive_mutex lock;
    return lock;
}

std::optional<std::string> safeFontFileName(const std::string& name) {
    // Archive members and download headers may name any path, "../../.bashrc" or "/etc/x"
    // among them: only the last component is ever used.
    const auto slash = name.find_last_of("/\\");
    std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
    if (base.empty() || base == "." || base == ".." || base.find('\0') != std::string::npos) return std::nullopt;
    return base;
}

std::string fontDisplayName(const std::string& fileName) {
    std::string name = stem(fileName);
    std::replace(name.begin(), name.end(), '_', ' ');
    bool wordStart = true;
    for (char& ch : name) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x80) ch = static_cast<char>(wordStart ? std::toupper(byte) : std::tolower(byte));
        wordStart = !std::isalnum(static_cast<unsigned char>(ch)) && byte < 0x80;
    }
    return name;
}

FontImport importFonts(std::span<const std::uint8_t> data, const std::string& filename, const std::string& folder,
                       const std::function<void(int, int)>& progress) {
    const std::lock_guard lock(importedCacheLock());
    const auto name = safeFontFileName(filename);
    if (!name) return failedImport("Not a usable file name: " + filename);
    if (!createDirectories(folder)) return failedImport("Could not create the fonts folder " + folder);
    if (lowerExtension(*name) == "zip") return importArchive(data, folder, progress);
    return importFontFile(data, *name, folder);
}

FontImport importFonts(std::span<const std::uint8_t> data, const std::string& filename,
                       const std::function<void(int, int)>& progress) {
    return importFonts(data, filename, fontsFolder(), progress);
}

std::vector<std::string> importedFontFiles(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (isFontFileName(name) && it->is_regular_file(error)) files.push_back(it->path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> importedFontFiles() { return importedFontFiles(fontsFolder()); }

std::vector<BlockFont> loadImportedTDFFonts(const std::string& folder) {
    const std::lock_guard lock(importedCacheLock());
    std::vector<BlockFont> fonts;
    for (const std::string& path : importedFontFiles(folder)) {
        const FileReadResult read = readWholeFile(path, fontFileLimit);
        if (!read.data) continue;
        const std::string name = fs::path(path).filename().string();
        if (lowerExtension(name) == "tdf") {
            for (BlockFont& font : fromTDF(stem(name), *read.data)) fonts.push_back(std::move(font));
        } else if (auto font = readFIGletFile(*read.data, name)) {
            fonts.push_back(std::move(*font));
        }
    }
    return fonts;
}

std::vector<BlockFont> loadImportedTDFFonts() { return loadImportedTDFFonts(fontsFolder()); }

std::string fontFileStem(const BlockFont& font) {
    if (!font.isTDF) return font.id;
    // TheDraw fonts are called after their file and their place in it: "<stem>_<n>".
    const auto underscore = font.id.rfind('_');
    if (underscore == std::string::npos || underscore + 1 == font.id.size()) return font.id;
    const std::string position = font.id.substr(underscore + 1);
    if (!std::all_of(position.begin(), position.end(), [](char ch) { return ch >= '0' && ch <= '9'; })) return font.id;
    return font.id.substr(0, underscore);
}

std::vector<const BlockFont*> facesOfFontFile(const BlockFont& font, const std::vector<BlockFont>& imported) {
    const std::string file = fontFileStem(font);
    std::vector<const BlockFont*> faces;
    for (const BlockFont& face : imported)
        if (face.isTDF == font.isTDF && fontFileStem(face) == file) faces.push_back(&face);
    return faces;
}

std::optional<std::string> importedFontFile(const BlockFont& font, const std::string& folder) {
    const std::string wanted = fontFileStem(font);
    for (const std::string& path : importedFontFiles(folder)) {
        const std::string name = fs::path(path).filename().string();
        if (lowerExtension(name) == (font.isTDF ? "tdf" : "flf") && stem(name) == wanted) return path;
    }
    return std::nullopt;
}

std::string deleteImportedFont(const std::string& path) {
    const std::lock_guard lock(importedCacheLock());
    std::error_code error;
    if (!fs::remove(path, error)) return error ? error.message() : "no such file";
    return {};
}

}  // namespace glyphloom
