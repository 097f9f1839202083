#include "core/text/cp437_characters.hpp"

#include <algorithm>
#include <utility>

#include "core/text/utf8.hpp"

namespace glyphloom {
namespace {

// Each text holds one character per scalar.
struct GroupText {
    const char* name;
    const char* chars;
};

constexpr GroupText handPicked[] = {
    {"Blocks", "█▓▒░▀▄▌▐▖▗▘▝▙▛▜▟"},
    {"ASCII Art", "/\\|-_.,:;!'\"`~^+*=#@&%$?"},
    {"Box (Single)", "─│┌┐└┘├┤┬┴┼╴╵╶╷╌╍╎╏"},
    {"Box (Double)", "═║╔╗╚╝╠╣╦╩╬╒╓╕╖╘╙╛╜╟╞╡╢╤╥╧╨╪╫"},
    {"Shade / Geo", "■□▪▫▬▭▮▯◆◇○●◘◙"},
    {"Symbols", "♠♣♥♦☺☻♀♂♪♫☼☾►◄↑↓→←↕↔↨∟▲▼‼¶§⌂"},
    {"Math", "±×÷√∞≈≡≤≥≠²³¹ⁿ°·¬½¼⌠⌡∑"},
    {"Greek", "αβΓγπΣσµτΦφΘΩωδεζηικλξρψ"},
    {"Extended Latin", "çüéâäàåêëèïîìÄÅÉæÆôöòûùÿÖÜáíóúñÑ¿¡«»¢£¥ƒ"},
};

std::vector<std::string> splitScalars(std::string_view text) {
    std::vector<std::string> chars;
    for (char32_t scalar : utf8::decode(text)) chars.push_back(utf8::encode(scalar));
    return chars;
}

std::vector<std::string> asciiWhere(bool (*keep)(char)) {
    std::vector<std::string> chars;
    for (char c = '!'; c <= '~'; ++c) {
        if (keep(c)) chars.emplace_back(1, c);
    }
    return chars;
}

std::vector<CharacterGroup> buildGroups() {
    std::vector<CharacterGroup> groups;
    for (const GroupText& g : handPicked) groups.push_back({g.name, splitScalars(g.chars)});
    // The dash in these names is an en dash with a blank on each side.
    groups.push_back({"A \u2013 Z", asciiWhere([](char c) { return c >= 'A' && c <= 'Z'; })});
    groups.push_back({"a \u2013 z", asciiWhere([](char c) { return c >= 'a' && c <= 'z'; })});
    groups.push_back({"0 \u2013 9", asciiWhere([](char c) { return c >= '0' && c <= '9'; })});
    groups.push_back({"Punctuation", asciiWhere([](char c) {
                          return !(c >= 'A' && c <= 'Z') && !(c >= 'a' && c <= 'z') && !(c >= '0' && c <= '9');
                      })});
    return groups;
}

}  // namespace

const std::vector<CharacterGroup>& CP437Characters::groups() {
    static const std::vector<CharacterGroup> groups = buildGroups();
    return groups;
}

const std::vector<std::string>& CP437Characters::allCharacters() {
    static const std::vector<std::string> all = [] {
        std::vector<std::string> chars;
        for (const CharacterGroup& g : groups()) chars.insert(chars.end(), g.chars.begin(), g.chars.end());
        return chars;
    }();
    return all;
}

std::vector<std::string> CP437Characters::charactersOfGroups(const std::vector<std::string>& names) {
    std::vector<std::string> chars;
    for (const CharacterGroup& g : groups()) {
        if (std::find(names.begin(), names.end(), g.name) != names.end())
            chars.insert(chars.end(), g.chars.begin(), g.chars.end());
    }
    return chars;
}

std::string CP437Characters::shortLabel(std::string_view name) {
    static constexpr std::pair<std::string_view, std::string_view> labels[] = {
        {"Box (Single)", "Box 1"}, {"Box (Double)", "Box 2"}, {"Shade / Geo", "Shade"},
        {"Extended Latin", "Latin"}, {"Punctuation", "Punct"},
    };
    for (const auto& [full, shortName] : labels) {
        if (name == full) return std::string(shortName);
    }
    return std::string(name);
}

}  // namespace glyphloom
