// Sizing the large byte buffers of a picture (its pixels, its filtered scanlines). A tall
// render runs to a hundred megabytes, and faulting that in 4 KiB pages costs more than
// drawing and compressing it; where the system offers transparent huge pages, the buffer
// asks for them before its first touch.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace glyphloom {

// Makes `buffer` exactly `size` zero bytes (its old contents are dropped).
void resizePictureBuffer(std::vector<std::uint8_t>& buffer, std::size_t size);

}  // namespace glyphloom
