// The built-in audit suite behind --run-audit-tests: end-to-end checks of the behaviours a
// user relies on across subsystems (compositing, .ans round trip, SAUCE credit, never
// overwriting a file a save does not own, undo depth, preset salvage, PNG round trip).
// It works in a temporary home and settings folder, never the user's, and needs no terminal.
#pragma once

#include <cstdio>

namespace glyphloom {

// Writes one line per check to `out`; true when every check passed.
bool runAuditSelfTest(std::FILE* out);

}  // namespace glyphloom
