// FIGlet fonts.
//
// Format notes. The first line is the header: "flf2a" immediately followed by the hard-blank
// character, then height, baseline, maximum length, old layout and the number of comment
// lines (more fields may follow and are ignored). After the comments come the glyphs of
// U+0020 … U+007E, `height` lines each. Every glyph line ends in an end mark, which is
// whatever character the line ends with once trailing blanks are set aside ("@" mostly, "#"
// or "$" or DEL elsewhere); the last line of a glyph doubles it. Hard blanks print as blanks
// but keep glyphs from being squeezed.
#include "core/fonts/figlet_reader.hpp"

#include <charconv>
#include <vector>

#include "core/text/utf8.hpp"

namespace glyphloom {
namespace {

constexpr char32_t firstCharacter = 0x20;
constexpr char32_t lastCharacter = 0x7E;

std::vector<std::string_view> splitLines(std::string_view content) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start <= content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string_view::npos) end = content.size();
        std::string_view line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        // The newline that ends the last line does not start another.
        if (end == content.size() && line.empty() && !lines.empty()) break;
        lines.push_back(line);
        if (end == content.size()) break;
        start = end + 1;
    }
    return lines;
}

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
        const std::size_t start = pos;
        while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t') ++pos;
        if (pos > start) fields.push_back(line.substr(start, pos - start));
    }
    return fields;
}

std::optional<int> parseNumber(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// Byte length of the last UTF-8 scalar of a non-empty text.
std::size_t lastScalarLength(std::string_view text) {
    std::size_t start = text.size() - 1;
    while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80 && text.size() - start < 4) --start;
    return text.size() - start;
}

// A glyph line without its end mark (one, or two on a glyph's last line) and with hard
// blanks turned into blanks. Blanks after the end mark are not part of the line: the end
// mark is the last character before them (some fonts in the wild end their lines in "@ ").
std::string glyphLine(std::string_view line, std::string_view hardBlank) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    if (!line.empty()) {
        const std::string_view mark = line.substr(line.size() - lastScalarLength(line));
        line.remove_suffix(mark.size());
        if (line.ends_with(mark)) line.remove_suffix(mark.size());
    }
    std::string out;
    out.reserve(line.size());
    for (std::size_t pos = 0; pos < line.size();) {
        if (!hardBlank.empty() && line.substr(pos).starts_with(hardBlank)) {
            out += ' ';
            pos += hardBlank.size();
        } else {
            out += line[pos++];
        }
    }
    return out;
}

}  // namespace

std::optional<BlockFont> fromFIGlet(const std::string& id, const std::string& name, std::string_view content) {
    const auto lines = splitLines(content);
    const auto fields = splitFields(lines.front());
    if (fields.size() < 6) return std::nullopt;
    const std::string_view signature = fields[0];
    if (!signature.starts_with("flf2a") && !signature.starts_with("tlf2a")) return std::nullopt;
    const std::string_view afterSignature = signature.substr(5);
    const std::string_view hardBlank =
        afterSignature.empty() ? std::string_view() : afterSignature.substr(0, utf8::decodeAt(afterSignature, 0).length);
    std::optional<int> numbers[5];
    for (int i = 0; i < 5; ++i)
        if (!(numbers[i] = parseNumber(fields[static_cast<std::size_t>(i) + 1]))) return std::nullopt;
    const int height = *numbers[0];
    const int commentLines = *numbers[4];
    // A height past any real font would only build huge blank glyphs.
    if (height < 1 || height > maxFIGletHeight || commentLines < 0) return std::nullopt;

    BlockFont font;
    font.id = id;
    font.name = name;
    font.height = height;
    font.letterSpacing = 1;
    font.renderMode = BlockFontRenderMode::literal;
    font.isTDF = false;
    std::size_t line = 1 + static_cast<std::size_t>(commentLines);
    for (char32_t c = firstCharacter; c <= lastCharacter; ++c) {
        // A file that ends early keeps the glyphs it holds in full.
        if (line >= lines.size() || lines.size() - line < static_cast<std::size_t>(height)) break;
        std::vector<std::string>& rows = font.glyphs[std::string(1, static_cast<char>(c))];
        for (int r = 0; r < height; ++r) rows.push_back(glyphLine(lines[line++], hardBlank));
    }
    return font;
}

std::string fontFileText(std::string_view bytes) {
    if (utf8::isValid(bytes)) return std::string(bytes);
    std::string text;
    text.reserve(bytes.size() * 2);
    for (unsigned char byte : bytes) utf8::append(text, byte);
    return text;
}

}  // namespace glyphloom
