// A bounded table of distinct texts, each known by a small number. Cells use it for
// characters that are not a single scalar; the bound keeps a hostile file from growing it
// until memory runs out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace glyphloom {

class InternTable {
public:
    explicit InternTable(std::size_t capacity) : capacity_(capacity) {}

    // The number of `text`, adding it when new; nothing once the table is full.
    std::optional<std::uint32_t> intern(std::string_view text);
    // The text of a number, or nothing for a number never handed out.
    const std::string* text(std::uint32_t id) const { return id < texts_.size() ? &texts_[id] : nullptr; }
    std::size_t size() const { return texts_.size(); }

private:
    std::size_t capacity_;
    // A deque keeps element addresses stable, so the map's string_view keys stay valid as
    // the table grows.
    std::deque<std::string> texts_;
    std::unordered_map<std::string_view, std::uint32_t> index_;
};

}  // namespace glyphloom
