#include "core/codec/picture_buffer.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace glyphloom {
namespace picture_buffer_test {

// Whatever the buffer held before and however the pages are backed, it comes out as exactly
// `size` zero bytes: renders rely on an all-black start.
TEST(PictureBuffer, ExactlySizeZeroBytes) {
    struct Case {
        std::size_t before;
        std::size_t size;
    };
    const Case cases[] = {{0, 0}, {0, 1}, {10, 3}, {3, 10}, {0, 6u << 20}, {7u << 20, 5u << 20}, {100, (4u << 20) + 17}};
    for (const Case& c : cases) {
        std::vector<std::uint8_t> buffer(c.before, 0xAB);
        resizePictureBuffer(buffer, c.size);
        EXPECT_EQ(buffer.size(), c.size) << c.before << " -> " << c.size;
        EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](std::uint8_t b) { return b == 0; }))
            << c.before << " -> " << c.size;
    }
}

}  // namespace picture_buffer_test
}  // namespace glyphloom
