// Layered documents from outside: decoding must never crash or throw, never keep more than
// the editor's layer limit, and whatever decodes must resolve to a stack of fitted layers
// and survive its own encoding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "core/format/drawing_file.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = glyphloom::importGlyphloomData(std::span<const std::uint8_t>(data, size));
    if (!file) return 0;
    if (file->layers && static_cast<int>(file->layers->size()) > glyphloom::maxDocumentLayers) std::abort();
    // Keep the canvas small so the fuzzer spends its time on parsing, not on padding.
    if (file->safeRows() * file->safeColumns() > 10'000) return 0;
    const auto layers = file->resolveLayers();
    if (layers.empty()) std::abort();
    for (const auto& layer : layers)
        if (layer.cells.rowCount() != file->safeRows() || layer.cells.rowLength(0) != file->safeColumns()) std::abort();
    const auto again = glyphloom::encodeDrawingFile(*file);
    if (!again || !glyphloom::importGlyphloomData(*again)) std::abort();
    return 0;
}
