// PNG reader. Chunk CRCs and the zlib header and Adler-32 are not checked: a file whose
// image data decodes is shown rather than refused over a damaged checksum. Ancillary
// chunks (transparency included) are skipped.
//
// Format notes (PNG, ISO/IEC 15948): signature 89 50 4E 47 0D 0A 1A 0A; chunks of length
// (big-endian), type, data, CRC. IHDR: width, height, bit depth, colour type, compression,
// filter, interlace. The IDAT chunks together form one zlib stream of scanlines, each a
// filter byte (0 None, 1 Sub, 2 Up, 3 Average, 4 Paeth) and width × bytes-per-pixel bytes.
#include "core/codec/png_decode.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include "core/codec/inflate.hpp"
#include "core/codec/png_signature.hpp"

namespace glyphloom {
namespace {


std::uint32_t readBE32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

struct Header {
    std::uint32_t width = 0, height = 0;
    int bitDepth = 0, colorType = 0, interlace = 0;
};

// Bytes per pixel of an 8-bit colour type, 0 for types this reader does not take.
int bytesPerPixel(int colorType) {
    switch (colorType) {
        case 0: return 1;  // grey
        case 2: return 3;  // RGB
        case 3: return 1;  // palette index
        case 4: return 2;  // grey, alpha
        case 6: return 4;  // RGBA
        default: return 0;
    }
}

std::uint8_t paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return static_cast<std::uint8_t>(a);
    if (pb <= pc) return static_cast<std::uint8_t>(b);
    return static_cast<std::uint8_t>(c);
}

// Undoes the filters in place. `data` holds `height` rows of 1 + stride bytes; afterwards
// each row's bytes are the raw samples (its filter byte is left as it was).
bool unfilter(std::vector<std::uint8_t>& data, std::size_t stride, std::size_t height, std::size_t bpp) {
    const std::uint8_t* prev = nullptr;
    for (std::size_t y = 0; y < height; ++y) {
        std::uint8_t* row = data.data() + y * (stride + 1);
        const std::uint8_t type = row[0];
        std::uint8_t* cur = row + 1;
        switch (type) {
            case 0: break;
            case 1:
                for (std::size_t x = bpp; x < stride; ++x) cur[x] = static_cast<std::uint8_t>(cur[x] + cur[x - bpp]);
                break;
            case 2:
                if (prev)
                    for (std::size_t x = 0; x < stride; ++x) cur[x] = static_cast<std::uint8_t>(cur[x] + prev[x]);
                break;
            case 3:
                for (std::size_t x = 0; x < stride; ++x) {
                    const int left = x >= bpp ? cur[x - bpp] : 0;
                    const int up = prev ? prev[x] : 0;
                    cur[x] = static_cast<std::uint8_t>(cur[x] + ((left + up) >> 1));
                }
                break;
            case 4:
                for (std::size_t x = 0; x < stride; ++x) {
                    const int left = x >= bpp ? cur[x - bpp] : 0;
                    const int up = prev ? prev[x] : 0;
                    const int upLeft = (prev && x >= bpp) ? prev[x - bpp] : 0;
                    cur[x] = static_cast<std::uint8_t>(cur[x] + paeth(left, up, upLeft));
                }
                break;
            default: return false;
        }
        prev = cur;
    }
    return true;
}

std::optional<DecodedImage> refuse(PNGRefusal why, PNGRefusal* out) {
    if (out) *out = why;
    return std::nullopt;
}

}  // namespace

std::optional<DecodedImage> decodePNG(std::span<const std::uint8_t> data, PNGRefusal* refusal) {
    if (refusal) *refusal = PNGRefusal::none;
    if (data.size() < pngSignature.size() || !std::equal(pngSignature.begin(), pngSignature.end(), data.begin()))
        return refuse(PNGRefusal::notPNG, refusal);

    // Walk the chunks. A chunk that claims more bytes than the file has ends the walk, so
    // the IDAT buffer can never outgrow the file.
    std::optional<Header> header;
    std::vector<std::uint8_t> palette;
    std::vector<std::uint8_t> idat;
    std::size_t pos = pngSignature.size();
    while (data.size() - pos >= 12) {
        const std::uint32_t length = readBE32(data.data() + pos);
        const std::uint8_t* type = data.data() + pos + 4;
        if (length > data.size() - pos - 12) break;
        const std::uint8_t* body = type + 4;
        pos += 12 + std::size_t{length};
        if (std::memcmp(type, "IHDR", 4) == 0) {
            if (header || length < 13) continue;
            header = Header{readBE32(body), readBE32(body + 4), body[8], body[9], body[12]};
        } else if (std::memcmp(type, "PLTE", 4) == 0) {
            palette.assign(body, body + (length / 3) * 3);
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            idat.insert(idat.end(), body, body + length);
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            break;
        }
    }
    if (!header) return refuse(PNGRefusal::noHeader, refusal);

    const std::int64_t width = header->width, height = header->height;
    if (width == 0 || height == 0 || width > pngMaxPixels || height > pngMaxPixels || width * height > pngMaxPixels)
        return refuse(PNGRefusal::badDimensions, refusal);
    const int bpp = bytesPerPixel(header->colorType);
    if (header->bitDepth != 8 || header->interlace != 0 || bpp == 0) return refuse(PNGRefusal::unsupportedFormat, refusal);
    if (idat.size() < 7) return refuse(PNGRefusal::noImageData, refusal);

    // The image needs exactly this many decompressed bytes; decoding stops there, so a
    // stream that would expand further (a bomb, or trailing junk) costs nothing more.
    const std::size_t stride = static_cast<std::size_t>(width) * static_cast<std::size_t>(bpp);
    const std::size_t rows = static_cast<std::size_t>(height);
    const std::size_t needed = (stride + 1) * rows;
    const std::span<const std::uint8_t> stream(idat.data() + 2, idat.size() - 6);
    std::optional<std::vector<std::uint8_t>> raw = inflateRawPrefix(stream, needed);
    idat = {};
    if (!raw) return refuse(PNGRefusal::badCompression, refusal);
    if (!unfilter(*raw, stride, rows, static_cast<std::size_t>(bpp))) return refuse(PNGRefusal::badFilter, refusal);

    DecodedImage image{static_cast<int>(width), static_cast<int>(height), {}};
    image.rgba.assign(static_cast<std::size_t>(width * height) * 4, 255);
    std::uint8_t* px = image.rgba.data();
    const std::size_t paletteEntries = palette.size() / 3;
    for (std::size_t y = 0; y < rows; ++y) {
        const std::uint8_t* s = raw->data() + y * (stride + 1) + 1;
        for (std::int64_t x = 0; x < width; ++x, px += 4) {
            switch (header->colorType) {
                case 0: px[0] = px[1] = px[2] = s[0]; s += 1; break;
                case 2: px[0] = s[0]; px[1] = s[1]; px[2] = s[2]; s += 3; break;
                case 3:
                    // An index past the palette leaves the pixel opaque white.
                    if (s[0] < paletteEntries) std::memcpy(px, palette.data() + s[0] * 3, 3);
                    s += 1;
                    break;
                case 4: px[0] = px[1] = px[2] = s[0]; px[3] = s[1]; s += 2; break;
                default: std::memcpy(px, s, 4); s += 4; break;
            }
        }
    }
    return image;
}

}  // namespace glyphloom
