#include "core/format/sauce_record.hpp"

#include <algorithm>
#include <cstring>

#include <nlohmann/json.hpp>

#include "core/model/json_text.hpp"
#include "core/model/model_json.hpp"
#include "core/text/cp437.hpp"
#include "core/text/utf8.hpp"

// Format notes (SAUCE version 00). The record is the last 128 bytes of the file:
//   0  "SAUCE00"   7  title (35)   42 author (20)   62 group (20)   82 date "CCYYMMDD" (8)
//   90 file size (u32)   94 data type   95 file type   96..103 tInfo1..4 (u16 each)
//   104 comment line count   105 flags   106 font name (22, NUL padded)
// Numbers are little-endian, text is CP437 padded with blanks. An optional comment block
// stands right before the record: "COMNT" then count × 64-byte lines. Writers put an
// end-of-file byte 0x1A between the art and the trailer so that DOS viewers stop there.

namespace glyphloom {
namespace {

constexpr std::size_t recordSize = 128;
constexpr std::size_t commentLineSize = 64;
constexpr std::size_t maxCommentLines = 255;
constexpr std::string_view recordId = "SAUCE00";
constexpr std::string_view commentId = "COMNT";

struct TextField {
    std::size_t offset;
    std::size_t size;
};
constexpr TextField titleField{7, 35};
constexpr TextField authorField{42, 20};
constexpr TextField groupField{62, 20};
constexpr TextField dateField{82, 8};
constexpr std::size_t fileSizeOffset = 90;
constexpr std::size_t dataTypeOffset = 94;
constexpr std::size_t fileTypeOffset = 95;
constexpr std::size_t tInfoOffset = 96;
constexpr std::size_t commentCountOffset = 104;
constexpr std::size_t flagsOffset = 105;
constexpr TextField fontField{106, 22};

bool matches(std::span<const std::uint8_t> bytes, std::size_t offset, std::string_view id) {
    return offset + id.size() <= bytes.size() && std::memcmp(bytes.data() + offset, id.data(), id.size()) == 0;
}

// CP437 text with the blank/NUL padding of fixed-width fields removed from the end
// (the decoder already turns NUL into a blank).
std::string paddedText(std::span<const std::uint8_t> bytes) {
    std::string text = CP437::decode(bytes);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

int u16At(std::span<const std::uint8_t> bytes, std::size_t offset) { return bytes[offset] | (bytes[offset + 1] << 8); }

void putText(std::vector<std::uint8_t>& out, std::size_t at, std::string_view text, std::size_t size,
             std::uint8_t pad) {
    std::vector<std::uint8_t> encoded = CP437::encodeLossy(text).data;
    encoded.resize(std::min(encoded.size(), size));
    std::copy(encoded.begin(), encoded.end(), out.begin() + static_cast<std::ptrdiff_t>(at));
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(at + encoded.size()),
              out.begin() + static_cast<std::ptrdiff_t>(at + size), pad);
}

void putU16(std::vector<std::uint8_t>& out, std::size_t at, int value) {
    const int limited = std::clamp(value, 0, 65535);
    out[at] = static_cast<std::uint8_t>(limited & 0xFF);
    out[at + 1] = static_cast<std::uint8_t>(limited >> 8);
}

void putU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

bool isWhiteSpace(char32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

bool startsWithOriginalArtwork(const std::string& line) { return line.starts_with("Original artwork"); }

}  // namespace

std::string_view label(LetterSpacing spacing) {
    switch (spacing) {
        case LetterSpacing::noPreference:
            return "No preference";
        case LetterSpacing::eightPixel:
            return "8 pixel";
        case LetterSpacing::ninePixel:
            return "9 pixel";
    }
    return "No preference";
}

std::string_view label(AspectRatio ratio) {
    switch (ratio) {
        case AspectRatio::noPreference:
            return "No preference";
        case AspectRatio::legacy:
            return "Stretched";
        case AspectRatio::square:
            return "Square";
    }
    return "No preference";
}

LetterSpacing SauceRecord::letterSpacing() const {
    switch ((flags >> 1) & 3) {
        case 1:
            return LetterSpacing::eightPixel;
        case 2:
            return LetterSpacing::ninePixel;
        default:
            return LetterSpacing::noPreference;
    }
}

void SauceRecord::setLetterSpacing(LetterSpacing spacing) {
    flags = static_cast<std::uint8_t>((flags & ~0b110u) | (static_cast<unsigned>(spacing) << 1));
}

AspectRatio SauceRecord::aspectRatio() const {
    switch ((flags >> 3) & 3) {
        case 1:
            return AspectRatio::legacy;
        case 2:
            return AspectRatio::square;
        default:
            return AspectRatio::noPreference;
    }
}

void SauceRecord::setAspectRatio(AspectRatio ratio) {
    flags = static_cast<std::uint8_t>((flags & ~0b11000u) | (static_cast<unsigned>(ratio) << 3));
}

bool SauceRecord::hasCredit() const { return !trimmedWhitespace(author).empty() || !trimmedWhitespace(group).empty(); }

bool SauceRecord::carriesAuthorship() const {
    return hasCredit() || !trimmedWhitespace(title).empty() || !comments.empty();
}

std::string SauceRecord::creditLine() const {
    const std::string a = trimmedWhitespace(author);
    const std::string g = trimmedWhitespace(group);
    if (!a.empty() && !g.empty()) return a + " of " + g;
    return a.empty() ? g : a;
}

std::vector<std::string> SauceRecord::historyLines() const {
    std::vector<std::string> lines;
    std::copy_if(comments.begin(), comments.end(), std::back_inserter(lines), startsWithOriginalArtwork);
    return lines;
}

std::vector<std::string> SauceRecord::noteLines() const {
    std::vector<std::string> lines;
    std::copy_if(comments.begin(), comments.end(), std::back_inserter(lines),
                 [](const std::string& line) { return !startsWithOriginalArtwork(line); });
    return lines;
}

std::string SauceRecord::historyLine(const SauceRecord& record) {
    const std::string title = trimmedWhitespace(record.title);
    std::string line = title.empty() ? "Original artwork by " + record.creditLine()
                                     : "Original artwork \"" + title + "\" by " + record.creditLine();
    if (!record.date.empty()) line += ", " + record.date;
    return line;
}

std::optional<SauceLocation> readSauce(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < recordSize) return std::nullopt;
    const std::size_t start = bytes.size() - recordSize;
    if (!matches(bytes, start, recordId)) return std::nullopt;
    const auto record = bytes.subspan(start, recordSize);
    auto text = [&record](TextField field) { return paddedText(record.subspan(field.offset, field.size)); };

    SauceLocation found;
    found.recordStart = start;
    found.bodyEnd = start;
    SauceRecord& r = found.record;
    r.title = text(titleField);
    r.author = text(authorField);
    r.group = text(groupField);
    r.date = text(dateField);
    r.dataType = record[dataTypeOffset];
    r.fileType = record[fileTypeOffset];
    r.tInfo1 = u16At(record, tInfoOffset);
    r.tInfo2 = u16At(record, tInfoOffset + 2);
    r.tInfo3 = u16At(record, tInfoOffset + 4);
    r.tInfo4 = u16At(record, tInfoOffset + 6);
    r.flags = record[flagsOffset];
    const auto font = record.subspan(fontField.offset, fontField.size);
    const auto nul = std::find(font.begin(), font.end(), std::uint8_t{0});
    r.fontName = CP437::decode(font.first(static_cast<std::size_t>(nul - font.begin())));

    // A count without its block (or a block that would start before the file) is ignored.
    const std::size_t count = record[commentCountOffset];
    const std::size_t blockSize = commentId.size() + count * commentLineSize;
    if (count > 0 && blockSize <= start && matches(bytes, start - blockSize, commentId)) {
        const std::size_t blockStart = start - blockSize;
        for (std::size_t i = 0; i < count; ++i)
            r.comments.push_back(
                paddedText(bytes.subspan(blockStart + commentId.size() + i * commentLineSize, commentLineSize)));
        found.bodyEnd = blockStart;
    }
    return found;
}

std::vector<std::uint8_t> sauceRecordData(const SauceRecord& record, std::uint32_t bodySize) {
    std::vector<std::uint8_t> out{cp437EndOfFile};

    std::vector<std::string> lines;
    for (const std::string& comment : record.comments) {
        if (lines.size() == maxCommentLines) break;
        std::string line = prefixCharacters(comment, commentLineSize);
        if (!line.empty()) lines.push_back(std::move(line));
    }
    if (!lines.empty()) {
        out.insert(out.end(), commentId.begin(), commentId.end());
        for (const std::string& line : lines) {
            std::vector<std::uint8_t> bytes(commentLineSize);
            putText(bytes, 0, line, commentLineSize, ' ');
            out.insert(out.end(), bytes.begin(), bytes.end());
        }
    }

    std::vector<std::uint8_t> r(recordSize, 0);
    std::copy(recordId.begin(), recordId.end(), r.begin());
    putText(r, titleField.offset, record.title, titleField.size, ' ');
    putText(r, authorField.offset, record.author, authorField.size, ' ');
    putText(r, groupField.offset, record.group, groupField.size, ' ');
    putText(r, dateField.offset, record.date, dateField.size, ' ');
    putU32(r, fileSizeOffset, bodySize);
    r[dataTypeOffset] = record.dataType;
    r[fileTypeOffset] = record.fileType;
    putU16(r, tInfoOffset, record.tInfo1);
    putU16(r, tInfoOffset + 2, record.tInfo2);
    putU16(r, tInfoOffset + 4, record.tInfo3);
    putU16(r, tInfoOffset + 6, record.tInfo4);
    r[commentCountOffset] = static_cast<std::uint8_t>(lines.size());
    r[flagsOffset] = record.flags;
    putText(r, fontField.offset, record.fontName, fontField.size, 0);
    out.insert(out.end(), r.begin(), r.end());
    return out;
}

std::uint8_t sauceHintFlags(LetterSpacing spacing, AspectRatio ratio) {
    SauceRecord r;
    r.flags = 0;
    r.setLetterSpacing(spacing);
    r.setAspectRatio(ratio);
    return r.flags;
}

namespace {

nlohmann::json recordTree(const SauceRecord& r) {
    return {{"title", r.title},       {"author", r.author},     {"group", r.group},   {"date", r.date},
            {"dataType", r.dataType}, {"fileType", r.fileType}, {"tInfo1", r.tInfo1}, {"tInfo2", r.tInfo2},
            {"tInfo3", r.tInfo3},     {"tInfo4", r.tInfo4},     {"flags", r.flags},   {"fontName", r.fontName},
            {"comments", r.comments}};
}

std::optional<SauceRecord> recordFromTree(const nlohmann::json& json) {
    if (!json.is_object()) return std::nullopt;
    SauceRecord r;
    bool ok = true;
    // Absent or null keeps the default; a value of the wrong type, or a number the record's
    // field cannot hold, fails the record.
    auto text = [&](const char* key, std::string& field) {
        const nlohmann::json* value = presentValue(json, key);
        if (value == nullptr) return;
        if (value->is_string()) field = value->get<std::string>();
        else ok = false;
    };
    auto number = [&](const char* key, std::int64_t high, auto& field) {
        const nlohmann::json* value = presentValue(json, key);
        if (value == nullptr) return;
        const auto n = jsonInteger(*value);
        if (n && *n >= 0 && *n <= high) field = static_cast<std::remove_reference_t<decltype(field)>>(*n);
        else ok = false;
    };
    text("title", r.title);
    text("author", r.author);
    text("group", r.group);
    text("date", r.date);
    number("dataType", 255, r.dataType);
    number("fileType", 255, r.fileType);
    number("tInfo1", 65535, r.tInfo1);
    number("tInfo2", 65535, r.tInfo2);
    number("tInfo3", 65535, r.tInfo3);
    number("tInfo4", 65535, r.tInfo4);
    number("flags", 255, r.flags);
    text("fontName", r.fontName);
    if (const nlohmann::json* lines = presentValue(json, "comments")) {
        if (!lines->is_array()) return std::nullopt;
        for (const auto& line : *lines) {
            if (!line.is_string()) return std::nullopt;
            r.comments.push_back(line.get<std::string>());
        }
    }
    if (!ok) return std::nullopt;
    return r;
}

}  // namespace

std::string sauceRecordJSON(const SauceRecord& record) {
    return recordTree(record).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::optional<SauceRecord> sauceRecordFromJSON(std::string_view json) {
    try {
        JsonReader in(json);
        const auto tree = readTreeJSON(in);
        if (!tree || !in.atEndOfText()) return std::nullopt;
        return recordFromTree(*tree);
    } catch (const std::exception&) {
        return std::nullopt;  // no memory for the comment lines
    }
}

std::string trimmedWhitespace(std::string_view text) {
    std::size_t first = text.size();
    std::size_t end = 0;
    for (std::size_t i = 0; i < text.size();) {
        const utf8::Decoded d = utf8::decodeAt(text, i);
        const std::size_t next = i + static_cast<std::size_t>(d.length);
        if (!(d.valid && isWhiteSpace(d.scalar))) {
            first = std::min(first, i);
            end = next;
        }
        i = next;
    }
    return first < end ? std::string(text.substr(first, end - first)) : std::string();
}

std::string prefixCharacters(std::string_view text, std::size_t count) {
    // Most text is short enough that no cut is needed; only then split into characters.
    if (text.size() <= count) return std::string(text);
    std::string out;
    std::size_t taken = 0;
    for (const std::string& character : utf8::graphemeClusters(text)) {
        if (taken++ == count) break;
        out += character;
    }
    return out;
}

}  // namespace glyphloom
