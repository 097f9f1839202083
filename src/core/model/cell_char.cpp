// Cell characters: inline scalars, and the shared table for the few texts that are not.
#include "core/model/cell_char.hpp"

#include <mutex>
#include <shared_mutex>

#include "core/model/intern_table.hpp"
#include "core/text/utf8.hpp"

namespace glyphloom {
namespace {

// Never destroyed: cells in other statics may outlive it. Locked, because documents are
// also written from a background thread while the editor keeps making cells; texts never
// move once added, so a looked-up text stays valid after the lock is released.
InternTable& table() {
    static InternTable* instance = new InternTable(cellTextCapacity);
    return *instance;
}

std::shared_mutex& tableLock() {
    static std::shared_mutex* instance = new std::shared_mutex;
    return *instance;
}

std::optional<std::uint32_t> intern(std::string_view text) {
    std::unique_lock lock(tableLock());
    return table().intern(text);
}

std::optional<std::string_view> internedText(std::uint32_t id) {
    std::shared_lock lock(tableLock());
    return table().text(id);
}

// Whether the text may be a cell's character as it is: one well-formed grapheme cluster of
// modest length. Everything else a file or a paste brings becomes U+FFFD.
bool isOneSaneCluster(std::string_view text) {
    return text.size() <= CellChar::maxClusterBytes && utf8::isValid(text) && utf8::graphemeClusters(text).size() == 1;
}

}  // namespace

CellChar::CellChar(std::string_view text) {
    if (!text.empty()) {
        const utf8::Decoded d = utf8::decodeAt(text, 0);
        if (d.valid && static_cast<std::size_t>(d.length) == text.size()) {
            bits_ = d.scalar;
            return;
        }
    }
    // The empty text is a character of its own (a cell that shows nothing).
    const std::optional<std::uint32_t> id =
        text.empty() || isOneSaneCluster(text) ? intern(text) : std::nullopt;
    bits_ = id ? internedFlag | *id : utf8::replacementCharacter;
}

std::string CellChar::str() const {
    if (bits_ & internedFlag) {
        const auto text = internedText(bits_ & ~internedFlag);
        return text ? std::string(*text) : std::string();
    }
    return utf8::encode(bits_);
}

void CellChar::appendTo(std::string& out) const {
    if (bits_ & internedFlag) {
        if (const auto text = internedText(bits_ & ~internedFlag)) out += *text;
    } else {
        utf8::append(out, bits_);
    }
}

std::optional<char32_t> CellChar::scalar() const {
    if (bits_ & internedFlag) return std::nullopt;
    return bits_;
}

bool CellChar::empty() const {
    static const CellChar emptyText{std::string_view{}};
    return bits_ == emptyText.bits_;
}

}  // namespace glyphloom
