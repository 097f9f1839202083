// The JSON coding of layers, cell grids, cells and colours written straight to text and read
// straight from it, for documents of hundreds of thousands of cells where a JSON tree costs
// seconds. Output and leniency match the tree coding in model_json key for key; the tree
// coding stays the reference for the small records.
#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <string>

#include "core/model/json_text.hpp"
#include "core/model/layer.hpp"

namespace glyphloom {

void appendColorJSON(JsonOut& out, const ANSIColorValue& color);
void appendCellJSON(JsonOut& out, const ANSICell& cell);
void appendGridJSON(JsonOut& out, const CellGrid& grid);
void appendLayerJSON(JsonOut& out, const Layer& layer);

// How a read went: `refused` is well-formed JSON that is not the thing asked for (the reader
// has stepped over it), `malformed` is text that is not JSON at all (the position is lost).
enum class ReadOutcome { ok, refused, malformed };

// How much of a grid is kept: rows and cells past these are checked like the others but
// dropped as they are read, so a reader that would crop them anyway never holds them.
struct GridLimits {
    std::size_t rows = std::numeric_limits<std::size_t>::max();
    std::size_t columns = std::numeric_limits<std::size_t>::max();
};

// The next value as rows of cells, where gridFromJSON would accept it.
ReadOutcome readGridJSON(JsonReader& in, CellGrid& out, GridLimits limits = {});
// The next value as a layer, where layerFromJSON would accept it.
ReadOutcome readLayerJSON(JsonReader& in, Layer& out, GridLimits limits = {});

}  // namespace glyphloom
