// The preset bank the program ships with: sixteen slots, twelve of them filled, kept as a
// JSON text of the same form as the bank file so it goes through the same decoder.
#pragma once

#include <string>

namespace glyphloom {

// The built-in bank as JSON text. Built once: the slots that draw from long character lists
// get them from the character picker's groups rather than a second copy of those characters.
const std::string& builtinPresetBankText();

}  // namespace glyphloom
