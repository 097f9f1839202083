#include "core/text/utf8.hpp"

#include <utf8proc.h>

namespace glyphloom::utf8 {

Decoded decodeAt(std::string_view text, std::size_t offset) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    const unsigned char lead = bytes[offset];
    if (lead < 0x80) return {lead, 1, true};

    int length = 0;
    char32_t scalar = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, scalar = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, scalar = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, scalar = lead & 0x07, minimum = 0x10000;
    } else {
        return {replacementCharacter, 1, false};
    }
    if (offset + length > size) return {replacementCharacter, 1, false};
    for (int i = 1; i < length; ++i) {
        const unsigned char next = bytes[offset + i];
        if ((next & 0xC0) != 0x80) return {replacementCharacter, 1, false};
        scalar = (scalar << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past the Unicode range are not scalars.
    if (scalar < minimum || scalar > 0x10FFFF || (scalar >= 0xD800 && scalar <= 0xDFFF))
        return {replacementCharacter, 1, false};
    return {scalar, length, true};
}

void append(std::string& out, char32_t scalar) {
    if (scalar > 0x10FFFF || (scalar >= 0xD800 && scalar <= 0xDFFF)) scalar = replacementCharacter;
    if (scalar < 0x80) {
        out.push_back(static_cast<char>(scalar));
    } else if (scalar < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (scalar >> 6)));
        out.push_back(static_cast<char>(0x80 | (scalar & 0x3F)));
    } else if (scalar < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (scalar >> 12)));
        out.push_back(static_cast<char>(0x80 | ((scalar >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (scalar & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (scalar >> 18)));
        out.push_back(static_cast<char>(0x80 | ((scalar >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((scalar >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (scalar & 0x3F)));
    }
}

std::string encode(char32_t scalar) {
    std::string out;
    append(out, scalar);
    return out;
}

std::u32string decode(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Decoded d = decodeAt(text, i);
        out.push_back(d.scalar);
        i += static_cast<std::size_t>(d.length);
    }
    return out;
}

bool isValid(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const Decoded d = decodeAt(text, i);
        if (!d.valid) return false;
        i += static_cast<std::size_t>(d.length);
    }
    return true;
}

std::string asciiLowercase(std::string_view text) {
    std::string out(text);
    for (char& ch : out)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    return out;
}

std::vector<std::string> graphemeClusters(std::string_view text) {
    std::vector<std::string> clusters;
    utf8proc_int32_t breakState = 0;
    bool havePrevious = false;
    utf8proc_int32_t previous = 0;
    for (std::size_t i = 0; i < text.size();) {
        const Decoded d = decodeAt(text, i);
        const auto current = static_cast<utf8proc_int32_t>(d.scalar);
        // A malformed byte stands alone: it neither joins nor is joined.
        const bool startsCluster = !havePrevious || !d.valid ||
                                   utf8proc_grapheme_break_stateful(previous, current, &breakState);
        if (startsCluster) clusters.emplace_back();
        append(clusters.back(), d.scalar);
        if (!d.valid) {
            havePrevious = false;
            breakState = 0;
        } else {
            havePrevious = true;
            previous = current;
        }
        i += static_cast<std::size_t>(d.length);
    }
    return clusters;
}

int displayWidth(std::string_view cluster) {
    int width = 0;
    for (std::size_t i = 0; i < cluster.size();) {
        const Decoded d = decodeAt(cluster, i);
        i += static_cast<std::size_t>(d.length);
        // Malformed bytes are drawn as U+FFFD, one column.
        const int w = d.valid ? utf8proc_charwidth(static_cast<utf8proc_int32_t>(d.scalar)) : 1;
        width = std::max(width, std::min(w, 2));
    }
    return width;
}

int textDisplayWidth(std::string_view text) {
    int width = 0;
    for (const std::string& cluster : graphemeClusters(text)) width += std::max(displayWidth(cluster), 1);
    return width;
}

std::string joined(const std::vector<std::string>& pieces) {
    std::string out;
    for (const auto& piece : pieces) out += piece;
    return out;
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace glyphloom::utf8
