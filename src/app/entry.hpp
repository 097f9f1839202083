// Process entry: the command line's one-shot answers (version, help), the checks before
// the terminal is touched, and the interactive start that hands over to the main loop.
#pragma once

#include "app/command_line.hpp"

namespace glyphloom {

// Returns the process exit status.
int runGlyphloom(const CommandLine& commandLine);

}  // namespace glyphloom
