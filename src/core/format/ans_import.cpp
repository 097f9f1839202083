#include "core/format/ans_import.hpp"

#include <utf8proc.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <vector>

#include "core/text/cp437.hpp"
#include "core/text/utf8.hpp"

// Format notes. ANSI art is a recording of what a DOS terminal (ANSI.SYS) was sent:
//   ESC [ params final   control sequence (CSI); params are decimal numbers split by ";"
//     A B C D   cursor up / down / forward / back      H f   cursor position (1-based)
//     J         erase display (2 = all)                K     erase to end of line
//     s u       save / restore cursor                  m     Select Graphic Rendition
//   ESC ] ... BEL or ESC \   operating-system command (hyperlinks, palette changes): skipped
//   ESC [ 0;R;G;B t / ESC [ 1;R;G;B t   24-bit background / foreground (PabloDraw)
// Lines are ended by CR LF, or art simply runs on and relies on the screen width (usually
// 80, else the width in the SAUCE record) to wrap. A DOS screen does not add a line when a
// line feed follows a character that already wrapped into the last column, and neither do we.
// The end-of-file mark (0x1A, what DOS's TYPE stopped at) ends the art: credits and the
// record's comment block come after it.

namespace glyphloom {
namespace {

constexpr char32_t escape = 0x1B;
// The screen classic art was drawn on, when nothing says otherwise.
constexpr int screenWidth = 80;
constexpr char32_t bell = 0x07;
// CP437 text carries BEL as the byte 0x07, which decodes to the bullet glyph.
constexpr char32_t cp437Bell = 0x2022;
// Longest operating-system command we skip; anything longer is left to print.
constexpr std::size_t maxOSCLength = 4096;
// Keeps the cursor far from overflow however much text runs on.
constexpr int cursorCeiling = 1 << 30;

enum class Origin { utf8, cp437 };

// The ";"-separated pieces of a parameter list, each read as an optional sign and then
// decimal digits: nothing for a piece that is empty, holds anything else or does not fit 64
// bits. An empty list is one empty piece. One pass, since every colour change comes here.
template <typename Text>
void parsePieces(const Text& text, std::size_t from, std::size_t to, std::vector<std::optional<std::int64_t>>& pieces) {
    pieces.clear();
    std::size_t i = from;
    for (;;) {
        bool negative = false;
        if (i < to && (text[i] == U'+' || text[i] == U'-')) {
            negative = text[i] == U'-';
            ++i;
        }
        // Accumulate negatively so that the most negative value fits too.
        std::int64_t value = 0;
        bool valid = true, anyDigit = false;
        for (; i < to; ++i) {
            const char32_t c = text[i];
            if (c == U';') break;
            if (!valid) continue;
            if (c < U'0' || c > U'9') {
                valid = false;
                continue;
            }
            const int digit = static_cast<int>(c - U'0');
            if (value < (std::numeric_limits<std::int64_t>::min() + digit) / 10) {
                valid = false;
                continue;
            }
            value = value * 10 - digit;
            anyDigit = true;
        }
        if (valid && anyDigit && !negative && value == std::numeric_limits<std::int64_t>::min()) valid = false;
        pieces.push_back(valid && anyDigit ? std::optional<std::int64_t>(negative ? value : -value) : std::nullopt);
        if (i >= to) break;
        ++i;  // past the ";"
    }
}

// The numeric parameter at `index`; missing, empty, non-numeric and values below 1 give
// `fallback`, larger ones are limited to `cap`.
int param(const std::vector<std::optional<std::int64_t>>& pieces, std::size_t index, int fallback, int cap) {
    if (index >= pieces.size()) return fallback;
    const auto& value = pieces[index];
    if (!value || *value < 1) return fallback;
    return static_cast<int>(std::min<std::int64_t>(*value, cap));
}

std::uint8_t channel(std::int64_t value) { return static_cast<std::uint8_t>(std::clamp<std::int64_t>(value, 0, 255)); }

// `codes` is scratch space, reused across calls so that colour changes do not allocate.
// `emptyList` says the parameter list had no text at all, which means "reset".
SGRColors applySGR(const std::vector<std::optional<std::int64_t>>& pieces, bool emptyList, ANSIColorValue fg,
                   ANSIColorValue bg, bool& bold, bool& blink, std::vector<std::int64_t>& codes) {
    codes.clear();
    if (emptyList) {
        codes.push_back(0);
    } else {
        for (const auto& piece : pieces)
            if (piece) codes.push_back(*piece);
    }
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const std::int64_t code = codes[i];
        if (code == 0) {
            bold = blink = false;
            fg = ANSIColorValue::ansi16(15);
            bg = ANSIColorValue::ansi16(0);
        } else if (code == 1) {
            bold = true;
        } else if (code == 5 || code == 6) {
            blink = true;
        } else if (code == 21 || code == 22) {
            bold = false;
        } else if (code == 25) {
            blink = false;
        } else if (code >= 30 && code <= 37) {
            fg = ANSIColorValue::ansi16(static_cast<int>(code - 30));
        } else if (code >= 90 && code <= 97) {
            fg = ANSIColorValue::ansi16(static_cast<int>(code - 82));
        } else if (code >= 40 && code <= 47) {
            bg = ANSIColorValue::ansi16(static_cast<int>(code - 40));
        } else if (code >= 100 && code <= 107) {
            bg = ANSIColorValue::ansi16(static_cast<int>(code - 92));
        } else if (code == 38 || code == 48) {
            ANSIColorValue& target = code == 38 ? fg : bg;
            const std::size_t following = codes.size() - i - 1;
            if (following >= 2 && codes[i + 1] == 5) {
                target = ANSIColorValue::ansi256(channel(codes[i + 2]));
                i += 2;
            } else if (following < 4 || codes[i + 1] != 2) {
                break;  // a malformed colour leaves the rest of the list unread
            } else {
                target = ANSIColorValue::truecolor(channel(codes[i + 2]), channel(codes[i + 3]), channel(codes[i + 4]));
                i += 4;
            }
        }
    }
    return {fg, bg};
}

using Rows = std::vector<std::vector<ANSICell>>;

struct ScanResult {
    Rows rows;
    std::size_t widest = 0;
    bool measuredOnly = false;  // `rows` was dropped; only `widest` and the counts are known
    std::size_t rowsWithCells = 0;
    std::size_t rowsPastScreen = 0;  // rows longer than the screen width
};

// What a scan keeps: every cell, or (once a scan may give up on its rows) only row lengths.
enum class Keep { cells, cellsUntilTooWide };

// CP437 bytes read as scalars in place: a whole-file copy as 32-bit scalars would cost four
// times the file in fresh memory before the first cell is built.
struct CP437Text {
    std::span<const std::uint8_t> bytes;
    const std::array<char32_t, 256>* table;

    std::size_t size() const { return bytes.size(); }
    char32_t operator[](std::size_t i) const { return (*table)[bytes[i]]; }
    CP437Text prefix(std::size_t n) const { return {bytes.first(n), table}; }
};

struct ScalarText {
    std::u32string_view scalars;

    std::size_t size() const { return scalars.size(); }
    char32_t operator[](std::size_t i) const { return scalars[i]; }
    ScalarText prefix(std::size_t n) const { return {scalars.substr(0, n)}; }
};

constexpr std::size_t notFound = std::u32string_view::npos;

// Where `needle` first occurs in `text`, or notFound.
template <typename Text>
std::size_t find(const Text& text, std::u32string_view needle) {
    if (needle.empty() || needle.size() > text.size()) return notFound;
    const std::size_t last = text.size() - needle.size();
    for (std::size_t i = 0; i <= last; ++i) {
        if (text[i] != needle[0]) continue;
        std::size_t k = 1;
        while (k < needle.size() && text[i + k] == needle[k]) ++k;
        if (k == needle.size()) return i;
    }
    return notFound;
}

// The same over CP437 bytes, searched as bytes: the byte table is one to one, so the scalars
// match exactly where their bytes do.
std::size_t find(const CP437Text& text, std::u32string_view needle) {
    std::string bytes;
    for (char32_t scalar : needle) {
        const auto byte = CP437::byteForScalar(scalar);
        if (!byte) return notFound;
        bytes.push_back(static_cast<char>(*byte));
    }
    const std::string_view haystack(reinterpret_cast<const char*>(text.bytes.data()), text.bytes.size());
    const std::size_t at = haystack.find(bytes);
    return at == std::string_view::npos ? notFound : at;
}

// The interpreter: one walk over the text, building ragged rows.
template <typename Text>
class Scanner {
public:
    Scanner(Text text, std::optional<int> wrapWidth, bool iceColors, Origin origin, Keep keep, ANSGridCap cap)
        : text_(text),
          maxColumns_(cap.maxColumns),
          maxRows_(cap.maxRows),
          wrap_(wrapWidth),
          ice_(iceColors),
          oscBell_(origin == Origin::cp437 ? cp437Bell : bell),
          maxCol_(std::max((wrapWidth ? *wrapWidth : maxColumns_) - 1, 0)),
          cellLimit_(wrapWidth ? maxColumns_ : maxColumns_ + 1),
          mayMeasure_(keep == Keep::cellsUntilTooWide && !wrapWidth),
          storeLimit_(mayMeasure_ ? maxColumns_ : cellLimit_),
          rowCapacity_(static_cast<std::size_t>(std::min(wrapWidth.value_or(80), maxColumns_))),
          end_(text.size()) {}

    ScanResult run() {
        const std::size_t n = text_.size();
        std::size_t i = interpret(0);
        // The walk stops early when a row first runs past the limit: the rows are going to be
        // thrown away for an 80-column re-scan, and only an erase could still shorten them.
        // Without one in the rest of the text the answer is known, so the rest is not read.
        if (i < n && eraseFollows(i)) {
            end_ = n;
            interpret(i);
        }
        ScanResult result{std::move(rows_), 0, measuring_};
        auto count = [&result](std::size_t length) {
            result.widest = std::max(result.widest, length);
            if (length > 0) ++result.rowsWithCells;
            if (length > static_cast<std::size_t>(screenWidth)) ++result.rowsPastScreen;
        };
        if (measuring_) {
            for (int length : lengths_) count(static_cast<std::size_t>(length));
        } else {
            for (const auto& r : result.rows) count(r.size());
        }
        return result;
    }

private:
    // Interprets the text from `i` until `end_` (which a row running too wide lowers);
    // returns where it stopped.
    std::size_t interpret(std::size_t i) {
        while (i < end_) {
            const char32_t c = text_[i];
            if (c >= 0x20) {
                print(c);
                ++i;
            } else if (c == 0) {
                print(U' ');
                ++i;
            } else if (c == U'\n') {
                if (!justWrapped_) row_ = std::min(row_ + 1, cursorCeiling);
                col_ = 0;
                justWrapped_ = false;
                ++i;
            } else if (c == U'\r') {
                col_ = 0;
                ++i;
            } else if (c == escape) {
                i = escapeSequence(i);
            } else {
                ++i;  // other controls (SUB, and in UTF-8 text TAB and the rest) draw nothing
            }
        }
        return i;
    }

    // True when an erase (ESC [ … J or K, whatever its parameters) follows `from`, found by
    // the same walk over sequences as the interpreter's.
    bool eraseFollows(std::size_t from) {
        const std::size_t n = text_.size();
        std::size_t i = from;
        while (i < n) {
            if (text_[i] != escape) {
                ++i;
            } else if (i + 1 < n && text_[i + 1] == U'[') {
                const std::size_t final = findFinal(i + 2);
                if (final == notFound) {
                    ++i;
                    continue;
                }
                if (text_[final] == U'J' || text_[final] == U'K') return true;
                i = final + 1;
            } else if (i + 1 < n && text_[i + 1] == U']') {
                const std::size_t end = oscEnd(i + 2);
                i = end == std::u32string_view::npos ? i + 1 : end;
            } else {
                ++i;
            }
        }
        return false;
    }

    // Handles the ESC at `at`; returns where scanning resumes.
    std::size_t escapeSequence(std::size_t at) {
        const std::size_t n = text_.size();
        if (at + 1 < n && text_[at + 1] == U'[') {
            const std::size_t final = findFinal(at + 2);
            if (final == notFound) return at + 1;  // unterminated: drop the ESC only
            parsePieces(text_, at + 2, final, pieces_);
            control(final == at + 2, text_[final]);
            return final + 1;
        }
        if (at + 1 < n && text_[at + 1] == U']') {
            const std::size_t end = oscEnd(at + 2);
            return end == std::u32string_view::npos ? at + 1 : end;
        }
        return at + 1;
    }

    // The first Alphabetic scalar from `from` on. Once a search has run off the end, every
    // later search would too: remembering that keeps a text full of unterminated sequences
    // linear instead of quadratic.
    std::size_t findFinal(std::size_t from) {
        if (from >= noFinalFrom_) return std::u32string_view::npos;
        for (std::size_t j = from; j < text_.size(); ++j) {
            const char32_t c = text_[j];
            if (c < 0x80 ? (c | 0x20) >= U'a' && (c | 0x20) <= U'z' : isAlphabetic(c)) return j;
        }
        noFinalFrom_ = from;
        return std::u32string_view::npos;
    }

    // Where an operating-system command starting at `from` (after "ESC ]") ends: after BEL
    // or ESC "\", or at another ESC, which abandons the command as a terminal would. Nothing
    // when no end comes within the length limit.
    std::size_t oscEnd(std::size_t from) const {
        const std::size_t limit = std::min(text_.size(), from + maxOSCLength);
        for (std::size_t j = from; j < limit; ++j) {
            const char32_t c = text_[j];
            if (c == oscBell_) return j + 1;
            if (c == escape) return j + 1 < text_.size() && text_[j + 1] == U'\\' ? j + 2 : j;
        }
        return std::u32string_view::npos;
    }

    void control(bool emptyList, char32_t final) {
        const auto& params = pieces_;
        switch (final) {
            case U'A':
                row_ = std::max(row_ - param(params, 0, 1, 4000), 0);
                break;
            case U'B':
                row_ = std::min(row_ + param(params, 0, 1, 4000), maxRows_);
                break;
            case U'C':
                col_ = std::min(col_ + param(params, 0, 1, 4000), maxCol_);
                break;
            case U'D':
                col_ = std::max(col_ - param(params, 0, 1, 4000), 0);
                break;
            case U'H':
            case U'f':
                row_ = std::clamp(param(params, 0, 1, 4000) - 1, 0, maxRows_);
                col_ = std::clamp(param(params, 1, 1, 4000) - 1, 0, maxCol_);
                break;
            case U'J':
                if (param(params, 0, 0, 4000) == 2) {
                    rows_.clear();
                    lengths_.clear();
                    row_ = col_ = 0;
                }
                break;
            case U'K':
                if (param(params, 0, 0, 4000) == 0 && measuring_ && static_cast<std::size_t>(row_) < lengths_.size()) {
                    int& length = lengths_[static_cast<std::size_t>(row_)];
                    length = std::min(length, col_);
                } else if (param(params, 0, 0, 4000) == 0 && static_cast<std::size_t>(row_) < rows_.size()) {
                    auto& line = rows_[static_cast<std::size_t>(row_)];
                    if (line.size() > static_cast<std::size_t>(col_)) line.resize(static_cast<std::size_t>(col_));
                }
                break;
            case U's':
                savedRow_ = row_;
                savedCol_ = col_;
                break;
            case U'u':
                row_ = savedRow_;
                col_ = savedCol_;
                break;
            case U'm': {
                const SGRColors colors = applySGR(pieces_, emptyList, fg_, bg_, bold_, blink_, codes_);
                fg_ = colors.fg;
                bg_ = colors.bg;
                updatePen();
                return;  // colours do not end a wrap
            }
            case U't':
                if (trueColour()) {
                    updatePen();
                    return;  // a colour, like SGR
                }
                break;  // window operations and the like are ignored
            default:
                break;  // everything else (private modes, …) is ignored
        }
        justWrapped_ = false;
    }

    // ESC [ 0;R;G;B t sets the background, ESC [ 1;R;G;B t the foreground; false (and nothing
    // changed) for any other parameters.
    bool trueColour() {
        const auto& p = pieces_;
        if (p.size() != 4 || !p[0] || (*p[0] != 0 && *p[0] != 1) || !p[1] || !p[2] || !p[3]) return false;
        (*p[0] == 1 ? fg_ : bg_) = ANSIColorValue::truecolor(channel(*p[1]), channel(*p[2]), channel(*p[3]));
        return true;
    }

    // Called once per printed character: the common case (appending to a row that has room)
    // stays small enough to inline into the walk; everything else goes to printRest.
    [[gnu::always_inline]] void print(char32_t scalar) {
        const auto r = static_cast<std::size_t>(row_);
        const auto c = static_cast<std::size_t>(col_);
        if (row_ < maxRows_ && col_ < storeLimit_ && r < rows_.size()) {
            auto& line = rows_[r];
            if (line.size() == c && c < line.capacity()) {
                ANSICell cell = pen_;
                cell.character = CellChar::fromScalar(scalar);
                line.push_back(cell);
                advance();
                return;
            }
        }
        printRest(scalar);
    }

    [[gnu::noinline]] void printRest(char32_t scalar) {
        if (row_ < maxRows_ && col_ < storeLimit_) {
            store(scalar);
        } else if (measuring_) {
            if (row_ < maxRows_ && col_ < cellLimit_) noteLength(row_, col_ + 1);
        } else if (mayMeasure_ && col_ >= maxColumns_ && row_ < maxRows_) {
            // This scan's rows are going to be thrown away for an 80-column re-scan (unless
            // an erase later shortens them): from here on only their lengths matter.
            startMeasuring();
            noteLength(row_, col_ + 1);
            end_ = 0;
        }
        advance();
    }

    void store(char32_t scalar) {
        ANSICell cell = pen_;
        cell.character = CellChar::fromScalar(scalar);
        const auto r = static_cast<std::size_t>(row_);
        const auto c = static_cast<std::size_t>(col_);
        if (rows_.size() <= r) rows_.resize(r + 1);
        auto& line = rows_[r];
        // Art is mostly written left to right, so appending is the common case. A row starts
        // with room for the screen width, which is all most rows ever need.
        if (line.size() == c) {
            if (line.capacity() == c) line.reserve(std::max(c * 2, rowCapacity_));
            line.push_back(cell);
        } else if (line.size() < c) {
            if (line.capacity() <= c) line.reserve(std::max(c * 2, rowCapacity_));
            line.resize(c, ANSICell::blank());
            line.push_back(cell);
        } else {
            line[c] = cell;
        }
    }

    // The colours and blink a printed cell gets, worked out once per colour change rather
    // than per cell.
    void updatePen() {
        pen_.foreground = bold_ && fg_.isANSI16() && fg_.n < 8 ? ANSIColorValue::ansi16(fg_.n + 8) : fg_;
        pen_.background = bg_;
        pen_.blink = false;
        if (blink_) {
            // iCE colours reuse the blink bit for the bright half of the background palette.
            if (!ice_) {
                pen_.blink = true;
            } else if (bg_.isANSI16() && bg_.n < 8) {
                pen_.background = ANSIColorValue::ansi16(bg_.n + 8);
            }
        }
    }

    // Moves the cursor past a printed cell, wrapping at the screen width.
    void advance() {
        if (!wrap_) {
            col_ = std::min(col_ + 1, cursorCeiling);
            justWrapped_ = false;
        } else if (col_ + 1 < *wrap_) {
            ++col_;
            justWrapped_ = false;
        } else {
            col_ = 0;
            row_ = std::min(row_ + 1, cursorCeiling);
            justWrapped_ = true;
        }
    }

    void startMeasuring() {
        measuring_ = true;
        storeLimit_ = 0;
        lengths_.reserve(rows_.size());
        for (const auto& line : rows_) lengths_.push_back(static_cast<int>(line.size()));
        Rows().swap(rows_);
    }

    void noteLength(int row, int length) {
        const auto r = static_cast<std::size_t>(row);
        if (lengths_.size() <= r) lengths_.resize(r + 1, 0);
        lengths_[r] = std::max(lengths_[r], length);
    }

    Text text_;
    int maxColumns_;
    int maxRows_;
    std::vector<std::optional<std::int64_t>> pieces_;  // the parameters of one control sequence
    std::optional<int> wrap_;
    bool ice_;
    char32_t oscBell_;
    int maxCol_;
    int cellLimit_;
    bool mayMeasure_;
    int storeLimit_;            // cells are kept only in columns below this
    std::size_t rowCapacity_;   // what a row first reserves
    std::size_t end_;           // where interpreting stops
    bool measuring_ = false;
    std::vector<int> lengths_;  // row lengths, kept instead of rows_ once measuring
    std::size_t noFinalFrom_ = std::u32string_view::npos;
    std::vector<std::int64_t> codes_;

    Rows rows_;
    int row_ = 0, col_ = 0;
    int savedRow_ = 0, savedCol_ = 0;
    ANSIColorValue fg_ = ANSIColorValue::ansi16(15);
    ANSIColorValue bg_ = ANSIColorValue::ansi16(0);
    bool bold_ = false, blink_ = false;
    bool justWrapped_ = false;
    ANSICell pen_;
};

template <typename Text>
ScanResult scanANSRows(const Text& text, std::optional<int> wrapWidth, bool iceColors, Origin origin, ANSGridCap cap,
                       Keep keep = Keep::cells) {
    return Scanner<Text>(text, wrapWidth, iceColors, origin, keep, cap).run();
}

// Art drawn on an 80-column screen that ran on past its edge (trusting the screen to wrap, or
// moving the cursor beyond it) reads unwrapped as a few rows far wider than the rest; art
// that really is wider has most of its rows that wide.
bool reliedOnScreenWrap(const ScanResult& scan) {
    return scan.rowsPastScreen > 0 && scan.rowsPastScreen * 2 < scan.rowsWithCells;
}

template <typename Text>
std::optional<CellGrid> importScalars(Text text, std::optional<int> wrapWidth, bool iceColors, Origin origin,
                                      ANSGridCap cap) {
    // A record that survived as text (its trailer was damaged) is never drawn.
    if (const auto sauce = find(text, U"SAUCE00"); sauce != notFound && text.size() - sauce < 129)
        text = text.prefix(sauce);

    ScanResult scan;
    if (wrapWidth) {
        scan = scanANSRows(text, wrapWidth, iceColors, origin, cap);
    } else if (find(text, U"\x1b[") != notFound) {
        // Art without line breaks relies on an 80-column screen; art with them but one line
        // past the limit has no usable line structure either and gets the same treatment, as
        // does art whose rows run past the screen only here and there.
        if (find(text, U"\n") == notFound) {
            scan = scanANSRows(text, screenWidth, iceColors, origin, cap);
        } else {
            // The first scan stops keeping cells once a row runs past the limit, so deciding
            // costs no grid that would only be thrown away.
            scan = scanANSRows(text, std::nullopt, iceColors, origin, cap, Keep::cellsUntilTooWide);
            if (scan.widest > static_cast<std::size_t>(cap.maxColumns) || reliedOnScreenWrap(scan)) {
                scan = scanANSRows(text, screenWidth, iceColors, origin, cap);
            } else if (scan.measuredOnly) {
                scan = scanANSRows(text, std::nullopt, iceColors, origin, cap);
            }
        }
    } else {
        scan = scanANSRows(text, std::nullopt, iceColors, origin, cap);  // plain text is never wrapped
    }
    if (scan.rows.empty()) return std::nullopt;

    const auto cols =
        std::min<std::size_t>(std::max<std::size_t>(scan.widest, ANSLimits::minColumns), cap.maxColumns);
    const auto rowCount =
        std::min<std::size_t>(std::max<std::size_t>(scan.rows.size(), ANSLimits::minRows), cap.maxRows);
    scan.rows.resize(rowCount);
    for (auto& line : scan.rows) line.resize(cols, ANSICell::blank());
    return CellGrid(std::move(scan.rows));
}


std::span<const std::uint8_t> beforeEndOfFile(std::span<const std::uint8_t> bytes) {
    const auto mark = std::find(bytes.begin(), bytes.end(), cp437EndOfFile);
    return bytes.first(static_cast<std::size_t>(mark - bytes.begin()));
}

// A letter of Latin-1, Latin Extended-A, Greek or Cyrillic.
bool isAlphabetLetter(char32_t c) {
    return (c >= 0xC0 && c <= 0x17F && c != 0xD7 && c != 0xF7) || (c >= 0x370 && c <= 0x4FF);
}

bool isLetter(char32_t c) { return ((c | 0x20) >= U'a' && (c | 0x20) <= U'z') || isAlphabetLetter(c); }

// Whether text whose bytes are valid UTF-8 was written as UTF-8. CP437 art can be valid UTF-8
// by accident when it has few high bytes: a box or block glyph (0xC2-0xDF) followed by one
// more glyph of 0x80-0xBF forms a two-byte sequence, and so "╔╗", "█▓" or "├┤" decode to a
// letter of IPA, Arabic or Latin-1 standing on its own, a control or a Latin-1 symbol. What
// UTF-8 art and text use instead are three- and four-byte characters (box drawing, blocks,
// shapes, punctuation, CJK, emoji) and letters inside words. More than half of the multi-byte
// characters must be of that kind.
bool looksLikeUTF8(std::span<const std::uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!utf8::isValid(text)) return false;
    std::size_t typical = 0, other = 0;
    char32_t before = 0;
    for (std::size_t i = 0; i < text.size();) {
        const utf8::Decoded here = utf8::decodeAt(text, i);
        const auto next = static_cast<std::size_t>(here.length) + i;
        if (here.length > 1) {
            const char32_t after = next < text.size() ? utf8::decodeAt(text, next).scalar : 0;
            const bool inWord = isAlphabetLetter(here.scalar) && (isLetter(before) || isLetter(after));
            if (here.length > 2 || inWord) {
                ++typical;
            } else {
                ++other;
            }
        }
        before = here.scalar;
        i = next;
    }
    return typical > other;
}


}  // namespace

bool isAlphabetic(char32_t c) {
    if (c < 0x80) return (c | 0x20) >= U'a' && (c | 0x20) <= U'z';
    if (c > 0x10FFFF) return false;
    switch (utf8proc_category(static_cast<utf8proc_int32_t>(c))) {
        case UTF8PROC_CATEGORY_LU:
        case UTF8PROC_CATEGORY_LL:
        case UTF8PROC_CATEGORY_LT:
        case UTF8PROC_CATEGORY_LM:
        case UTF8PROC_CATEGORY_LO:
        case UTF8PROC_CATEGORY_NL:
            return true;
        default:
            break;
    }
    // utf8proc has no Other_Alphabetic table; these are the members that are symbols rather
    // than combining vowel signs: the Greek iota subscript and the circled, parenthesised
    // and squared Latin letters.
    return c == 0x0345 || (c >= 0x24B6 && c <= 0x24E9) || (c >= 0x1F130 && c <= 0x1F149) ||
           (c >= 0x1F150 && c <= 0x1F169) || (c >= 0x1F170 && c <= 0x1F189);
}

SGRColors parseSGR(std::string_view params, ANSIColorValue fg, ANSIColorValue bg, bool& bold, bool& blink) {
    const std::u32string scalars = utf8::decode(params);
    std::vector<std::optional<std::int64_t>> pieces;
    parsePieces(std::u32string_view(scalars), 0, scalars.size(), pieces);
    std::vector<std::int64_t> codes;
    return applySGR(pieces, scalars.empty(), fg, bg, bold, blink, codes);
}

std::optional<CellGrid> importANSText(std::string_view text, std::optional<int> wrapWidth, bool iceColors) {
    const std::u32string scalars = utf8::decode(text);
    return importScalars(ScalarText{scalars}, wrapWidth, iceColors, Origin::utf8, ANSGridCap{});
}

std::optional<ImportedANS> importANSFile(std::span<const std::uint8_t> data, bool preferUTF8, ANSGridCap cap) {
    cap.maxColumns = std::clamp(cap.maxColumns, ANSLimits::minColumns, ANSLimits::maxColumns);
    cap.maxRows = std::clamp(cap.maxRows, ANSLimits::minRows, ANSLimits::maxRows);
    std::optional<int> wrapWidth;
    bool iceColors = true;
    std::optional<SauceRecord> record;
    std::span<const std::uint8_t> body = data;
    if (auto found = readSauce(data)) {
        const int width = found->record.tInfo1;
        if (width >= 10 && width <= cap.maxColumns) wrapWidth = width;
        iceColors = found->record.iceColors();
        body = data.first(found->bodyEnd);
        record = std::move(found->record);
    }

    auto read = [&](std::span<const std::uint8_t> bytes) {
        const std::string_view asText(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        if (preferUTF8 && utf8::isValid(asText)) {
            const std::u32string scalars = utf8::decode(asText);
            return importScalars(ScalarText{scalars}, wrapWidth, iceColors, Origin::utf8, cap);
        }
        return importScalars(CP437Text{bytes, &CP437::scalarForByte()}, wrapWidth, iceColors, Origin::cp437, cap);
    };
    const auto art = beforeEndOfFile(body);
    std::optional<CellGrid> cells = read(art);
    if (!cells && art.size() < body.size()) {
        // Nothing is drawn before the mark (a file of palette commands, say): what follows it
        // is all the file has to show.
        while (!body.empty() && body.back() == cp437EndOfFile) body = body.first(body.size() - 1);
        cells = read(body);
    }
    if (!cells) return std::nullopt;
    return ImportedANS{std::move(*cells), std::move(record)};
}

bool readsAsUTF8(std::string_view path, std::span<const std::uint8_t> data) {
    if (utf8::asciiLowercase(path).ends_with(".utf8.ans")) return true;
    return !readSauce(data) && looksLikeUTF8(beforeEndOfFile(data));
}

}  // namespace glyphloom
