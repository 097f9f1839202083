// Figures for the per-pixel and per-cell colour paths and the CP437 writer: nearest-palette
// searches over every 24-bit colour, and encoding a 1 MB mixed text. Also sweeps all 16.7
// million colours once to confirm the fast 256-colour search agrees with the plain scan.
#include "bench_timing.hpp"
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/color/color_math.hpp"
#include "core/text/cp437.hpp"

using namespace glyphloom;
using glyphloom::bench::medianSeconds;

namespace {

using Clock = std::chrono::steady_clock;


// Sums the results so the compiler cannot drop the searches.
volatile std::uint64_t sink = 0;

template <typename Search>
void allColours(Search search) {
    std::uint64_t sum = 0;
    for (int r = 0; r < 256; ++r)
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b) sum += static_cast<std::uint64_t>(search(r, g, b).n);
    sink = sink + sum;
}

template <typename Search>
void sample(const std::vector<RGB>& colours, Search search) {
    std::uint64_t sum = 0;
    for (const RGB& c : colours) sum += static_cast<std::uint64_t>(search(c.r, c.g, c.b).n);
    sink = sink + sum;
}

std::string mixedText(std::size_t bytes) {
    // Typical art: mostly ASCII and blocks, box lines, accented letters, some look-alikes and
    // a few characters with no CP437 form at all.
    const char* pieces[] = {"Hello, world! ", "░▒▓█▀▄", "┌──┐│└┘", "╔═╗║╚╝", "café über ", "╭╮╰╯", "▖▗▘▝",
                            "αβγ", "😀", "e\u0301", "    ", "\n"};
    std::mt19937 engine(1);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::string text;
    while (text.size() < bytes) text += pieces[pick(engine)];
    return text;
}

}  // namespace

int main() {
    constexpr double allCount = 256.0 * 256.0 * 256.0;
    std::printf("colour bench (median of repeated runs)\n");

    const double fast = medianSeconds(5, [] { allColours(nearestANSI256); });
    std::printf("  nearestANSI256, all 16.7M colours:      %8.1f ms  %6.1f ns/colour\n", fast * 1e3,
                fast / allCount * 1e9);
    const double scan = medianSeconds(3, [] { allColours(nearestANSI256Scan); });
    std::printf("  linear scan of 256, all 16.7M colours:  %8.1f ms  %6.1f ns/colour  (fast search %.1fx)\n",
                scan * 1e3, scan / allCount * 1e9, scan / fast);

    std::size_t mismatches = 0;
    for (int r = 0; r < 256; ++r)
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b) mismatches += nearestANSI256(r, g, b) != nearestANSI256Scan(r, g, b);
    std::printf("  fast vs scan over all 16.7M colours:    %zu mismatches\n", mismatches);

    std::vector<RGB> million(1'000'000);
    std::mt19937 engine(42);
    std::uniform_int_distribution<int> channel(0, 255);
    for (RGB& c : million) {
        c = {static_cast<std::uint8_t>(channel(engine)), static_cast<std::uint8_t>(channel(engine)),
             static_cast<std::uint8_t>(channel(engine))};
    }
    const double fastSample = medianSeconds(7, [&] { sample(million, nearestANSI256); });
    const double scanSample = medianSeconds(3, [&] { sample(million, nearestANSI256Scan); });
    std::printf("  nearestANSI256, 1M random colours:      %8.1f ms  %6.1f ns/colour\n", fastSample * 1e3,
                fastSample * 1e3);
    std::printf("  linear scan of 256, 1M random colours:  %8.1f ms  %6.1f ns/colour  (fast search %.1fx)\n",
                scanSample * 1e3, scanSample * 1e3, scanSample / fastSample);
    const double n16 = medianSeconds(7, [&] { sample(million, nearestANSI16); });
    const double chroma = medianSeconds(7, [&] { sample(million, nearestChromatic256); });
    std::printf("  nearestANSI16, 1M random colours:       %8.1f ms  %6.1f ns/colour\n", n16 * 1e3, n16 * 1e3);
    std::printf("  nearestChromatic256, 1M random colours: %8.1f ms  %6.1f ns/colour\n", chroma * 1e3, chroma * 1e3);

    const std::string text = mixedText(1 << 20);
    int approximated = 0;
    const double encode = medianSeconds(21, [&] {
        const CP437::Encoded out = CP437::encodeLossy(text);
        approximated = out.approximated;
        sink = sink + out.data.size();
    });
    std::printf("  CP437 encodeLossy, 1 MB mixed text:     %8.2f ms  %6.0f MB/s  (%d approximated)\n", encode * 1e3,
                text.size() / encode / 1e6, approximated);

    std::vector<std::uint8_t> bytes(1 << 20);
    for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>(channel(engine));
    const double decode = medianSeconds(21, [&] { sink = sink + CP437::decode(bytes).size(); });
    std::printf("  CP437 decode, 1 MB random bytes:        %8.2f ms  %6.0f MB/s\n", decode * 1e3,
                bytes.size() / decode / 1e6);
    return mismatches == 0 ? 0 : 1;
}
