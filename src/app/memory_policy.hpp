// How the process's allocator treats freed memory. The editor builds and drops whole grids
// (imports, composites, undo copies) of up to tens of megabytes; handing that memory back to
// the system and faulting it in again on the next grid costs more than building the grid.
#pragma once

namespace glyphloom {

// Keeps freed heap memory for reuse (up to a bound) instead of returning it at once, and
// serves grid-sized blocks from the heap rather than fresh mappings. Call once at start-up,
// before any thread exists; harmless where the allocator has no such settings.
void keepFreedMemoryForReuse();

}  // namespace glyphloom
