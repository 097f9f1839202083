// The terminal-input decoder's built-in checks, run by `glyphloom --test-input` and by the
// unit tests. Each check feeds one or more reads to a fresh decoder state.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace glyphloom {

struct InputRead {
    std::string bytes;
    bool bufferWasFull = false;
};

struct InputCheck {
    const char* name;
    std::vector<InputRead> reads;
    std::vector<std::string> expected;  // describe() of each event, over all reads
};

const std::vector<InputCheck>& inputDecoderChecks();

// Decodes the check's reads in order and describes the events.
std::vector<std::string> runInputCheck(const InputCheck& check);

// Prints the heading and one line per failing check; true when all pass.
bool runInputSelfTest(std::FILE* out);

}  // namespace glyphloom
