#include "core/format/ans_export.hpp"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <limits>

#include "core/color/color_depth.hpp"
#include "core/text/cp437.hpp"
#include "core/text/utf8.hpp"

// Format notes. Rows are written back to back without line breaks: the reader wraps them at
// the width the SAUCE record declares, or at 80 columns when there is none. Every row starts
// with a reset so that no colour state crosses a row. Every SGR starts with 0 and restates
// the whole colour, which costs a few bytes but keeps each cell's look independent of the
// cells before it. In iCE mode the blink attribute (SGR 5) selects the bright half of the
// background palette instead of blinking.

namespace glyphloom {
namespace {

constexpr std::string_view reset = "\x1b[0m";
constexpr std::string_view defaultFont = "IBM VGA";

// What one cell writes: its first scalar, with nothing (an empty text) and control
// characters — which would move the reader's cursor — written as a blank.
char32_t writtenScalar(const CellChar& character) {
    char32_t scalar = U' ';
    if (const auto single = character.scalar()) {
        scalar = *single;
    } else {
        const std::string text = character.str();
        if (!text.empty()) scalar = utf8::decodeAt(text, 0).scalar;
    }
    return scalar < 0x20 ? U' ' : scalar;
}

int clampedIndex(const ANSIColorValue& c) { return std::clamp<int>(c.n, 0, 15); }

int docWidth(const CellGrid& doc) { return doc.empty() ? 0 : doc.rowLength(0); }

bool usesBrightBackground(const CellGrid& doc) {
    for (int r = 0; r < doc.rowCount(); ++r)
        for (const ANSICell& cell : doc.row(r))
            if (cell.background.isANSI16() && cell.background.n >= 8) return true;
    return false;
}

}  // namespace

std::string sauceDate(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    return text;
}

std::string todaySauceDate() { return sauceDate(std::time(nullptr)); }

namespace {

void appendNumber(std::string& out, int value) {
    char digits[12];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

void appendSGRParams(std::string& out, const ANSIColorValue& fg, const ANSIColorValue& bg, bool blink) {
    out += '0';
    if (fg.isANSI16() && bg.isANSI16()) {
        const int f = clampedIndex(fg);
        const int b = clampedIndex(bg);
        if (f >= 8) out += ";1";
        out += ';';
        appendNumber(out, 30 + f % 8);
        if (b < 8) {
            out += ';';
            appendNumber(out, 40 + b);
            if (blink) out += ";5";
        } else {
            // A bright background is the blink bit in iCE terms; it wins over a real blink.
            out += ";5;";
            appendNumber(out, 40 + b % 8);
        }
        return;
    }
    if (blink) out += ";5";
    out += ';';
    appendFgParam(out, fg, false);
    out += ';';
    appendBgParam(out, bg, false);
}

void appendMonoSGRParams(std::string& out, const ANSIColorValue& fg, const ANSIColorValue& bg, bool blink) {
    const int fgTone = clampMono(fg);
    const int bgTone = clampMono(bg);
    out += '0';
    if (blink) out += ";5";
    if (fgTone < bgTone) {
        out += ";7";  // dark on light: reverse video
        if (bgTone == 15) out += ";1";
    } else if (fgTone == 15) {
        out += ";1";
    }
}

// Where the escape stream goes: UTF-8 text, or CP437 bytes for the classic file. The
// escapes themselves are ASCII, which both encodings write unchanged.
struct TextSink {
    std::string out;
    void ascii(std::string_view text) { out += text; }
    void scalar(char32_t c) { utf8::append(out, c); }
};

struct CP437Sink {
    std::vector<std::uint8_t> out;
    void ascii(std::string_view text) { out.insert(out.end(), text.begin(), text.end()); }
    void scalar(char32_t c) { out.push_back(CP437::encodeScalar(c).byte); }
};

template <typename Sink>
void writeStream(const CellGrid& doc, bool blinkingText, bool mono, Sink& sink) {
    if (doc.empty()) {
        sink.ascii(reset);
        return;
    }
    std::string sgr;
    for (int r = 0; r < doc.rowCount(); ++r) {
        sink.ascii(reset);
        const ANSICell* previous = nullptr;
        bool previousBlink = false;
        for (const ANSICell& cell : doc.row(r)) {
            const bool blink = cell.blink && blinkingText;
            if (previous == nullptr || cell.foreground != previous->foreground ||
                cell.background != previous->background || blink != previousBlink) {
                sgr = "\x1b[";
                if (mono)
                    appendMonoSGRParams(sgr, cell.foreground, cell.background, blink);
                else
                    appendSGRParams(sgr, cell.foreground, cell.background, blink);
                sgr += 'm';
                sink.ascii(sgr);
                previous = &cell;
                previousBlink = blink;
            }
            sink.scalar(writtenScalar(cell.character));
        }
    }
    sink.ascii(reset);
}

}  // namespace

std::string ansSGRParams(const ANSIColorValue& fg, const ANSIColorValue& bg, bool blink) {
    std::string out;
    appendSGRParams(out, fg, bg, blink);
    return out;
}

std::string ansMonoSGRParams(const ANSIColorValue& fg, const ANSIColorValue& bg, bool blink) {
    std::string out;
    appendMonoSGRParams(out, fg, bg, blink);
    return out;
}

std::string exportANSI(const CellGrid& doc, bool blinkingText, bool mono) {
    TextSink sink;
    writeStream(doc, blinkingText, mono, sink);
    return std::move(sink.out);
}

std::vector<std::uint8_t> exportANSFileData(const CellGrid& doc, std::string_view title, std::string_view author,
                                            std::string_view group, const std::optional<SauceRecord>& record,
                                            bool writeRecord, std::optional<bool> iceColors, bool mono,
                                            const SauceDateSource& today) {
    // The same bytes as encoding exportANSI's text, without the round trip through UTF-8.
    CP437Sink sink;
    writeStream(doc, iceColors == false, mono, sink);
    std::vector<std::uint8_t> art = std::move(sink.out);
    const int width = docWidth(doc);
    const int height = doc.rowCount();
    // The declared mode wins over what the art contains: blinking text never sets iCE.
    const std::uint8_t iceBit = iceColors != false && usesBrightBackground(doc) ? 1 : 0;
    const auto bodySize =
        static_cast<std::uint32_t>(std::min<std::size_t>(art.size(), std::numeric_limits<std::uint32_t>::max()));

    SauceRecord out;
    if (!writeRecord) {
        if (width == 80 && iceColors != false) return art;
        // A bare record: only what a re-import needs (width, background mode) and the hints.
        out.tInfo1 = std::min(width, 65535);
        out.tInfo2 = std::min(height, 65535);
        out.flags = iceBit;
        if (record) out.flags |= sauceHintFlags(record->letterSpacing(), record->aspectRatio());
        out.fontName = record ? record->fontName : std::string(defaultFont);
    } else {
        if (record) {
            out = *record;
        } else {
            out.title = title;
            out.author = author;
            out.group = group;
            out.fontName = defaultFont;
        }
        out.flags = static_cast<std::uint8_t>((out.flags & ~1u) | iceBit);
        if (out.date.empty()) out.date = today();
        out.tInfo1 = std::min(width, 65535);
        out.tInfo2 = std::min(height, 65535);
        out.dataType = 1;
        out.fileType = 1;
    }
    const std::vector<std::uint8_t> trailer = sauceRecordData(out, bodySize);
    art.insert(art.end(), trailer.begin(), trailer.end());
    return art;
}

int ansApproximatedCellCount(const CellGrid& doc) {
    int count = 0;
    for (int r = 0; r < doc.rowCount(); ++r)
        for (const ANSICell& cell : doc.row(r))
            if (!CP437::byteForScalar(writtenScalar(cell.character))) ++count;
    return count;
}

std::vector<std::uint8_t> exportANSIUTF8Data(const CellGrid& doc) {
    std::string out;
    for (int r = 0; r < doc.rowCount(); ++r) {
        out += reset;
        const ANSICell* previous = nullptr;
        for (const ANSICell& cell : doc.row(r)) {
            if (previous == nullptr || cell.foreground != previous->foreground ||
                cell.background != previous->background) {
                out += "\x1b[0;";
                appendFgParam(out, cell.foreground, false);
                out += ';';
                appendBgParam(out, cell.background, false);
                out += 'm';
                previous = &cell;
            }
            // The whole character, but never nothing or a control: either would shift the row.
            const std::size_t before = out.size();
            cell.character.appendTo(out);
            if (out.size() == before || static_cast<unsigned char>(out[before]) < 0x20) {
                out.resize(before);
                out += ' ';
            }
        }
        out += reset;
        out += '\n';
    }
    return {out.begin(), out.end()};
}

std::string exportPlainText(const CellGrid& doc) {
    std::string out;
    for (int r = 0; r < doc.rowCount(); ++r) {
        for (const ANSICell& cell : doc.row(r)) cell.character.appendTo(out);
        out += '\n';
    }
    return out;
}

}  // namespace glyphloom
