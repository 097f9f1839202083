// The built-in preset round-trip self test behind --test-preset-roundtrip: encodes and decodes
// presets and banks and checks the coding rules. Needs no terminal.
#pragma once

#include <cstdio>

namespace glyphloom {

// Writes one line per check to `out`; true when every check passed.
bool runPresetRoundTripSelfTest(std::FILE* out);

}  // namespace glyphloom
