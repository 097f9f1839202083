// JSON as text, for the documents too large to go through a tree: a forward-only reader
// that checks the grammar as strictly as the JSON library does (so both accept the same
// files) without building anything, and the string escaping that writers share. What the
// values mean is up to the callers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/io/byte_sink.hpp"

namespace glyphloom {

// JSON text being written, kept as the bytes a file takes so that a document of tens of
// megabytes is never copied from one buffer into another. With a sink, `bytes` is only a
// window that spill() hands over once it has grown: the text then goes to the file through a
// buffer small enough to stay in the cache, and is never held whole.
struct JsonOut {
    // Hand-over size: a few hundred kilobytes per write call, well inside a core's cache.
    static constexpr std::size_t spillBytes = 256u << 10;

    std::vector<std::uint8_t> bytes;
    ByteSink sink;
    bool sinkFailed = false;  // once set, whatever follows is dropped

    void put(char c) { bytes.push_back(static_cast<std::uint8_t>(c)); }
    void put(std::string_view text) {
        const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
        bytes.insert(bytes.end(), data, data + text.size());
    }
    // Between values (after each row of cells): hands the window on once it is full enough.
    void spill() {
        if (sink && bytes.size() >= spillBytes) flush();
    }
    // Hands on everything written so far; false once the sink has refused a piece. Without a
    // sink the bytes stay where they are.
    bool flush();
};

// `text` as a JSON string literal, quotes included. Bytes that are not UTF-8 become U+FFFD,
// so the output is always valid JSON.
void appendJSONString(JsonOut& out, std::string_view text);
void appendJSONInteger(JsonOut& out, std::int64_t value);
// One scalar in UTF-8, unescaped: for callers that know it needs no escaping.
void appendScalar(JsonOut& out, char32_t scalar);
// The same into a buffer with room for 4 bytes; returns the end. Surrogates and values past
// U+10FFFF become U+FFFD.
char* encodeScalar(char32_t scalar, char* out);

class JsonReader {
public:
    // The deepest nesting of arrays and objects a value may have. Real documents stay within
    // a handful of levels; the JSON library copies, compares and writes a tree recursively,
    // so a value nested tens of thousands deep would exhaust the stack of whoever touches it.
    static constexpr std::size_t maxNesting = 128;

    explicit JsonReader(std::string_view text) : text_(text) {}

    std::size_t position() const { return pos_; }
    void rewind(std::size_t position) { pos_ = position; }

    // Skips blanks, then true when the next byte is `c` (and takes it).
    bool consume(char c);
    // Skips blanks; the next byte, or '\0' at the end of the input.
    char peek();
    // A UTF-8 byte order mark at the very start.
    void skipByteOrderMark();
    // Only blanks remain (a NUL byte ends the text, as it does for the JSON library).
    bool atEndOfText();

    // A string literal (blanks first). `out` receives the decoded text, or is left alone
    // when nullptr. False for anything but a well-formed string.
    bool readString(std::string* out);
    // A key and its colon. The view points into the input when the key has no escapes, else
    // into `scratch`.
    bool readKey(std::string_view& key, std::string& scratch);
    // `true`, `false` or `null` spelt out; false without moving for anything else.
    bool readLiteral(std::string_view word);
    // A whole number of at most 18 digits, with no fraction or exponent; leaves the position
    // alone (and gives nothing) for any other value, so the caller can read it another way.
    std::optional<std::int64_t> readPlainInteger();

    // Steps over one complete value, checking it. False for malformed text and for a value
    // nested deeper than maxNesting.
    bool skipValue();
    // The text of the next value (blanks excluded), or nothing when it is malformed.
    std::optional<std::string_view> valueText();

private:
    bool skipNumber();
    bool readEscape(std::string* out);

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace glyphloom
