// Compression into a raw DEFLATE stream (no zlib framing): the whole input as one final
// fixed-Huffman block, greedy LZ77 matching over hash chains. The output is fully
// determined by the input (however it is split into pieces), so the PNG files built on it
// are reproducible byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace glyphloom {

std::vector<std::uint8_t> deflateRaw(std::span<const std::uint8_t> input);

// The same compression fed piece by piece: `finish` returns exactly the bytes `deflateRaw`
// gives for all the pieces joined, but only the last 32 KiB and the bytes not yet coded are
// held, so a large picture can be compressed while it is being drawn.
class DeflateStream {
public:
    DeflateStream();
    ~DeflateStream();
    DeflateStream(DeflateStream&&) noexcept;
    DeflateStream& operator=(DeflateStream&&) noexcept;

    void write(std::span<const std::uint8_t> bytes);
    // Ends the stream; the object is spent afterwards.
    std::vector<std::uint8_t> finish();

private:
    struct Coder;
    std::unique_ptr<Coder> coder_;
};

// The fixed literal/length code of a symbol 0..287 (RFC 1951 section 3.2.6): the code
// value, most significant bit first, and its length in bits.
struct HuffmanCode {
    int code;
    int length;
};
HuffmanCode fixedLitCode(int symbol);

// The compressor's position arithmetic. Positions are pointer-sized so that inputs past
// 2 GiB never wrap; what they produce (match lengths, distances) is small by construction.
namespace deflate_positions {
inline constexpr int windowSize = 32768;
inline constexpr int maxMatch = 258;

// The longest match allowed with `remaining` bytes left in the input.
constexpr int matchLimit(std::ptrdiff_t remaining) {
    return remaining < maxMatch ? static_cast<int>(remaining) : maxMatch;
}
// How far back an earlier position lies, or nothing when it has left the window.
constexpr std::optional<int> windowDistance(std::ptrdiff_t at, std::ptrdiff_t earlier) {
    if (at - earlier > windowSize) return std::nullopt;
    return static_cast<int>(at - earlier);
}
// The slot of a position in the window-sized chain table.
constexpr std::size_t chainSlot(std::ptrdiff_t position) {
    return static_cast<std::size_t>(position & (windowSize - 1));
}
}  // namespace deflate_positions

}  // namespace glyphloom
