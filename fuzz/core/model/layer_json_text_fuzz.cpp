// The cell and layer readers that work on text against the tree coding they stand in for:
// on any input both must agree on whether it is JSON, whether it is a grid (or a layer), and
// on every cell. A disagreement would make a document open in one place and not another.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <nlohmann/json.hpp>

#include "core/model/layer_json_text.hpp"
#include "core/model/model_json.hpp"

namespace {

using glyphloom::JsonReader;
using glyphloom::ReadOutcome;

// How deep arrays and objects nest, strings aside.
std::size_t nesting(const std::string& text) {
    std::size_t depth = 0, deepest = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\') ++i;
            else if (c == '"') inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            deepest = std::max(deepest, ++depth);
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return deepest;
}

// Reading the whole input as one value: trailing text makes it malformed.
template <typename Read>
ReadOutcome wholeInput(const std::string& text, Read read) {
    JsonReader in(text);
    ReadOutcome outcome = read(in);
    if (outcome != ReadOutcome::malformed && !in.atEndOfText()) outcome = ReadOutcome::malformed;
    return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const nlohmann::json tree = nlohmann::json::parse(text, nullptr, /*allow_exceptions=*/false);

    glyphloom::CellGrid grid;
    const ReadOutcome gridOutcome = wholeInput(text, [&](JsonReader& in) { return glyphloom::readGridJSON(in, grid); });
    glyphloom::Layer layer;
    const ReadOutcome layerOutcome =
        wholeInput(text, [&](JsonReader& in) { return glyphloom::readLayerJSON(in, layer); });

    // Past the limit the two part ways by design (the text readers count from each value
    // they step over); not crashing is all that is asked there.
    if (nesting(text) > JsonReader::maxNesting) return 0;
    if (tree.is_discarded()) {
        if (gridOutcome != ReadOutcome::malformed || layerOutcome != ReadOutcome::malformed) std::abort();
        return 0;
    }
    const auto expectedGrid = glyphloom::gridFromJSON(tree);
    if (expectedGrid ? (gridOutcome != ReadOutcome::ok || grid != *expectedGrid) : gridOutcome != ReadOutcome::refused)
        std::abort();

    auto expectedLayer = glyphloom::layerFromJSON(tree);
    if (!expectedLayer) {
        if (layerOutcome != ReadOutcome::refused) std::abort();
        return 0;
    }
    if (layerOutcome != ReadOutcome::ok) std::abort();
    expectedLayer->id = layer.id;  // a missing id is a fresh random one on either side
    if (layer != *expectedLayer) std::abort();
    return 0;
}
