// The built-in bank's all-or-nothing decoding, fed outside bytes: it must never crash, a bank
// it accepts is one the salvaging decoder reads the same way, and an accepted bank comes back
// unchanged through its own encoding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/format/preset.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto bank = glyphloom::decodeBankStrictly(text);
    if (!bank) return 0;
    if (glyphloom::decodeBankSalvaging(text) != bank) std::abort();
    const auto encoded = glyphloom::encodeBank(*bank);
    if (!encoded) return 0;  // text that is not UTF-8 cannot be written back as JSON
    if (glyphloom::decodeBankStrictly(*encoded) != bank) std::abort();
    return 0;
}
