// Turns raw terminal input bytes into events: plain bytes, SS3 and CSI cursor and function
// keys, and SGR (1006) mouse reports. An escape sequence cut off by a full read is carried
// in `pending` to the next call; after a short read it is complete or it is junk.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "tui/terminal/input_event.hpp"

namespace glyphloom {

// Longest carried-over partial sequence; anything longer is not a sequence we know.
inline constexpr std::size_t maxPendingInput = 4096;

std::vector<InputEvent> decodeInput(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& pending,
                                    bool bufferWasFull);

}  // namespace glyphloom
