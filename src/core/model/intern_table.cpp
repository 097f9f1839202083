// Lookup and growth of the bounded text table.
#include "core/model/intern_table.hpp"

namespace glyphloom {

std::optional<std::uint32_t> InternTable::intern(std::string_view text) {
    if (auto it = index_.find(text); it != index_.end()) return it->second;
    if (texts_.size() >= capacity_) return std::nullopt;
    const auto id = static_cast<std::uint32_t>(texts_.size());
    texts_.emplace_back(text);
    index_.emplace(texts_.back(), id);
    return id;
}

}  // namespace glyphloom
