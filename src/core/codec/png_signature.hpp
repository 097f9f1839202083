// The eight bytes every PNG file starts with.
#pragma once

#include <array>
#include <cstdint>

namespace glyphloom {

inline constexpr std::array<std::uint8_t, 8> pngSignature = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

}  // namespace glyphloom
