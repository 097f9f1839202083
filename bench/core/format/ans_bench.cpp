// Figures for the ANSI art reader and writer over the shared corpus of real art: import and
// export throughput, the time to import the largest file (also as the first import of a fresh
// process, with its peak memory), and how the size of our re-export (minimal SGR, no line
// breaks) compares with the original files.
#include "bench_timing.hpp"
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/format/ans_export.hpp"
#include "core/format/ans_import.hpp"
#include "app/memory_policy.hpp"
#include "core/io/file_io.hpp"

using namespace glyphloom;
using glyphloom::bench::medianCpuSeconds;
using glyphloom::bench::medianSeconds;
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;


volatile std::size_t sink = 0;

// Fourteen bytes that legitimately build the largest grid: the cursor goes to the far corner.
const std::string farCornerText = "\x1b[4000;1000H x";

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

// A file's art: the bytes before its end-of-file mark, or before its record.
std::span<const std::uint8_t> artBytes(std::span<const std::uint8_t> data) {
    if (const auto record = readSauce(data)) data = data.first(record->bodyEnd);
    const auto mark = std::find(data.begin(), data.end(), std::uint8_t{0x1A});
    return data.first(static_cast<std::size_t>(mark - data.begin()));
}

// What a save writes: the file's own record when it had one, otherwise the bare form.
std::vector<std::uint8_t> reexport(const Art& art) {
    return exportANSFileData(art.imported.cells, "", "", "", art.imported.sauce, art.imported.sauce.has_value(),
                             !art.blinkingText, false, fixedDate);
}

// Import throughput over the corpus, over all of it concatenated, for the largest file, and
// for fourteen bytes that move the cursor to the far corner (legitimately the largest grid).
void importFigures(const char* label, const std::vector<Art>& corpus, const std::vector<std::uint8_t>& concatenated) {
    constexpr int runs = 15;
    auto importAll = [&] {
        for (const Art& art : corpus) sink = sink + importANSFile(art.data, false)->cells.rowCount();
    };
    auto importOne = [](const std::vector<std::uint8_t>& data) {
        return [&data] { sink = sink + importANSFile(data, false)->cells.rowCount(); };
    };
    std::size_t inputBytes = 0;
    for (const Art& art : corpus) inputBytes += art.data.size();
    const Art& largest = *std::max_element(corpus.begin(), corpus.end(),
                                           [](const Art& a, const Art& b) { return a.data.size() < b.data.size(); });
    const std::vector<std::uint8_t> farBytes(farCornerText.begin(), farCornerText.end());

    std::printf("import with the %s:\n", label);
    auto line = [](const char* what, double megabytes, int repeats, const auto& body) {
        const double wall = medianSeconds(repeats, body);
        const double cpu = medianCpuSeconds(repeats, body);
        std::printf("  %-40s %8.2f ms wall %8.2f ms cpu  %8.1f MB/s wall %8.1f MB/s cpu\n", what, wall * 1e3,
                    cpu * 1e3, megabytes / wall, megabytes / cpu);
    };
    line("file by file", static_cast<double>(inputBytes) / 1e6, runs, importAll);
    line("concatenated", static_cast<double>(concatenated.size()) / 1e6, runs, importOne(concatenated));
    const std::string largestLabel = "largest, " + largest.name + " (" + std::to_string(largest.imported.cells.rowLength(0)) +
                                     " x " + std::to_string(largest.imported.cells.rowCount()) + ")";
    line(largestLabel.c_str(), static_cast<double>(largest.data.size()) / 1e6, runs, importOne(largest.data));
    const auto far = importANSFile(farBytes, false);
    const std::string farLabel = "14 bytes to the far corner (" + std::to_string(far->cells.rowLength(0)) + " x " +
                                 std::to_string(far->cells.rowCount()) + ")";
    line(farLabel.c_str(), static_cast<double>(farBytes.size()) / 1e6, 5, importOne(farBytes));
}

// Run as `ans_bench --first-import FILE|far`: one import in this fresh process, which pays
// for every page its grid touches; prints the CPU time and the process's peak memory.
int firstImport(const char* what) {
    std::vector<std::uint8_t> data(farCornerText.begin(), farCornerText.end());
    if (std::strcmp(what, "far") != 0) {
        auto read = readWholeFile(what, 64 << 20);
        if (!read.data) return 1;
        data = std::move(*read.data);
    }
    const double start = glyphloom::bench::threadCpuSeconds();
    const auto imported = importANSFile(data, false);
    const double cpu = glyphloom::bench::threadCpuSeconds() - start;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("  %-40s %8.2f ms cpu  %6ld KiB peak resident  (%d x %d)\n",
                std::strcmp(what, "far") == 0 ? "14 bytes to the far corner" : fs::path(what).filename().c_str(),
                cpu * 1e3, usage.ru_maxrss, imported ? imported->cells.rowLength(0) : 0,
                imported ? imported->cells.rowCount() : 0);
    return 0;
}

// The same in a child process each, with the default allocator.
void firstImportFigures(const std::string& largestPath) {
    std::printf("first import in a fresh process (default allocator):\n");
    std::fflush(stdout);
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    for (const std::string& what : {largestPath, std::string("far")}) {
        const std::string command = "'" + self + "' --first-import '" + what + "'";
        if (std::system(command.c_str()) != 0) std::printf("  (could not run %s)\n", command.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[1], "--first-import") == 0) return firstImport(argv[2]);
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
        // Only the art goes in: the first file's end-of-file mark would end the whole
        // concatenation, and what follows a mark is never read.
        const auto body = artBytes(art.data);
        concatenated.insert(concatenated.end(), body.begin(), body.end());
    }
    const double mb = static_cast<double>(inputBytes) / 1e6;
    constexpr int runs = 15;

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

    std::printf("corpus: %zu files, %.3f MB, %zu cells\n", corpus.size(), mb, cells);
    const Art& largest = *std::max_element(corpus.begin(), corpus.end(),
                                           [](const Art& a, const Art& b) { return a.data.size() < b.data.size(); });
    firstImportFigures((folder / largest.name).string());
    importFigures("default allocator", corpus, concatenated);
    // What the editor runs with: freed grids stay in the process for the next one.
    keepFreedMemoryForReuse();
    importFigures("editor's allocator settings", corpus, concatenated);
    std::printf("export .ans:            %8.1f MB/s written, %.1f Mcells/s  (%.2f ms)\n",
                static_cast<double>(outputBytes) / 1e6 / exportAll, static_cast<double>(cells) / 1e6 / exportAll,
                exportAll * 1e3);
    std::printf("export .utf8.ans:       %8.1f MB/s written  (%.2f ms)\n",
                static_cast<double>(utf8Bytes) / 1e6 / exportUTF8, exportUTF8 * 1e3);
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
