// Setting aside a settings file that could not be read (presets.json, identity.json), so
// that the user can rescue it before the program writes a fresh one in its place.
#pragma once

#include <string>

#include "core/io/file_io.hpp"

namespace glyphloom {

struct KeptCopy {
    std::string path;   // where the copy went, when it was made
    std::string error;  // why no copy could be made, otherwise
};

// Copies the damaged file at `path` (whose read gave `file`) to path + ".corrupt"; when such a
// copy is already there (an older mishap), to ".corrupt-2", ".corrupt-3" and so on, never
// replacing one; a copy of the same bytes made at an earlier start is not made again.
// `file` spares reading it again when its bytes are at hand.
KeptCopy keepDamagedCopy(const std::string& path, const FileReadResult& file);

// The note the user hears once about it: "<name> was damaged: set aside as <name>.corrupt",
// or "<name> is damaged and couldn't be set aside: <reason>".
std::string damagedFileNote(const std::string& path, const KeptCopy& kept);

}  // namespace glyphloom
