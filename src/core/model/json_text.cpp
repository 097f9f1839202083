#include "core/model/json_text.hpp"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <limits>
#include <string>
#include <system_error>
#include <vector>
#include <version>

#include "core/text/utf8.hpp"

namespace glyphloom {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Whether a number that does not fit a double overflows (the JSON library refuses those) or
// merely underflows to zero (which it accepts). Only the decimal exponent matters here.
bool overflowsDouble(std::string_view number) {
    std::size_t i = number.front() == '-' ? 1 : 0;
    long long exponent = -1;  // of the leading digit; stays negative while only zeros are seen
    bool seenNonZero = false;
    long long leadingFractionZeros = 0;
    for (; i < number.size() && isDigit(number[i]); ++i) {
        if (number[i] != '0') seenNonZero = true;
        if (seenNonZero) ++exponent;
    }
    if (i < number.size() && number[i] == '.') {
        for (++i; i < number.size() && isDigit(number[i]); ++i) {
            if (seenNonZero) continue;
            if (number[i] != '0') {
                seenNonZero = true;
                exponent = -1 - leadingFractionZeros;
            } else {
                ++leadingFractionZeros;
            }
        }
    }
    if (!seenNonZero) return false;
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        const bool negative = number[i] == '-';
        if (number[i] == '-' || number[i] == '+') ++i;
        long long written = 0;
        for (; i < number.size(); ++i) written = std::min<long long>(written * 10 + (number[i] - '0'), 1'000'000'000);
        exponent += negative ? -written : written;
    }
    return exponent > 0;
}

}  // namespace

bool JsonOut::flush() {
    if (!sink) return true;
    if (!sinkFailed && !bytes.empty()) sinkFailed = !sink(bytes);
    bytes.clear();
    return !sinkFailed;
}

void appendJSONString(JsonOut& out, std::string_view text) {
    static constexpr char hex[] = "0123456789abcdef";
    out.put('"');
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t runStart = i;
        while (i < text.size()) {
            const auto b = static_cast<unsigned char>(text[i]);
            if (b < 0x20 || b >= 0x80 || b == '"' || b == '\\') break;
            ++i;
        }
        out.put(text.substr(runStart, i - runStart));
        if (i == text.size()) break;
        const auto b = static_cast<unsigned char>(text[i]);
        if (b >= 0x80) {
            const utf8::Decoded d = utf8::decodeAt(text, i);
            if (d.valid) out.put(text.substr(i, static_cast<std::size_t>(d.length)));
            else appendScalar(out, utf8::replacementCharacter);
            i += static_cast<std::size_t>(d.length);
            continue;
        }
        ++i;
        switch (b) {
            case '"': out.put("\\\""); break;
            case '\\': out.put("\\\\"); break;
            case '\b': out.put("\\b"); break;
            case '\f': out.put("\\f"); break;
            case '\n': out.put("\\n"); break;
            case '\r': out.put("\\r"); break;
            case '\t': out.put("\\t"); break;
            default:
                out.put("\\u00");
                out.put(hex[b >> 4]);
                out.put(hex[b & 0xF]);
        }
    }
    out.put('"');
}

void appendJSONInteger(JsonOut& out, std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.put(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

char* encodeScalar(char32_t scalar, char* out) {
    if (scalar < 0x80) {
        *out++ = static_cast<char>(scalar);
        return out;
    }
    if (scalar > 0x10FFFF || (scalar >= 0xD800 && scalar <= 0xDFFF)) scalar = utf8::replacementCharacter;
    if (scalar < 0x800) {
        *out++ = static_cast<char>(0xC0 | (scalar >> 6));
    } else if (scalar < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (scalar >> 12));
        *out++ = static_cast<char>(0x80 | ((scalar >> 6) & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (scalar >> 18));
        *out++ = static_cast<char>(0x80 | ((scalar >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((scalar >> 6) & 0x3F));
    }
    *out++ = static_cast<char>(0x80 | (scalar & 0x3F));
    return out;
}

void appendScalar(JsonOut& out, char32_t scalar) {
    if (scalar < 0x80) {
        out.put(static_cast<char>(scalar));
        return;
    }
    char encoded[4];
    out.put(std::string_view(encoded, static_cast<std::size_t>(encodeScalar(scalar, encoded) - encoded)));
}

bool JsonReader::consume(char c) {
    if (peek() != c || pos_ >= text_.size()) return false;
    ++pos_;
    return true;
}

char JsonReader::peek() {
    while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
    return pos_ < text_.size() ? text_[pos_] : '\0';
}

void JsonReader::skipByteOrderMark() {
    if (pos_ == 0 && text_.starts_with("\xEF\xBB\xBF")) pos_ = 3;
}

bool JsonReader::atEndOfText() {
    // peek() gives '\0' both at the end and on a NUL byte; either ends the text.
    return peek() == '\0';
}

bool JsonReader::readEscape(std::string* out) {
    if (pos_ >= text_.size()) return false;
    const char c = text_[pos_++];
    char plain = 0;
    switch (c) {
        case '"': plain = '"'; break;
        case '\\': plain = '\\'; break;
        case '/': plain = '/'; break;
        case 'b': plain = '\b'; break;
        case 'f': plain = '\f'; break;
        case 'n': plain = '\n'; break;
        case 'r': plain = '\r'; break;
        case 't': plain = '\t'; break;
        case 'u': break;
        default: return false;
    }
    if (c != 'u') {
        if (out) out->push_back(plain);
        return true;
    }
    auto fourHex = [this]() -> int {
        if (text_.size() - pos_ < 4) return -1;
        int value = 0;
        for (int k = 0; k < 4; ++k) {
            const int h = utf8::hexDigitValue(text_[pos_ + k]);
            if (h < 0) return -1;
            value = value * 16 + h;
        }
        pos_ += 4;
        return value;
    };
    int unit = fourHex();
    if (unit < 0 || (unit >= 0xDC00 && unit <= 0xDFFF)) return false;
    char32_t scalar = static_cast<char32_t>(unit);
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        // A high surrogate must be followed by its low half, as another escape.
        if (text_.size() - pos_ < 2 || text_[pos_] != '\\' || text_[pos_ + 1] != 'u') return false;
        pos_ += 2;
        const int low = fourHex();
        if (low < 0xDC00 || low > 0xDFFF) return false;
        scalar = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (static_cast<char32_t>(low) - 0xDC00);
    }
    if (out) utf8::append(*out, scalar);
    return true;
}

bool JsonReader::readString(std::string* out) {
    if (!consume('"')) return false;
    for (;;) {
        const std::size_t runStart = pos_;
        while (pos_ < text_.size()) {
            const auto b = static_cast<unsigned char>(text_[pos_]);
            if (b < 0x20 || b >= 0x80 || b == '"' || b == '\\') break;
            ++pos_;
        }
        if (out) out->append(text_, runStart, pos_ - runStart);
        if (pos_ >= text_.size()) return false;
        const auto b = static_cast<unsigned char>(text_[pos_]);
        if (b == '"') {
            ++pos_;
            return true;
        }
        if (b < 0x20) return false;
        if (b == '\\') {
            ++pos_;
            if (!readEscape(out)) return false;
            continue;
        }
        const utf8::Decoded d = utf8::decodeAt(text_, pos_);
        if (!d.valid) return false;
        if (out) out->append(text_, pos_, static_cast<std::size_t>(d.length));
        pos_ += static_cast<std::size_t>(d.length);
    }
}

bool JsonReader::readKey(std::string_view& key, std::string& scratch) {
    if (peek() != '"') return false;
    // Keys are nearly always plain ASCII: hand out a view of the input then.
    std::size_t end = pos_ + 1;
    while (end < text_.size()) {
        const auto b = static_cast<unsigned char>(text_[end]);
        if (b < 0x20 || b >= 0x80 || b == '"' || b == '\\') break;
        ++end;
    }
    if (end < text_.size() && text_[end] == '"') {
        key = text_.substr(pos_ + 1, end - pos_ - 1);
        pos_ = end + 1;
    } else {
        scratch.clear();
        if (!readString(&scratch)) return false;
        key = scratch;
    }
    return consume(':');
}

bool JsonReader::readLiteral(std::string_view word) {
    peek();
    if (text_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
}

std::optional<std::int64_t> JsonReader::readPlainInteger() {
    peek();
    std::size_t p = pos_;
    const bool negative = p < text_.size() && text_[p] == '-';
    if (negative) ++p;
    const std::size_t digitsStart = p;
    std::int64_t value = 0;
    // Digits past the eighteenth are only counted: the number is refused below, and
    // accumulating them would overflow.
    for (; p < text_.size() && isDigit(text_[p]); ++p)
        if (p - digitsStart < 18) value = value * 10 + (text_[p] - '0');
    const std::size_t count = p - digitsStart;
    if (count == 0 || count > 18 || (text_[digitsStart] == '0' && count > 1)) return std::nullopt;
    if (p < text_.size() && (text_[p] == '.' || text_[p] == 'e' || text_[p] == 'E')) return std::nullopt;
    pos_ = p;
    return negative ? -value : value;
}

bool JsonReader::skipNumber() {
    const std::size_t start = pos_;
    auto digits = [this] {
        const std::size_t from = pos_;
        while (pos_ < text_.size() && isDigit(text_[pos_])) ++pos_;
        return pos_ > from;
    };
    if (pos_ < text_.size() && text_[pos_] == '-') ++pos_;
    if (pos_ >= text_.size() || !isDigit(text_[pos_])) return false;
    if (text_[pos_] == '0') ++pos_;
    else digits();
    bool plainInteger = true;
    if (pos_ < text_.size() && text_[pos_] == '.') {
        ++pos_;
        if (!digits()) return false;
        plainInteger = false;
    }
    if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
        ++pos_;
        if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) ++pos_;
        if (!digits()) return false;
        plainInteger = false;
    }
    const std::string_view number = text_.substr(start, pos_ - start);
    // Whole numbers of up to 300 digits fit 64 bits or at least a finite double.
    if (plainInteger && number.size() <= 300) return true;
#if defined(__cpp_lib_to_chars)
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) return !overflowsDouble(number);
    return result.ec == std::errc();
#else
    // A standard library without floating-point from_chars (LLVM's before 17): strtod reads
    // the same syntax in the "C" locale the program keeps, and flags range errors alike.
    const std::string terminated(number);
    errno = 0;
    std::strtod(terminated.c_str(), nullptr);
    return errno != ERANGE || !overflowsDouble(number);
#endif
}

bool JsonReader::skipValue() {
    // An explicit stack instead of recursion: a file of a million '[' cannot exhaust it.
    std::vector<char> open;
    std::string_view key;
    std::string scratch;
    for (;;) {
        // A value is expected here.
        switch (peek()) {
            case '{':
            case '[': {
                if (open.size() == maxNesting) return false;
                const char bracket = text_[pos_++];
                const char close = bracket == '{' ? '}' : ']';
                if (consume(close)) break;
                open.push_back(bracket);
                if (bracket == '{' && !readKey(key, scratch)) return false;
                continue;
            }
            case '"':
                if (!readString(nullptr)) return false;
                break;
            case 't':
                if (!readLiteral("true")) return false;
                break;
            case 'f':
                if (!readLiteral("false")) return false;
                break;
            case 'n':
                if (!readLiteral("null")) return false;
                break;
            default:
                if (!skipNumber()) return false;
        }
        // After a value: close containers or move on to the next element.
        for (;;) {
            if (open.empty()) return true;
            if (consume(',')) {
                if (open.back() == '{' && !readKey(key, scratch)) return false;
                break;
            }
            if (!consume(open.back() == '{' ? '}' : ']')) return false;
            open.pop_back();
        }
    }
}

std::optional<std::string_view> JsonReader::valueText() {
    peek();
    const std::size_t start = pos_;
    if (!skipValue()) return std::nullopt;
    return text_.substr(start, pos_ - start);
}

}  // namespace glyphloom
