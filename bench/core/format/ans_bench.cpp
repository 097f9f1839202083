// Figures for the ANSI art reader and writer over the shared corpus of real art: import and
// export throughput, the time to import the largest file, and how the size of our re-export
// (minimal SGR, no line breaks) compares with the original files.
#include "bench_timing.hpp"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/format/ans_export.hpp"
#include "core/format/ans_import.hpp"
#include "core/io/file_io.hpp"

using namespace glyphloom;
using glyphloom::bench::medianSeconds;
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;


volatile std::size_t sink = 0;

struct Art {
    std::string name;
    std::vector<std::uint8_t> data;
    ImportedANS imported;
    bool blinkingText = false;
};

bool anyBlink(const CellGrid& grid) {
    for (int r = 0; r < grid.rowCount(); ++r)
        for (const ANSICell& cell : grid.row(r))
            if (cell.blink) return true;
    return false;
}

std::string fixedDate() { return "20250101"; }

// What a save writes: the file's own record when it had one, otherwise the bare form.
std::vector<std::uint8_t> reexport(const Art& art) {
    return exportANSFileData(art.imported.cells, "", "", "", art.imported.sauce, art.imported.sauce.has_value(),
                             !art.blinkingText, false, fixedDate);
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path folder = argc > 1 ? fs::path(argv[1]) : fs::path(GLYPHLOOM_CORPUS_DIR) / "ans";
    std::vector<Art> corpus;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file() || name.ends_with(".tsv") || name.ends_with(".md")) continue;
        auto read = readWholeFile(entry.path().string(), 64 << 20);
        if (!read.data) continue;
        auto imported = importANSFile(*read.data, false);
        if (!imported) continue;
        Art art{name, std::move(*read.data), std::move(*imported), false};
        art.blinkingText = art.imported.sauce && !art.imported.sauce->iceColors() && anyBlink(art.imported.cells);
        corpus.push_back(std::move(art));
    }
    if (corpus.empty()) {
        std::printf("ans_bench: no corpus at %s (pass a folder of .ans files)\n", folder.c_str());
        return 0;
    }
    std::sort(corpus.begin(), corpus.end(), [](const Art& a, const Art& b) { return a.name < b.name; });

    std::size_t inputBytes = 0, cells = 0;
    std::vector<std::uint8_t> concatenated;
    for (const Art& art : corpus) {
        inputBytes += art.data.size();
        cells += static_cast<std::size_t>(art.imported.cells.rowCount()) * art.imported.cells.rowLength(0);
        concatenated.insert(concatenated.end(), art.data.begin(), art.data.end());
    }
    const double mb = static_cast<double>(inputBytes) / 1e6;
    constexpr int runs = 15;

    const double importAll = medianSeconds(runs, [&] {
        for (const Art& art : corpus) sink = sink + importANSFile(art.data, false)->cells.rowCount();
    });
    const double importBlob =
        medianSeconds(runs, [&] { sink = sink + importANSFile(concatenated, false)->cells.rowCount(); });

    std::size_t outputBytes = 0;
    const double exportAll = medianSeconds(runs, [&] {
        outputBytes = 0;
        for (const Art& art : corpus) outputBytes += reexport(art).size();
    });
    std::size_t utf8Bytes = 0;
    const double exportUTF8 = medianSeconds(runs, [&] {
        utf8Bytes = 0;
        for (const Art& art : corpus) utf8Bytes += exportANSIUTF8Data(art.imported.cells).size();
    });

    const Art& largest = *std::max_element(corpus.begin(), corpus.end(),
                                           [](const Art& a, const Art& b) { return a.data.size() < b.data.size(); });
    const double importLargest =
        medianSeconds(runs, [&] { sink = sink + importANSFile(largest.data, false)->cells.rowCount(); });

    std::printf("corpus: %zu files, %.3f MB, %zu cells\n", corpus.size(), mb, cells);
    std::printf("import, file by file:   %8.1f MB/s  (%.2f ms for all)\n", mb / importAll, importAll * 1e3);
    std::printf("import, concatenated:   %8.1f MB/s  (%.2f ms)\n",
                static_cast<double>(concatenated.size()) / 1e6 / importBlob, importBlob * 1e3);
    std::printf("export .ans:            %8.1f MB/s written, %.1f Mcells/s  (%.2f ms)\n",
                static_cast<double>(outputBytes) / 1e6 / exportAll, static_cast<double>(cells) / 1e6 / exportAll,
                exportAll * 1e3);
    std::printf("export .utf8.ans:       %8.1f MB/s written  (%.2f ms)\n",
                static_cast<double>(utf8Bytes) / 1e6 / exportUTF8, exportUTF8 * 1e3);
    std::printf("largest file %s (%zu bytes, %d x %d): import %.2f ms\n", largest.name.c_str(), largest.data.size(),
                largest.imported.cells.rowLength(0), largest.imported.cells.rowCount(), importLargest * 1e3);
    std::printf(
        "re-exported .ans: %zu bytes vs %zu original (%+.1f%%); .utf8.ans %zu bytes\n", outputBytes, inputBytes,
        100.0 * (static_cast<double>(outputBytes) - static_cast<double>(inputBytes)) / static_cast<double>(inputBytes),
        utf8Bytes);
    std::printf("%-32s %9s %9s %7s  %s\n", "file", "original", "ours", "change", "grid");
    for (const Art& art : corpus) {
        const std::size_t ours = reexport(art).size();
        std::printf("%-32s %9zu %9zu %+6.1f%%  %dx%d%s\n", art.name.c_str(), art.data.size(), ours,
                    100.0 * (static_cast<double>(ours) - static_cast<double>(art.data.size())) /
                        static_cast<double>(art.data.size()),
                    art.imported.cells.rowLength(0), art.imported.cells.rowCount(),
                    art.blinkingText ? " blinking" : "");
    }
    return 0;
}
