// Avatar display files from outside: reading must never crash, hang or build past its cap.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/format/avatar_reader.hpp"
#include "art_reader_checks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace glyphloom;
    fuzz::checkArt(readAvatar(std::span<const std::uint8_t>(data, size), fuzz::artCap));
    return 0;
}
