// Numbers stored low byte first, as the DOS-era formats and ZIP store them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace glyphloom {

// The 16-bit number at `at`; the caller has checked that two bytes are there.
inline int readLE16(std::span<const std::uint8_t> bytes, std::size_t at) { return bytes[at] | (bytes[at + 1] << 8); }

}  // namespace glyphloom
