// The fonts folder ($XDG_CONFIG_HOME/glyphloom/fonts, else ~/.config/glyphloom/fonts):
// importing TheDraw and FIGlet files (also from ZIP archives) into it, listing, reading back
// and deleting them. Files land under their base name only and are written atomically.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/fonts/block_font.hpp"

namespace glyphloom {

// Font files larger than this are not read.
inline constexpr std::size_t fontFileLimit = std::size_t{16} << 20;

std::string fontsFolder();
std::string fontsFolder(const char* xdgConfigHome, const char* home);

// Serialises writing into the fonts folder and re-reading it.
std::recursive_mutex& importedCacheLock();

// The name a file may be stored under: its last path component, never empty, "." or "..".
std::optional<std::string> safeFontFileName(const std::string& name);

// "ansi_shadow.flf" → "Ansi Shadow".
std::string fontDisplayName(const std::string& fileName);

struct FontImport {
    std::vector<BlockFont> fonts;
    std::optional<std::string> error;  // a sentence for the user when the import failed
    // Font files of an archive that were left out, each as "bigout.tdf: damaged".
    std::vector<std::string> skipped;
};

// Parses `data` by the extension of `filename` ("zip", "flf", anything else as TheDraw),
// stores the font files in the fonts folder and returns their fonts. `progress` hears
// (done, total) for the members of an archive.
FontImport importFonts(std::span<const std::uint8_t> data, const std::string& filename,
                       const std::function<void(int, int)>& progress = {});
FontImport importFonts(std::span<const std::uint8_t> data, const std::string& filename, const std::string& folder,
                       const std::function<void(int, int)>& progress = {});

// The .tdf and .flf files of the folder, full paths, sorted.
std::vector<std::string> importedFontFiles();
std::vector<std::string> importedFontFiles(const std::string& folder);

// Every font of every file in the folder, in file order.
std::vector<BlockFont> loadImportedTDFFonts();
std::vector<BlockFont> loadImportedTDFFonts(const std::string& folder);

// The base name of the file an imported font was read from ("4maxx" for every face of
// 4maxx.tdf), and the fonts of `imported` read from that same file, in their order: a
// TheDraw file holds several faces, a FIGlet file one.
std::string fontFileStem(const BlockFont& font);
std::vector<const BlockFont*> facesOfFontFile(const BlockFont& font, const std::vector<BlockFont>& imported);

// The file in the folder that `font` was read from.
std::optional<std::string> importedFontFile(const BlockFont& font, const std::string& folder);

// Empty on success, else the reason.
std::string deleteImportedFont(const std::string& path);

}  // namespace glyphloom
