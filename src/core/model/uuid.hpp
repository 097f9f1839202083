// Random (version 4) UUIDs and their 36-character text form, used as layer identities.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glyphloom {

struct Uuid {
    std::array<std::uint8_t, 16> bytes{};

    static Uuid random();
    // "8-4-4-4-12" hexadecimal groups, either letter case; nothing for any other text.
    static std::optional<Uuid> parse(std::string_view text);
    // Upper-case hexadecimal, e.g. "E621E1F8-C36C-495A-93FC-0C247A3E6E5F".
    std::string str() const;

    friend bool operator==(const Uuid&, const Uuid&) = default;
};

}  // namespace glyphloom
