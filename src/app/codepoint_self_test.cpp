#include "app/codepoint_self_test.hpp"

#include "core/text/utf8.hpp"
#include "tui/actions/panels.hpp"
#include "tui/input/text_entry.hpp"
#include "tui/state/app_state.hpp"
#include "tui/state/overlay_table.hpp"
#include "tui/tools/text_tool.hpp"

namespace glyphloom {
namespace {

constexpr std::uint8_t enterKey = 13;

std::string upperAscii(std::string text) {
    for (char& ch : text)
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    return text;
}

std::string shown(const std::optional<std::string>& value) { return value ? "\"" + *value + "\"" : "nothing"; }

}  // namespace

const std::vector<CodepointCheck>& codepointChecks() {
    static const std::vector<CodepointCheck> checks = {
        {"u+2591", "░"},   {"0x2591", "░"},   {" 2591 ", "░"},   {"25 91", "░"},    {"U+0041", "A"},
        {"1f600", "😀"},   {"10FFFF", std::nullopt}, {"D800", std::nullopt}, {"DFFF", std::nullopt},
        {"110000", std::nullopt}, {"1F600A", std::nullopt}, {"zz", std::nullopt}, {"", std::nullopt},
        {"U+", std::nullopt},
    };
    return checks;
}

std::vector<std::string> runCodepointCheck(const CodepointCheck& check) {
    std::vector<std::string> failures;
    const auto parsed = glyphForHex(check.typed);
    if (parsed != check.expected)
        failures.push_back("glyphForHex gave " + shown(parsed) + ", wanted " + shown(check.expected));

    // The same text typed into the picker's field and committed with Enter.
    AppState state;
    state.tools.penChar = "#";
    state.tools.charNull = true;
    openOverlay(Overlay::charPicker, state);
    startCodepointEntry(state);
    if (!promptIs(state.prompt, PromptKind::codepoint) || state.statusNote.value_or("") != "type a hex code point, Enter to place")
        failures.push_back("the field did not open with its prompt");
    for (const char* p = check.typed; *p != '\0'; ++p) textEntryKey(static_cast<std::uint8_t>(*p), state);
    textEntryKey(enterKey, state);
    if (state.prompt) failures.push_back("Enter left the field open");
    const std::string buffer = upperAscii(check.typed);
    if (check.expected) {
        if (state.tools.penChar != *check.expected || state.tools.charNull || state.anyOverlayOpen())
            failures.push_back("the pen is " + shown(state.tools.penChar) + ", wanted " + shown(check.expected));
        if (state.statusNote.value_or("") != "placed U+" + buffer)
            failures.push_back("note " + shown(state.statusNote.value_or("")));
    } else {
        if (state.tools.penChar != "#" || !state.tools.charNull || state.overlay != Overlay::charPicker)
            failures.push_back("the pen changed");
        if (state.statusNote.value_or("") != "no glyph at U+" + buffer)
            failures.push_back("note " + shown(state.statusNote.value_or("")));
    }
    return failures;
}

bool runCodepointSelfTest(std::FILE* out) {
    std::fprintf(out, "codepoint-entry self-test:\n");
    int failures = 0;
    for (const CodepointCheck& check : codepointChecks()) {
        const auto problems = runCodepointCheck(check);
        if (problems.empty()) continue;
        ++failures;
        for (const std::string& problem : problems) std::fprintf(out, "  FAIL \"%s\": %s\n", check.typed, problem.c_str());
    }
    const auto total = codepointChecks().size();
    std::fprintf(out, "%zu passed, %d failed\n", total - static_cast<std::size_t>(failures), failures);
    return failures == 0;
}

}  // namespace glyphloom
