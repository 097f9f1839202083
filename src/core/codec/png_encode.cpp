// PNG writer. The filter choice is fixed (None on the first row, Up after) rather than
// adaptive: rendered text art repeats vertically inside each 16-pixel cell row, so Up
// turns most rows into zeros that the compressor folds into long runs.
//
// Format notes (PNG, ISO/IEC 15948): chunk = length (data bytes, big-endian), type, data,
// CRC-32 over type and data. IDAT carries a zlib stream (RFC 1950): CMF 0x78 (deflate,
// 32K window), FLG 0x01 (check bits, fastest level), raw DEFLATE, Adler-32 big-endian.
#include "core/codec/png_encode.hpp"

#include <cstring>

#include "core/codec/checksum.hpp"
#include "core/codec/deflate.hpp"
#include "core/codec/png_signature.hpp"

namespace glyphloom {
namespace {


void appendBE32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    const auto b = be32(v);
    out.insert(out.end(), b.begin(), b.end());
}

void appendChunk(std::vector<std::uint8_t>& out, const char (&type)[5], std::span<const std::uint8_t> data) {
    appendBE32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    appendBE32(out, crc32(std::span(out).subspan(typeAt)));
}

// dst = row − above, byte by byte modulo 256, eight bytes at a time: the high bit of each
// byte is kept out of the subtraction so no borrow crosses into the next byte, then put back.
void upFilter(std::uint8_t* dst, const std::uint8_t* row, const std::uint8_t* above, std::size_t n) {
    constexpr std::uint64_t high = 0x8080808080808080u;
    std::size_t x = 0;
    for (; x + 8 <= n; x += 8) {
        std::uint64_t r, a;
        std::memcpy(&r, row + x, 8);
        std::memcpy(&a, above + x, 8);
        const std::uint64_t d = ((r | high) - (a & ~high)) ^ ((r ^ ~a) & high);
        std::memcpy(dst + x, &d, 8);
    }
    for (; x < n; ++x) dst[x] = static_cast<std::uint8_t>(row[x] - above[x]);
}

}  // namespace

std::array<std::uint8_t, 4> be32(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v >> 24), static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v)};
}

PNGRowEncoder::PNGRowEncoder(int width, int height)
    : width_(width), height_(height), stride_(width > 0 ? static_cast<std::size_t>(width) * 3 : 0) {
    above_.assign(stride_, 0);
    line_.resize(stride_ + 1);
}

void PNGRowEncoder::addRow(std::span<const std::uint8_t> rgbRow) {
    // A zero-width picture has no rows to code (and `finish` refuses it anyway).
    if (stride_ == 0 || rgbRow.size() != stride_ || rowsAdded_ >= height_) {
        broken_ = true;
        return;
    }
    // The filtered scanline: a filter byte, then the row (None) or its difference to the
    // row above (Up).
    std::uint8_t* dst = line_.data();
    const std::uint8_t* row = rgbRow.data();
    if (rowsAdded_ == 0) {
        dst[0] = 0;
        std::memcpy(dst + 1, row, stride_);
    } else {
        dst[0] = 2;
        upFilter(dst + 1, row, above_.data(), stride_);
    }
    std::memcpy(above_.data(), row, stride_);
    adler_ = adler32(line_, adler_);
    deflate_.write(line_);
    ++rowsAdded_;
}

std::vector<std::uint8_t> PNGRowEncoder::finish() {
    if (width_ <= 0 || height_ <= 0 || broken_ || rowsAdded_ != height_) return {};
    const std::vector<std::uint8_t> packed = deflate_.finish();

    std::vector<std::uint8_t> out(pngSignature.begin(), pngSignature.end());
    out.reserve(packed.size() + 64);
    std::vector<std::uint8_t> ihdr;
    appendBE32(ihdr, static_cast<std::uint32_t>(width_));
    appendBE32(ihdr, static_cast<std::uint32_t>(height_));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // depth 8, RGB, deflate, adaptive filters, no interlace
    appendChunk(out, "IHDR", ihdr);

    // IDAT is built in place: its zlib stream is header, DEFLATE data and Adler-32.
    appendBE32(out, static_cast<std::uint32_t>(2 + packed.size() + 4));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), {'I', 'D', 'A', 'T', 0x78, 0x01});
    out.insert(out.end(), packed.begin(), packed.end());
    appendBE32(out, adler_);
    appendBE32(out, crc32(std::span(out).subspan(typeAt)));

    appendChunk(out, "IEND", {});
    return out;
}

std::vector<std::uint8_t> encodePNG(int width, int height, std::span<const std::uint8_t> rgb) {
    if (width <= 0 || height <= 0) return {};
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    if (rgb.size() / stride != static_cast<std::size_t>(height) || rgb.size() % stride != 0) return {};
    PNGRowEncoder encoder(width, height);
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) encoder.addRow(rgb.subspan(y * stride, stride));
    return encoder.finish();
}

}  // namespace glyphloom
