// A bounded table of distinct texts, each known by a small number. Cells use it for
// characters that are not a single scalar; the bound keeps a hostile file from growing it
// until memory runs out. Entries are small (the text plus about two dozen bytes), so the
// bound can be far above what real documents use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace glyphloom {

// The bound of the cells' table. It is shared by every document of a session and never
// forgets, so it lies far above what one document can hold (a whole canvas of distinct
// clusters in every layer, many times over). Should a long session still fill it, a document
// that meets it full is refused rather than opened with characters replaced.
inline constexpr std::size_t cellTextCapacity = std::size_t{1} << 22;

class InternTable {
public:
    explicit InternTable(std::size_t capacity) : capacity_(capacity) {}

    // The number of `text`, adding it when new; nothing once the table is full or for a text
    // longer than a storage block. `tag` is a byte kept with a new text for the caller (what
    // it works out about the text once, rather than each time it meets it).
    std::optional<std::uint32_t> intern(std::string_view text, std::uint8_t tag = 0);
    // The text of a number, or nothing for a number never handed out. The bytes never move
    // once added, so the view stays valid for the life of the table.
    std::optional<std::string_view> text(std::uint32_t id) const {
        if (id >= texts_.size()) return std::nullopt;
        return texts_[id];
    }
    // The tag given when the text was added; 0 for a number never handed out.
    std::uint8_t tag(std::uint32_t id) const { return id < tags_.size() ? tags_[id] : 0; }
    std::size_t size() const { return texts_.size(); }
    void setCapacity(std::size_t capacity) { capacity_ = capacity; }

    static constexpr std::size_t blockBytes = 64 * 1024;

private:
    std::string_view store(std::string_view text);
    std::size_t slotOf(std::string_view text) const;
    void grow();

    std::size_t capacity_;
    std::vector<std::unique_ptr<char[]>> blocks_;  // full blocks stay where they are
    std::size_t blockUsed_ = 0;                    // bytes taken in the last block
    std::vector<std::string_view> texts_;          // by number, viewing the blocks
    std::vector<std::uint8_t> tags_;               // by number
    std::vector<std::uint32_t> slots_;             // open addressing: number + 1, 0 when free
};

}  // namespace glyphloom
