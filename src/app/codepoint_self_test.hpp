// The code-point entry's built-in checks, run by `glyphloom --test-codepoint` and by the unit
// tests: the hex parser on its own, and the whole entry flow from the picker's field to the pen.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace glyphloom {

struct CodepointCheck {
    const char* typed;                    // what the user types into the field
    std::optional<std::string> expected;  // the character it names, or nothing
};

const std::vector<CodepointCheck>& codepointChecks();

// The failures of one check, as readable lines; empty when it passes.
std::vector<std::string> runCodepointCheck(const CodepointCheck& check);

// Prints the heading and one line per failure; true when all pass.
bool runCodepointSelfTest(std::FILE* out);

}  // namespace glyphloom
