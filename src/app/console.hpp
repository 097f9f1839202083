// Lines for the terminal the program was started from, outside the editor: messages of the
// command line, batch commands and self tests.
#pragma once

#include <cstdio>
#include <string_view>

namespace glyphloom {

// `text` and a newline, flushed at once so that it lands before anything the process does
// next (a crash, an exit, a child's output).
void printLine(std::FILE* stream, std::string_view text);

}  // namespace glyphloom
