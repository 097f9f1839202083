#include "tui/actions/image_import.hpp"

#include "core/codec/png_decode.hpp"
#include "core/format/drawing_file.hpp"
#include "core/format/sauce_record.hpp"
#include "core/io/file_io.hpp"
#include "core/render/image_rasterize.hpp"
#include "tui/state/overlay_table.hpp"

namespace glyphloom {
namespace {

// Well above any PNG the decoder accepts (its pixel limit), so only junk is refused early.
constexpr std::size_t maxPictureBytes = 256u << 20;

std::string fileNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string imageLayerName(const std::string& path) {
    const std::string file = fileNameOf(path);
    std::size_t start = 0;
    while (start <= file.size()) {
        const auto dot = file.find('.', start);
        const std::string piece = file.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        if (!piece.empty()) return prefixCharacters(piece, 11);
        if (dot == std::string::npos) break;
        start = dot + 1;
    }
    return "Image";
}

void importImageAsLayer(ImageImportMode mode, AppState& state) {
    if (!state.imageImportPath) return;
    const std::string path = *state.imageImportPath;
    closeOverlay(Overlay::imageImport, state);
    state.imageImportPath.reset();
    if (static_cast<int>(state.doc.layers.size()) >= maxDocumentLayers) {
        state.statusNote = "layer limit (" + std::to_string(maxDocumentLayers) + ")";
        return;
    }
    const FileReadResult read = readWholeFile(path, maxPictureBytes);
    const auto image = read.data ? decodePNG(*read.data) : std::nullopt;
    if (!image) {
        state.statusNote = "couldn't decode " + fileNameOf(path) + " (8-bit non-interlaced PNG only)";
        return;
    }
    const std::string name = imageLayerName(path);
    CellGrid cells = rasterizeImage(*image, mode, state.doc.cols, state.doc.rows, state.doc.colorDepth);
    state.snapshotForUndo();
    // Index 0 is the top of the stack: the picture lies over the art, ready to trace.
    state.doc.layers.insert(state.doc.layers.begin(), Layer(name, std::move(cells)));
    state.activeLayerIndex = 0;
    state.statusNote = "imported " + name + " as " + std::string(imageImportLabel(mode)) + " layer";
}

}  // namespace glyphloom
