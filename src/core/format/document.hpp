// The document the editor holds: its size, its layer stack, how its colours are read (depth,
// background mode, mono tint), its SAUCE fields and what a layered file carried that the
// editor writes back. A plain value: copies share the layers' rows (see CellGrid), so keeping
// one for undo or handing one to a background writer is cheap.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/color/color_depth.hpp"
#include "core/format/drawing_file.hpp"
#include "core/format/sauce_record.hpp"
#include "core/model/cell_grid.hpp"
#include "core/model/layer.hpp"

namespace glyphloom {

// The font a document names in its SAUCE record unless it asks for another.
inline constexpr std::string_view defaultSauceFont = "IBM VGA";

// The SAUCE state a document carries with its layers: what undo brings back and what a
// recovery copy keeps.
struct SauceFields {
    std::optional<SauceRecord> sourceSauce;  // the record the document was opened with
    std::string sauceTitleField;
    std::vector<std::string> sauceComments;
    std::vector<std::string> sauceHistory;
    LetterSpacing letterSpacing = LetterSpacing::noPreference;
    AspectRatio aspectRatio = AspectRatio::noPreference;
    std::string sauceFontName = std::string(defaultSauceFont);

    friend bool operator==(const SauceFields&, const SauceFields&) = default;
};

struct Document {
    int rows = 0;
    int cols = 0;
    std::vector<Layer> layers;  // index 0 is the top of the stack
    ColorDepth colorDepth = ColorDepth::c256;
    bool blinkingText = false;  // the background mode: blinking text, else bright backgrounds
    MonoTint monoTint = MonoTint::white;
    SauceFields sauce;
    bool writeSauce = false;  // saves append a SAUCE record
    // What an opened .glyphloom held that a save writes back (its preset bank, reference
    // image, composition flag, tint); never its cells, which live in the layers.
    std::optional<DrawingFile> carriedDrawingFile;

    // rows × cols with one blank "Layer 1".
    static Document blank(int rows, int cols);

    // All visible layers flattened to the document's size.
    CellGrid composited() const;
    bool contains(GridKey at) const { return at.row >= 0 && at.row < rows && at.col >= 0 && at.col < cols; }
    std::int64_t cellCount() const { return std::int64_t{rows} * cols; }

    friend bool operator==(const Document&, const Document&) = default;
};

// The document a .glyphloom file opens as: its layers fitted to its size, its colour
// settings and SAUCE fields, and the keys it carries. A document of any version.
Document documentFromDrawingFile(const DrawingFile& file);

// A version-5 record of `document`, with the pen's character-cycle sequence when there is
// one. The carried preset bank, reference image and composition flag are written back as
// read. Empty title, comment and history lists are left out.
DrawingFile glyphloomDocument(const Document& document, const std::optional<std::string>& charCycleSequence);
// That record's JSON.
std::optional<std::vector<std::uint8_t>> exportGlyphloomData(const Document& document,
                                                             const std::optional<std::string>& charCycleSequence);

}  // namespace glyphloom
