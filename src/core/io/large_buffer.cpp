#include "core/io/large_buffer.hpp"

#include <sys/mman.h>

namespace glyphloom {

void reserveLargeBuffer(std::vector<std::uint8_t>& buffer, std::size_t bytes) {
    buffer.reserve(bytes);
#ifdef MADV_HUGEPAGE
    // Only whole 2 MiB stretches inside the untouched reservation; the advice is a hint, and
    // its failure changes nothing but speed.
    constexpr std::size_t huge = std::size_t{2} << 20;
    if (buffer.capacity() < 2 * huge) return;
    const auto start = reinterpret_cast<std::uintptr_t>(buffer.data());
    const std::uintptr_t first = (start + huge - 1) & ~(huge - 1);
    const std::uintptr_t last = (start + buffer.capacity()) & ~(huge - 1);
    if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

}  // namespace glyphloom
