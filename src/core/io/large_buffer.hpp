// Byte buffers of tens of megabytes (whole documents being read or written). On a virtual
// machine every first touch of a 4 KiB page is a costly trap, so such buffers ask for huge
// pages where the system offers them; elsewhere this is a plain reserve.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace glyphloom {

// Reserves at least `bytes` in `buffer` (which should be empty, so nothing is copied), asking
// for huge pages when the reservation is large. Only a hint: where it is refused the buffer
// simply uses ordinary pages.
void reserveLargeBuffer(std::vector<std::uint8_t>& buffer, std::size_t bytes);

}  // namespace glyphloom
