#include "app/memory_policy.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace glyphloom {
namespace memory_policy_test {

#if defined(__GLIBC__)
// Freed grid memory stays in the process: after a grid's worth of rows is allocated and
// freed again, the allocator still holds it as free space instead of having returned it.
TEST(MemoryPolicy, FreedGridMemoryStaysForTheNextGrid) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer brings its own allocator";
#endif
    keepFreedMemoryForReuse();
    constexpr std::size_t rows = 4000, rowBytes = 2048;  // about 8 MiB, like a large import
    {
        std::vector<std::unique_ptr<char[]>> grid;
        for (std::size_t r = 0; r < rows; ++r) {
            grid.emplace_back(new char[rowBytes]);
            grid.back()[0] = 1;
        }
    }
    EXPECT_GE(mallinfo2().fordblks, rows * rowBytes * 9 / 10);
}
#endif

}  // namespace memory_policy_test
}  // namespace glyphloom
