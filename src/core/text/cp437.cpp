#include "core/text/cp437.hpp"

#include "core/text/cp437_table.hpp"
#include "core/text/utf8.hpp"

namespace glyphloom {
namespace {

// Every scalar the code page or its substitutes know lies below U+2700, so one flat array
// indexed by scalar answers both questions in a single load. Entry layout: the byte in the
// low 8 bits, plus a flag saying whether it is the scalar's own byte or a substitute.
constexpr char32_t lookupLimit = 0x2700;
constexpr std::uint16_t ownByte = 0x100;
constexpr std::uint16_t substituteByte = 0x200;

struct Lookup {
    std::array<std::uint16_t, lookupLimit> entries{};
};

constexpr Lookup buildLookup() {
    Lookup lookup;
    // Walk bytes in order and keep the first byte of a scalar, should the table ever repeat one.
    for (int byte = 0; byte < 256; ++byte) {
        const char32_t scalar = cp437_data::scalarForByte[static_cast<std::size_t>(byte)];
        if (scalar >= lookupLimit) throw "code page scalar beyond the lookup table";
        auto& entry = lookup.entries[scalar];
        if (entry == 0) entry = static_cast<std::uint16_t>(ownByte | byte);
    }
    for (const auto& sub : cp437_data::substitutes) {
        if (sub.scalar >= lookupLimit) throw "substitute beyond the lookup table";
        auto& entry = lookup.entries[sub.scalar];
        // A substitute is only ever consulted for scalars without a byte of their own.
        if (entry & ownByte) throw "substitute for a scalar the code page already has";
        if (entry & substituteByte) throw "duplicate substitute";
        entry = static_cast<std::uint16_t>(substituteByte | sub.byte);
    }
    return lookup;
}

constexpr Lookup lookup = buildLookup();

constexpr bool isBijection() {
    for (int a = 0; a < 256; ++a) {
        for (int b = a + 1; b < 256; ++b) {
            if (cp437_data::scalarForByte[static_cast<std::size_t>(a)] ==
                cp437_data::scalarForByte[static_cast<std::size_t>(b)])
                return false;
        }
    }
    return true;
}
static_assert(isBijection());

// The UTF-8 form of each byte's scalar (at most three bytes: everything is in the BMP), with
// NUL already turned into a blank, so decoding is a copy per byte.
struct Utf8Form {
    std::uint8_t length;
    char bytes[3];
};

constexpr std::array<Utf8Form, 256> buildUtf8Forms() {
    std::array<Utf8Form, 256> forms{};
    for (int byte = 0; byte < 256; ++byte) {
        char32_t s = byte == 0 ? U' ' : cp437_data::scalarForByte[static_cast<std::size_t>(byte)];
        auto& f = forms[static_cast<std::size_t>(byte)];
        if (s < 0x80) {
            f = {1, {static_cast<char>(s), 0, 0}};
        } else if (s < 0x800) {
            f = {2, {static_cast<char>(0xC0 | (s >> 6)), static_cast<char>(0x80 | (s & 0x3F)), 0}};
        } else {
            f = {3,
                 {static_cast<char>(0xE0 | (s >> 12)), static_cast<char>(0x80 | ((s >> 6) & 0x3F)),
                  static_cast<char>(0x80 | (s & 0x3F))}};
        }
    }
    return forms;
}

constexpr std::array<Utf8Form, 256> utf8Forms = buildUtf8Forms();

constexpr std::uint16_t entryFor(char32_t scalar) { return scalar < lookupLimit ? lookup.entries[scalar] : 0; }

constexpr std::uint8_t questionMark = 0x3F;

}  // namespace

const std::array<char32_t, 256>& CP437::scalarForByte() { return cp437_data::scalarForByte; }

std::optional<std::uint8_t> CP437::byteForScalar(char32_t scalar) {
    const std::uint16_t entry = entryFor(scalar);
    if (entry & ownByte) return static_cast<std::uint8_t>(entry);
    return std::nullopt;
}

std::optional<std::uint8_t> CP437::substitute(char32_t scalar) {
    const std::uint16_t entry = entryFor(scalar);
    if (entry & substituteByte) return static_cast<std::uint8_t>(entry);
    return std::nullopt;
}

CP437::ScalarByte CP437::encodeScalar(char32_t scalar) {
    const std::uint16_t entry = entryFor(scalar);
    if (entry & ownByte) return {static_cast<std::uint8_t>(entry), false};
    if (entry & substituteByte) return {static_cast<std::uint8_t>(entry), true};
    return {questionMark, true};
}

std::string CP437::decode(std::span<const std::uint8_t> data) {
    std::size_t length = 0;
    for (std::uint8_t byte : data) length += utf8Forms[byte].length;
    std::string out(length, '\0');
    char* cursor = out.data();
    for (std::uint8_t byte : data) {
        const Utf8Form& form = utf8Forms[byte];
        for (int i = 0; i < form.length; ++i) *cursor++ = form.bytes[i];
    }
    return out;
}

std::string CP437::decode(std::string_view data) {
    return decode(std::span(reinterpret_cast<const std::uint8_t*>(data.data()), data.size()));
}

int CP437::encodeLossyInto(std::string_view text, std::vector<std::uint8_t>& out) {
    int approximated = 0;
    std::size_t offset = 0;
    while (offset < text.size()) {
        const auto lead = static_cast<unsigned char>(text[offset]);
        char32_t scalar = lead;
        if (lead < 0x80) {
            offset += 1;
        } else {
            const utf8::Decoded d = utf8::decodeAt(text, offset);
            scalar = d.valid ? d.scalar : utf8::replacementCharacter;
            offset += static_cast<std::size_t>(d.length);
        }
        const ScalarByte encoded = encodeScalar(scalar);
        out.push_back(encoded.byte);
        approximated += encoded.approximated ? 1 : 0;
    }
    return approximated;
}

CP437::Encoded CP437::encodeLossy(std::string_view text) {
    Encoded result;
    result.data.reserve(text.size());  // never more bytes out than in
    result.approximated = encodeLossyInto(text, result.data);
    return result;
}

bool CP437::canEncode(std::string_view text) {
    std::size_t offset = 0;
    while (offset < text.size()) {
        const utf8::Decoded d = utf8::decodeAt(text, offset);
        if (!d.valid || !(entryFor(d.scalar) & ownByte)) return false;
        offset += static_cast<std::size_t>(d.length);
    }
    return true;
}

}  // namespace glyphloom
