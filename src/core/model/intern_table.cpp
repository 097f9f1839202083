// Lookup and growth of the bounded text table.
#include "core/model/intern_table.hpp"

#include <cstring>
#include <functional>

namespace glyphloom {

std::size_t InternTable::slotOf(std::string_view text) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = std::hash<std::string_view>{}(text) & mask;
    while (slots_[slot] != 0 && texts_[slots_[slot] - 1] != text) slot = (slot + 1) & mask;
    return slot;
}

void InternTable::grow() {
    std::vector<std::uint32_t> old = std::move(slots_);
    slots_.assign(old.empty() ? 1024 : old.size() * 2, 0);
    for (const std::uint32_t entry : old) {
        if (entry != 0) slots_[slotOf(texts_[entry - 1])] = entry;
    }
}

std::string_view InternTable::store(std::string_view text) {
    if (blocks_.empty() || blockUsed_ + text.size() > blockBytes) {
        blocks_.push_back(std::make_unique<char[]>(blockBytes));
        blockUsed_ = 0;
    }
    char* at = blocks_.back().get() + blockUsed_;
    if (!text.empty()) std::memcpy(at, text.data(), text.size());
    blockUsed_ += text.size();
    return {at, text.size()};
}

std::optional<std::uint32_t> InternTable::intern(std::string_view text, std::uint8_t tag) {
    if (!slots_.empty()) {
        if (const std::uint32_t entry = slots_[slotOf(text)]; entry != 0) return entry - 1;
    }
    if (texts_.size() >= capacity_ || text.size() > blockBytes) return std::nullopt;
    // At most half full, so every probe ends soon at a free slot.
    if ((texts_.size() + 1) * 2 > slots_.size()) grow();
    const auto id = static_cast<std::uint32_t>(texts_.size());
    texts_.push_back(store(text));
    tags_.push_back(tag);
    slots_[slotOf(texts_.back())] = id + 1;
    return id;
}

}  // namespace glyphloom
