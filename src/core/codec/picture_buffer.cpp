#include "core/codec/picture_buffer.hpp"

#include "core/io/large_buffer.hpp"

namespace glyphloom {

void resizePictureBuffer(std::vector<std::uint8_t>& buffer, std::size_t size) {
    buffer.clear();
    reserveLargeBuffer(buffer, size);  // allocated (with the huge-page hint), not yet touched
    buffer.resize(size);
}

}  // namespace glyphloom
