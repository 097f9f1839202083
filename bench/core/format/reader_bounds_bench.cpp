// Figures for the readers on hostile files: each case is made here, read once, and reported
// with its time and the peak heap memory the read added. The bound asked of every reader: at
// most a second, and at most ten times the file's size in memory.
//
// Memory is counted at operator new/delete rather than read from the process's resident
// high-water mark: the allocator keeps memory freed by earlier cases resident and hands it
// out again, so the high-water mark barely moves however much a read allocates.
#include "bench_timing.hpp"

#include <malloc.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "core/codec/zip.hpp"
#include "core/format/drawing_file.hpp"
#include "core/format/preset_bank.hpp"
#include "core/fonts/font_store.hpp"
#include "core/fonts/tdf_reader.hpp"

using namespace glyphloom;
namespace fs = std::filesystem;

namespace {

volatile std::size_t sink = 0;

std::size_t liveHeapBytes = 0;
std::size_t peakHeapBytes = 0;

}  // namespace

// Every C++ allocation of the process goes through these (the array and nothrow forms call
// them), so the counters see what the readers hold at their peak.
void* operator new(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) throw std::bad_alloc();
    liveHeapBytes += malloc_usable_size(p);
    peakHeapBytes = std::max(peakHeapBytes, liveHeapBytes);
    return p;
}

void operator delete(void* p) noexcept {
    if (p == nullptr) return;
    liveHeapBytes -= malloc_usable_size(p);
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {

struct Case {
    const char* name;
    std::size_t fileBytes;
    std::function<void()> read;
};

void run(const Case& c) {
    peakHeapBytes = liveHeapBytes;
    const std::size_t before = liveHeapBytes;
    const double cpuStart = bench::threadCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    c.read();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpuSeconds = bench::threadCpuSeconds() - cpuStart;
    const double addedMB = static_cast<double>(peakHeapBytes - before) / (1024.0 * 1024.0);
    const double fileMB = static_cast<double>(c.fileBytes) / (1024.0 * 1024.0);
    const bool within = cpuSeconds <= 1.0 && addedMB <= 10 * fileMB;
    std::printf("  %-44s %8.2f MB  %7.3f s (cpu %6.3f s)  peak +%8.2f MB (%5.1f× the file)  %s\n", c.name, fileMB,
                seconds, cpuSeconds, addedMB, addedMB / fileMB, within ? "within bounds" : "OUT OF BOUNDS");
}

std::vector<std::uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

void writeFile(const fs::path& path, const std::vector<std::uint8_t>& data) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data.data()),
                                                static_cast<std::streamsize>(data.size()));
}

std::string nestedDocument(std::size_t depth) {
    return R"({"version":5,"columns":80,"rows":25,"presets":)" + std::string(depth, '[') + std::string(depth, ']') + "}";
}

// TheDraw fonts, each with a block of `glyphBytes` that every character points at.
std::vector<std::uint8_t> tdfFile(int fonts, const std::vector<std::uint8_t>& glyph) {
    std::vector<std::uint8_t> out{0x13};
    const std::string signature = "TheDraw FONTS file";
    out.insert(out.end(), signature.begin(), signature.end());
    out.push_back(0x1A);
    for (int f = 0; f < fonts; ++f) {
        out.insert(out.end(), {0x55, 0xAA, 0x00, 0xFF, 4, 'T', 'a', 'l', 'l'});
        out.resize(out.size() + 8 + 4);
        out.push_back(1);  // block font
        out.push_back(1);
        out.push_back(static_cast<std::uint8_t>(glyph.size() & 0xFF));
        out.push_back(static_cast<std::uint8_t>(glyph.size() >> 8));
        out.resize(out.size() + 2 * 94, 0);  // every offset 0
        out.insert(out.end(), glyph.begin(), glyph.end());
    }
    return out;
}

// "1 × 1" declared, rows of one cell until the 16-bit block size is full.
std::vector<std::uint8_t> tallGlyph() {
    std::vector<std::uint8_t> glyph{1, 1};
    while (glyph.size() + 3 <= 0xFFFF) glyph.insert(glyph.end(), {'X', 0x0D});
    glyph.push_back(0);
    return glyph;
}

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) { out.insert(out.end(), {std::uint8_t(v), std::uint8_t(v >> 8)}); }
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) { put16(out, v & 0xFFFF), put16(out, v >> 16); }

// `members` copies of one member that inflates to a full `zipMemberLimit` and then fails its
// CRC check.
std::vector<std::uint8_t> wrongCRCArchive(int members) {
    const std::vector<std::uint8_t> plain(zipMemberLimit, 0);
    uLongf size = compressBound(static_cast<uLong>(plain.size()));
    std::vector<std::uint8_t> zlibStream(size);
    compress2(zlibStream.data(), &size, plain.data(), static_cast<uLong>(plain.size()), 9);
    // A raw DEFLATE stream: the zlib stream without its 2-byte header and 4-byte checksum.
    const std::vector<std::uint8_t> raw(zlibStream.begin() + 2, zlibStream.begin() + static_cast<std::ptrdiff_t>(size) - 4);
    std::vector<std::uint8_t> out;
    for (int m = 0; m < members; ++m) {
        const std::string name = "font" + std::to_string(m) + ".tdf";
        out.insert(out.end(), {'P', 'K', 3, 4});
        put16(out, 20), put16(out, 0), put16(out, 8), put16(out, 0), put16(out, 0);
        put32(out, 0x12345678), put32(out, static_cast<std::uint32_t>(raw.size())),
            put32(out, static_cast<std::uint32_t>(plain.size()));
        put16(out, static_cast<std::uint32_t>(name.size())), put16(out, 0);
        out.insert(out.end(), name.begin(), name.end());
        out.insert(out.end(), raw.begin(), raw.end());
    }
    return out;
}

}  // namespace

int main() {
    const fs::path folder = fs::temp_directory_path() / ("glyphloom-reader-bounds-" + std::to_string(::getpid()));
    fs::create_directories(folder / "fonts");

    const auto deep = bytesOf(nestedDocument(85'000));
    std::string rows;
    while (rows.size() < 60'000'000) rows += "[],";
    rows.pop_back();
    const auto emptyRows = bytesOf(R"({"version":5,"columns":80,"rows":25,"layers":[{"cells":[)" + rows + "]}]}");
    rows = {};
    std::string lines;
    for (int i = 0; i < 5'000'000; ++i) lines += i ? ",\"c\"" : "\"c\"";
    const auto comments = bytesOf(R"({"version":5,"columns":80,"rows":25,"sauceComments":[)" + lines + "]}");
    lines = {};
    std::string slots = "[";
    for (int i = 0; i < 700'000; ++i) slots += (i ? "," : "") + std::string(R"({"name":"slot)") + std::to_string(i) + "\"}";
    slots += "]";
    const fs::path presetsPath = folder / "presets.json";
    writeFile(presetsPath, bytesOf(slots));
    const std::size_t presetBytes = slots.size();
    slots = {};
    const auto tall = tdfFile(1, tallGlyph());
    const auto tallMegabyte = tdfFile(16, tallGlyph());
    writeFile(folder / "fonts" / "tall.tdf", tallMegabyte);
    const auto archive = wrongCRCArchive(64);

    std::printf("Readers on hostile files (bound: ≤ 1 s of CPU, ≤ 10× the file's size in added heap)\n");
    const Case cases[] = {
        {"document, presets nested 85,000 deep", deep.size(), [&] { sink = importGlyphloomData(deep).has_value(); }},
        {"document, 20 million empty rows", emptyRows.size(),
         [&] { sink = importGlyphloomData(emptyRows)->layers->front().cells.rowCount(); }},
        {"document, 5 million sauceComments", comments.size(),
         [&] { sink = importGlyphloomData(comments)->sauceComments->size(); }},
        {"presets.json, 700,000 slots", presetBytes, [&] { sink = loadPresets(presetsPath.string()).size(); }},
        {"TheDraw, 94 glyphs at one 1 × 1 of 32,766 rows", tall.size(), [&] { sink = fromTDF("t", tall).size(); }},
        {"TheDraw, 16 such fonts", tallMegabyte.size(), [&] { sink = fromTDF("t", tallMegabyte).size(); }},
        {"fonts folder at start, holding the 16 fonts", tallMegabyte.size(),
         [&] { sink = loadImportedTDFFonts((folder / "fonts").string()).size(); }},
        {"ZIP, 64 members of 16 MiB with a wrong CRC", archive.size(),
         [&] { sink = readZipArchive(archive).skipped.size(); }},
        {"ZIP import of the same", archive.size(),
         [&] { sink = importFonts(archive, "bad.zip", (folder / "imported").string()).skipped.size(); }},
    };
    for (const Case& c : cases) run(c);
    fs::remove_all(folder);
    return 0;
}
