// Figures for the layered document: saving and loading a 320 × 200 document of seven full
// layers (the largest stack the editor holds), the file size, and where the time goes
// (building the JSON tree, printing it, parsing it, turning it back into cells).
#include "bench_timing.hpp"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/format/document.hpp"
#include "core/format/drawing_file.hpp"
#include "core/model/model_json.hpp"
#include "core/model/random_source.hpp"
#include "tui/actions/document_io.hpp"
#include "core/format/preset_json.hpp"
#include "core/model/tool_options_json.hpp"

using namespace glyphloom;
using glyphloom::bench::medianSeconds;
using glyphloom::bench::medianTiming;
namespace fs = std::filesystem;

namespace {

volatile std::size_t sink = 0;

std::vector<Layer> busyStack(int rows, int cols, int count) {
    EngineRandomSource random(17);
    const char* glyphs[] = {"█", "▓", "▒", "░", "▀", "▄", "A", " ", "╭", "─"};
    std::vector<Layer> layers;
    for (int l = 0; l < count; ++l) {
        CellGrid grid(rows, cols);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < cols; ++c) {
                ANSICell cell;
                cell.character = CellChar(glyphs[random.uniformInt(0, 9)]);
                const int kind = random.uniformInt(0, 2);
                cell.foreground = kind == 0   ? ANSIColorValue::ansi16(random.uniformInt(0, 15))
                                  : kind == 1 ? ANSIColorValue::ansi256(random.uniformInt(0, 255))
                                              : ANSIColorValue::truecolor(random.uniformInt(0, 255), random.uniformInt(0, 255),
                                                                          random.uniformInt(0, 255));
                cell.background = ANSIColorValue::ansi16(random.uniformInt(0, 15));
                cell.blink = random.uniformInt(0, 9) == 0;
                grid.set(r, c, cell);
            }
        }
        layers.emplace_back("Layer " + std::to_string(l + 1), std::move(grid));
    }
    return layers;
}

}  // namespace

int main(int argc, char** argv) {
    constexpr int rows = 200, cols = 320, count = 7, runs = 5;
    const std::vector<Layer> layers = busyStack(rows, cols, count);
    std::printf("document: %d × %d cells, %d layers (%d cells)\n", cols, rows, count, rows * cols * count);

    Document document = Document::blank(rows, cols);
    document.layers = layers;
    document.colorDepth = ColorDepth::truecolor;
    std::vector<std::uint8_t> data;
    const auto encode = medianTiming(runs, [&] {
        data = *exportGlyphloomData(document, std::nullopt);
    });
    std::printf("encode: %.1f ms median (%.1f ms CPU), %.2f MB\n", encode.wall * 1e3, encode.cpu * 1e3,
                data.size() / 1e6);

    const auto decode = medianTiming(runs, [&] {
        const auto file = importGlyphloomData(data);
        sink = sink + file->resolveLayers().size();
    });
    std::printf("decode + resolve: %.1f ms median (%.1f ms CPU)\n", decode.wall * 1e3, decode.cpu * 1e3);

    // What the same layers cost through a JSON library tree, for comparison (slow: on request).
    if (argc > 1 && std::string(argv[1]) == "--tree") {
        nlohmann::json tree;
        const double build = medianSeconds(runs, [&] {
            tree = nlohmann::json::array();
            for (const Layer& layer : layers) tree.push_back(toJSON(layer));
        });
        std::string text;
        const double print = medianSeconds(runs, [&] { text = tree.dump(); });
        const double parse = medianSeconds(runs, [&] { tree = nlohmann::json::parse(text); });
        const double cells = medianSeconds(runs, [&] {
            for (const auto& layer : tree) sink = sink + (layerFromJSON(layer) ? 1 : 0);
        });
        std::printf("  layers → JSON tree %.1f ms, tree → text %.1f ms, text → tree %.1f ms, tree → layers %.1f ms\n",
                    build * 1e3, print * 1e3, parse * 1e3, cells * 1e3);
    }

    // The editor's own save and open, disk included (atomic write with fsync).
    const fs::path folder = fs::temp_directory_path() / ("glyphloom-docbench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    AppState::defaultDocRows = rows;
    AppState::defaultDocCols = cols;
    AppState state;
    state.doc.layers = layers;
    state.docDir = folder.string();
    state.ownedPath = (folder / "bench.glyphloom").string();
    state.filename = "bench";
    state.exportUTF8 = false;
    const auto save = medianTiming(runs, [&] { saveDocument(state); });
    std::printf("saveDocument (.glyphloom + flattened .ans): %.1f ms median (%.1f ms CPU) — %s\n", save.wall * 1e3,
                save.cpu * 1e3,
                state.statusNote.value_or("").c_str());
    std::printf("file size: %.2f MB\n", fs::file_size(folder / "bench.glyphloom") / 1e6);
    const auto load = medianTiming(runs, [&] {
        AppState other;
        loadDocument(state.ownedPath.value(), other);
        sink = sink + other.doc.layers.size();
    });
    std::printf("loadDocument: %.1f ms median (%.1f ms CPU)\n", load.wall * 1e3, load.cpu * 1e3);
    fs::remove_all(folder);
    return 0;
}
