// Preset banks from outside: decoding must never crash, and every preset it accepts must
// come back unchanged through its own encoding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <nlohmann/json.hpp>

#include "core/format/preset.hpp"
#include "core/format/preset_json.hpp"
#include "core/model/tool_options_json.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bank = glyphloom::decodeBankSalvaging(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!bank) return 0;
    for (const auto& slot : *bank) {
        if (!slot) continue;
        const auto again = glyphloom::presetFromJSON(nlohmann::json::parse(glyphloom::toJSON(*slot).dump()));
        if (again != slot) std::abort();
    }
    return 0;
}
