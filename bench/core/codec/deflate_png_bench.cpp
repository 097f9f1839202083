// DEFLATE and PNG export figures, side by side with zlib in the same run:
//   inflate throughput (text, and a rendered document) against zlib's inflate;
//   deflateRaw speed and size on rendered documents against zlib levels 1 and 6;
//   exportPNGData of a 320 × 200 document end to end.
#include "bench_timing.hpp"
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/codec/deflate.hpp"
#include "core/render/image_export.hpp"
#include "core/codec/inflate.hpp"

namespace {

using namespace glyphloom;
using glyphloom::bench::medianSeconds;
using Bytes = std::vector<std::uint8_t>;


double mbps(std::size_t bytes, double seconds) { return static_cast<double>(bytes) / 1e6 / seconds; }

Bytes text(std::size_t n) {
    const char* words[] = {"the ",   "of ",    "and ",  "glyph ",  "colour ", "layer ", "block ", "shade ",
                           "cell ",  "row ",   "with ", "render ", "art ",    "ANSI ",  "frame ", "palette ",
                           "is ",    "a ",     "to ",   "in ",     "that ",   "it ",    "for ",   "on ",
                           "file, ", "save. ", "\n",    "(",       ") ",      "when ",  "every ", "document "};
    std::mt19937 rng(42);
    std::string s;
    while (s.size() < n) s += words[rng() % 32];
    s.resize(n);
    return Bytes(s.begin(), s.end());
}

// Art-like content: colour patches, shading characters, spans of blank background.
std::vector<std::vector<ANSICell>> artDocument(int rows, int cols) {
    std::mt19937 rng(7);
    const char* chars[] = {" ", " ", " ", "#", "%", "@", "*", "+", "=", "-", ":", ".", "o", "O", "|", "/"};
    std::vector<std::vector<ANSICell>> doc(static_cast<std::size_t>(rows));
    for (int r = 0; r < rows; ++r) {
        auto& row = doc[static_cast<std::size_t>(r)];
        row.resize(static_cast<std::size_t>(cols));
        for (int c = 0; c < cols; ++c) {
            const int patch = (r / 6) * 7 + c / 11;
            ANSICell cell;
            cell.character = CellChar(chars[(rng() % 5 == 0) ? rng() % 16 : patch % 16]);
            cell.foreground = ANSIColorValue::ansi16(static_cast<int>((patch * 5 + 3) % 16));
            cell.background = patch % 3 == 0 ? ANSIColorValue::ansi256(static_cast<int>(16 + patch % 216))
                                             : ANSIColorValue::ansi16(static_cast<int>(patch % 8));
            row[static_cast<std::size_t>(c)] = cell;
        }
    }
    return doc;
}

// The scanlines the PNG writer hands to the compressor: None on row 0, Up after.
Bytes filteredScanlines(const RenderedImage& img) {
    const std::size_t stride = static_cast<std::size_t>(img.width) * 3;
    Bytes out;
    out.reserve((stride + 1) * static_cast<std::size_t>(img.height));
    for (int y = 0; y < img.height; ++y) {
        out.push_back(y == 0 ? 0 : 2);
        const std::uint8_t* row = img.rgb.data() + static_cast<std::size_t>(y) * stride;
        for (std::size_t x = 0; x < stride; ++x) out.push_back(static_cast<std::uint8_t>(y == 0 ? row[x] : row[x] - row[x - stride]));
    }
    return out;
}

Bytes zlibDeflate(const Bytes& in, int level) {
    z_stream z{};
    deflateInit2(&z, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    Bytes out(deflateBound(&z, static_cast<uLong>(in.size())));
    z.next_in = const_cast<Bytef*>(in.data());
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

Bytes zlibInflate(const Bytes& in, std::size_t size) {
    z_stream z{};
    inflateInit2(&z, -15);
    Bytes out(size);
    z.next_in = const_cast<Bytef*>(in.data());
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    if (inflate(&z, Z_FINISH) != Z_STREAM_END) std::fprintf(stderr, "zlib inflate failed\n");
    inflateEnd(&z);
    return out;
}

void inflateFigures(const char* name, const Bytes& data, int runs) {
    const Bytes packed = zlibDeflate(data, 6);
    Bytes ours, theirs;
    const double tOurs = medianSeconds(runs, [&] { ours = *inflateRaw(packed, data.size()); });
    const double tZlib = medianSeconds(runs, [&] { theirs = zlibInflate(packed, data.size()); });
    if (ours != data || theirs != data) std::fprintf(stderr, "inflate mismatch on %s\n", name);
    std::printf("inflate  %-28s %6.1f MB -> ours %7.1f MB/s, zlib %7.1f MB/s, ratio %.2fx zlib\n", name,
                static_cast<double>(data.size()) / 1e6, mbps(data.size(), tOurs), mbps(data.size(), tZlib), tZlib / tOurs);
}

void deflateFigures(const char* name, const Bytes& data, int runs) {
    Bytes ours, z1, z6;
    const double tOurs = medianSeconds(runs, [&] { ours = deflateRaw(data); });
    const double t1 = medianSeconds(runs, [&] { z1 = zlibDeflate(data, 1); });
    const double t6 = medianSeconds(runs, [&] { z6 = zlibDeflate(data, 6); });
    if (*inflateRaw(ours, data.size()) != data) std::fprintf(stderr, "deflate round trip failed on %s\n", name);
    std::printf("deflate  %-28s %6.1f MB in\n", name, static_cast<double>(data.size()) / 1e6);
    std::printf("           ours      %8.1f ms %7.1f MB/s  %9zu bytes\n", tOurs * 1e3, mbps(data.size(), tOurs), ours.size());
    std::printf("           zlib -1   %8.1f ms %7.1f MB/s  %9zu bytes  (ours: %.2fx its time, %.2fx its size)\n", t1 * 1e3,
                mbps(data.size(), t1), z1.size(), tOurs / t1, static_cast<double>(ours.size()) / static_cast<double>(z1.size()));
    std::printf("           zlib -6   %8.1f ms %7.1f MB/s  %9zu bytes  (ours: %.2fx its time, %.2fx its size)\n", t6 * 1e3,
                mbps(data.size(), t6), z6.size(), tOurs / t6, static_cast<double>(ours.size()) / static_cast<double>(z6.size()));
}

}  // namespace

int main() {
    const auto small = artDocument(50, 160);
    const auto big = artDocument(200, 320);
    const RenderedImage smallRender = renderDocRGB(small);
    const RenderedImage bigRender = renderDocRGB(big);
    const Bytes smallScanlines = filteredScanlines(smallRender);
    const Bytes bigScanlines = filteredScanlines(bigRender);

    inflateFigures("text", text(32u << 20), 5);
    inflateFigures("320x200 render (scanlines)", bigScanlines, 5);

    deflateFigures("160x50 render (1280x800)", smallScanlines, 7);
    deflateFigures("320x200 render (2560x3200)", bigScanlines, 5);

    std::vector<std::uint8_t> png;
    const double tRender = medianSeconds(5, [&] { (void)renderDocRGB(big); });
    const double tExport = medianSeconds(5, [&] { png = exportPNGData(big); });
    std::printf("exportPNGData 320x200 (2560x3200 px): %.1f ms total (render alone %.1f ms), %zu bytes\n", tExport * 1e3,
                tRender * 1e3, png.size());
    return 0;
}
