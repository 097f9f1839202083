#include "core/model/canvas_size.hpp"

#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

#include "core/text/utf8.hpp"

namespace glyphloom {

namespace {

std::optional<long long> parseInteger(std::string_view text) {
    // An optional leading sign, then decimal digits and nothing else.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<CanvasSize> parseCanvasSize(std::string_view value) {
    const std::string text = utf8::asciiLowercase(value);
    std::vector<std::string_view> pieces;
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t x = rest.find('x');
        const std::string_view piece = rest.substr(0, x);
        if (!piece.empty()) pieces.push_back(piece);
        if (x == std::string_view::npos) break;
        rest.remove_prefix(x + 1);
    }
    if (pieces.size() != 2) return std::nullopt;
    const auto cols = parseInteger(pieces[0]);
    const auto rows = parseInteger(pieces[1]);
    if (!cols || !rows) return std::nullopt;
    return CanvasSize{static_cast<int>(std::clamp<long long>(*cols, 10, 320)),
                      static_cast<int>(std::clamp<long long>(*rows, 4, 200))};
}

}  // namespace glyphloom
