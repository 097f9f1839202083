// The layered document (".glyphloom", JSON): the record with every key of the file, its
// reader and writer, and the rules that turn a stored document (of any version) into the
// layer stack the editor holds. Layers are stored in the editor's own order, top first, so
// a save followed by a load keeps the stack. Applying a document to the editor belongs to
// the open/save actions, not here.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/io/byte_sink.hpp"
#include "core/color/color_depth.hpp"
#include "core/model/cell_grid.hpp"
#include "core/model/layer.hpp"
#include "core/format/preset.hpp"
#include "core/format/sauce_record.hpp"

namespace glyphloom {

// The editor never holds more layers than this; a document with more keeps its top ones.
inline constexpr int maxDocumentLayers = 7;
inline constexpr int maxDocumentColumns = 1000;
inline constexpr int maxDocumentRows = 4000;

struct DrawingFile {
    int version = 5;
    int columns = 0;
    int rows = 0;
    std::optional<std::string> colorDepth;
    std::optional<std::vector<Layer>> layers;  // top first, at most maxDocumentLayers
    std::optional<CellGrid> cells;             // single-grid form of older documents
    std::optional<PresetBank> presets;
    std::optional<std::vector<std::uint8_t>> referenceImageData;
    std::optional<bool> referenceVisible;
    std::optional<bool> referenceExcludedFromExport;
    std::optional<double> referenceOffsetX;
    std::optional<double> referenceOffsetY;
    std::optional<double> referenceScale;
    std::optional<std::string> charCycleSequence;
    std::optional<bool> compoMode;
    std::optional<std::string> backgroundMode;
    std::optional<std::string> monoTint;
    std::optional<std::string> sauceTitle;
    std::optional<std::vector<std::string>> sauceComments;
    std::optional<std::vector<std::string>> sauceHistory;
    std::optional<SauceRecord> sourceSauce;
    std::optional<int> letterSpacing;
    std::optional<int> aspectRatio;
    std::optional<std::string> sauceFontName;

    // Not keys of their own. `carriedKeys` holds the preset bank, reference-image keys and
    // composition flag as read (key → the value's JSON text), so a later save writes them
    // back untouched (a bank slot this version cannot read is not lost). `layersInFile`
    // counts the layers the file held before the stack was cut to maxDocumentLayers.
    std::map<std::string, std::string> carriedKeys;
    int layersInFile = 0;

    bool blinkingText() const { return backgroundMode == "blinkingText"; }
    int safeRows() const;
    int safeColumns() const;
    CellGrid emptyGrid() const;
    // Exactly rows × columns: the overlapping part of `grid`, blank cells elsewhere.
    static CellGrid padCrop(const CellGrid& grid, int rows, int columns);
    // The stack the editor opens: stored layers fitted to the canvas, else the old single
    // grid as "Layer 1", else one blank "Layer 1".
    std::vector<Layer> resolveLayers() const;

    friend bool operator==(const DrawingFile&, const DrawingFile&) = default;
};

// The JSON of a document; keys in their customary order, optional ones only when present.
// `leadingMembers` (`"key":value` pairs, comma-separated) go in before the document's keys.
std::optional<std::vector<std::uint8_t>> encodeDrawingFile(const DrawingFile& file,
                                                           std::string_view leadingMembers = {});
// The same bytes handed to `sink` piece by piece as they are made, never held whole. False
// when the sink refused a piece or memory ran out.
bool streamDrawingFile(const DrawingFile& file, const ByteSink& sink, std::string_view leadingMembers = {});

// Nothing on malformed JSON, a missing or non-numeric version/columns/rows, a present key
// of the wrong type or a value nested deeper than JsonReader::maxNesting. Unknown keys are
// ignored; numbers are saturated into range, never cast blindly. What the editor would throw
// away is dropped while reading: rows and cells past the largest canvas, preset slots past
// the bank's sixteen, comment lines past the 255 a SAUCE record holds.
std::optional<DrawingFile> importGlyphloomData(std::span<const std::uint8_t> data);

}  // namespace glyphloom
