// Cell characters: inline scalars, and the shared table for the few texts that are not.
#include "core/model/cell_char.hpp"

#include <array>
#include <atomic>
#include <atomic>
#include <mutex>
#include <shared_mutex>

#include "core/model/cell_text_table.hpp"
#include "core/model/intern_table.hpp"
#include "core/text/utf8.hpp"
#include "core/text/visible_text.hpp"

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

std::atomic<std::uint64_t> clustersLost{0};

std::optional<std::uint32_t> intern(std::string_view text, std::uint8_t look) {
    std::unique_lock lock(tableLock());
    return table().intern(text, look);
}

std::uint8_t internedLook(std::uint32_t id) {
    std::shared_lock lock(tableLock());
    return table().tag(id);
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
    const bool keepable = text.empty() || isOneSaneCluster(text);
    const std::optional<std::uint32_t> id = keepable ? intern(text, lookOfText(text)) : std::nullopt;
    if (keepable && !id) clustersLost.fetch_add(1, std::memory_order_relaxed);
    bits_ = id ? internedFlag | *id : utf8::replacementCharacter;
}

std::uint64_t cellClustersLost() { return clustersLost.load(std::memory_order_relaxed); }

void setCellTextCapacity(std::size_t capacity) {
    std::unique_lock lock(tableLock());
    table().setCapacity(capacity);
}

std::size_t cellTextCount() {
    std::shared_lock lock(tableLock());
    return table().size();
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

std::uint8_t CellChar::lookOfText(std::string_view text) {
    const int columns = utf8::displayWidth(text);
    return static_cast<std::uint8_t>(lookKnown | columns | (visibleText(text) != text ? lookControl : 0));
}

std::uint8_t CellChar::look() const {
    if (bits_ & internedFlag) return internedLook(bits_ & ~internedFlag);
    // Scalars of the Basic Multilingual Plane (nearly every cell) are worked out once and
    // kept; racing threads can only store the same byte.
    static std::array<std::atomic<std::uint8_t>, 0x10000> known{};
    if (bits_ < known.size()) {
        std::atomic<std::uint8_t>& slot = known[bits_];
        std::uint8_t look = slot.load(std::memory_order_relaxed);
        if (look == 0) {
            look = lookOfText(utf8::encode(bits_));
            slot.store(look, std::memory_order_relaxed);
        }
        return look;
    }
    return lookOfText(utf8::encode(bits_));
}

bool CellChar::empty() const {
    static const CellChar emptyText{std::string_view{}};
    return bits_ == emptyText.bits_;
}

}  // namespace glyphloom
