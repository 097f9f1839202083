#include "core/codec/picture_buffer.hpp"

#include <sys/mman.h>

namespace glyphloom {

void resizePictureBuffer(std::vector<std::uint8_t>& buffer, std::size_t size) {
    buffer.clear();
    buffer.reserve(size);  // allocated, not yet touched
#ifdef MADV_HUGEPAGE
    constexpr std::uintptr_t hugePage = std::uintptr_t{2} << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(buffer.data());
    const std::uintptr_t first = (begin + hugePage - 1) & ~(hugePage - 1);
    const std::uintptr_t last = (begin + size) & ~(hugePage - 1);
    // Only a hint: where it is refused the buffer simply uses ordinary pages.
    if (size >= 2 * hugePage && last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
    buffer.resize(size);
}

}  // namespace glyphloom
