#include "tui/tools/text_tool.hpp"

#include <cctype>

#include "core/text/utf8.hpp"

namespace glyphloom {

void handleFKey(int, AppState&) { }
void typeCharacter(const std::string&, AppState&) { }
void eraseLeft(AppState&) { }
void newLine(AppState&) { }
void stampActiveCharacter(AppState&) { }

std::optional<std::string> glyphForHex(const std::string& text) {
    std::string upper;
    for (char ch : text) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    const auto first = upper.find_first_not_of(" \t\r\n");
    const auto last = upper.find_last_not_of(" \t\r\n");
    upper = first == std::string::npos ? std::string() : upper.substr(first, last - first + 1);
    if (upper.rfind("U+", 0) == 0) upper.erase(0, 2);
    if (upper.rfind("0X", 0) == 0) upper.erase(0, 2);
    std::string digits;
    for (char ch : upper)
        if (std::isxdigit(static_cast<unsigned char>(ch)) && digits.size() < 6) digits += ch;
    if (digits.empty()) return std::nullopt;
    const auto value = static_cast<char32_t>(std::stoul(digits, nullptr, 16));
    if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
    return utf8::encode(value);
}

}  // namespace glyphloom
