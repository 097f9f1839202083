// The allocator settings behind keepFreedMemoryForReuse (glibc only).
#include "app/memory_policy.hpp"

#include <cstdlib>  // defines __GLIBC__ where it applies

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace glyphloom {

void keepFreedMemoryForReuse() {
#if defined(__GLIBC__)
    // The largest grid (4000 x 1000 cells) is 64 MiB; a few of them stay in the process.
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    // glibc's own ceiling for this setting; below it, blocks come from the reusable heap.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
#endif
}

}  // namespace glyphloom
