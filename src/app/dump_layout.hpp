// `glyphloom --dump-layout`: composes one frame for a fresh editor with the panels named on
// the command line open, and prints the layout. A developer aid that needs no terminal.
#pragma once

#include <cstdio>

#include "tui/state/app_state.hpp"
#include "app/command_line.hpp"

namespace glyphloom {

// Opens the panels and pickers the setup flags name (--tool NAME, --panel, --layers, …).
void applyLayoutSetupFlags(const CommandLine& commandLine, AppState& state);

// Prints "size ROWSxCOLS", the size class, then "name<TAB>row<TAB>first<TAB>end" per region.
void dumpLayout(const AppState& state, int rows, int cols, std::FILE* out);

}  // namespace glyphloom
