// The built-in preset round-trip self test behind --test-preset-roundtrip: encodes and decodes
// presets and banks, checks the coding rules, and checks that the built-in slots survive being
// applied to the editor and captured back. Needs no terminal.
#pragma once

#include <cstdio>

namespace glyphloom {

// Writes one line per check to `out`; true when every check passed.
bool runPresetRoundTripSelfTest(std::FILE* out);

}  // namespace glyphloom
