// The layered document as stored: every key of the file, most of them optional. Only the
// record is declared so far; its JSON coding and the rules for resolving older versions
// arrive with the document module.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/model/cell_grid.hpp"
#include "core/model/layer.hpp"
#include "core/format/preset.hpp"
#include "core/format/sauce_record.hpp"

namespace glyphloom {

struct DrawingFile {
    int version = 5;
    int columns = 0;
    int rows = 0;
    std::optional<std::string> colorDepth;
    std::optional<std::vector<Layer>> layers;  // bottom first
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

    friend bool operator==(const DrawingFile&, const DrawingFile&) = default;
};

}  // namespace glyphloom
