// Reading speed of each picture format other than ANSI art, over the shared corpus: every
// file of a format read over and over (a concatenation is no longer one picture in most of
// these formats), reported as input megabytes per second.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "bench_timing.hpp"
#include "core/format/art_file.hpp"
#include "core/io/file_io.hpp"

using namespace glyphloom;
namespace fs = std::filesystem;

namespace {

volatile std::size_t sink = 0;

const char* formatName(ArtFormat format) {
    switch (format) {
        case ArtFormat::ansi: return "ANSI";
        case ArtFormat::ansiUTF8: return "UTF-8 ANSI";
        case ArtFormat::xbin: return "XBin";
        case ArtFormat::binaryText: return "BinaryText";
        case ArtFormat::artWorx: return "ArtWorx";
        case ArtFormat::iceDraw: return "iCE Draw";
        case ArtFormat::pcBoard: return "PCBoard";
        case ArtFormat::avatar: return "Avatar";
        case ArtFormat::tundra: return "TundraDraw";
    }
    return "?";
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path folder = argc > 1 ? fs::path(argv[1]) : fs::path(GLYPHLOOM_CORPUS_DIR) / "formats";
    std::map<ArtFormat, std::vector<std::vector<std::uint8_t>>> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const ArtFormat format = artFormatForPath(entry.path().string());
        if (!entry.is_regular_file() || format == ArtFormat::ansi || format == ArtFormat::ansiUTF8) continue;
        auto read = readWholeFile(entry.path().string(), 64 << 20);
        if (read.data) files[format].push_back(std::move(*read.data));
    }
    if (files.empty()) {
        std::printf("art_formats_bench: no corpus at %s (pass a folder of picture files)\n", folder.c_str());
        return 0;
    }
    // About 20 MB of input per format and run.
    constexpr std::size_t targetBytes = 20u << 20;
    std::printf("%-12s %6s %10s %12s %12s\n", "format", "files", "bytes", "MB/s wall", "MB/s cpu");
    for (const auto& [format, datas] : files) {
        std::size_t bytes = 0;
        for (const auto& data : datas) bytes += data.size();
        const std::size_t repeats = std::max<std::size_t>(1, targetBytes / bytes);
        auto readAll = [&, format = format] {
            for (std::size_t i = 0; i < repeats; ++i)
                for (const auto& data : datas) sink = sink + static_cast<std::size_t>(readArtFile(data, format).art->cells.rowCount());
        };
        const auto timing = bench::medianTiming(7, readAll);
        const double megabytes = static_cast<double>(bytes * repeats) / 1e6;
        std::printf("%-12s %6zu %10zu %12.1f %12.1f  file by file\n", formatName(format), datas.size(), bytes,
                    megabytes / timing.wall, megabytes / timing.cpu);
        if (format != ArtFormat::pcBoard && format != ArtFormat::avatar) continue;
        // Display files are text: one long stream of them (their end-of-file marks dropped) is
        // still one display file, and shows the reader's speed without the cost per file.
        std::vector<std::uint8_t> stream;
        while (stream.size() < targetBytes / 4) {
            for (const auto& data : datas) {
                const auto end = std::find(data.begin(), data.end(), std::uint8_t{0x1A});
                stream.insert(stream.end(), data.begin(), end);
            }
        }
        const auto streamTiming = bench::medianTiming(
            7, [&, format = format] { sink = sink + static_cast<std::size_t>(readArtFile(stream, format).art->cells.rowCount()); });
        const double streamMegabytes = static_cast<double>(stream.size()) / 1e6;
        std::printf("%-12s %6s %10zu %12.1f %12.1f  concatenated\n", "", "", stream.size(),
                    streamMegabytes / streamTiming.wall, streamMegabytes / streamTiming.cpu);
    }
    return 0;
}
