// Feeds arbitrary bytes to the input decoder in random-sized reads, with the "buffer was
// full" flag chosen by the data itself; the decoder must not crash or hang, and what it
// carries between reads stays within its cap.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tui/terminal/input_decoder.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> pending;
    std::size_t at = 0;
    while (at < size) {
        const std::uint8_t control = data[at++];
        const std::size_t length = std::min<std::size_t>(1 + (control & 0x3F), size - at);
        const bool full = (control & 0x80) != 0;
        glyphloom::decodeInput(std::span(data + at, length), pending, full);
        if (pending.size() > glyphloom::maxPendingInput) std::abort();
        at += length;
    }
    return 0;
}
