#include "core/model/cell_char.hpp"

#include <deque>
#include <mutex>
#include <unordered_map>

#include "core/text/utf8.hpp"

namespace glyphloom {
namespace {

// Texts that are not a single scalar. A deque keeps element addresses stable, so the map's
// string_view keys stay valid as the table grows. Guarded by a mutex because font downloads
// decode on a second thread.
class InternTable {
public:
    std::uint32_t intern(std::string_view text) {
        std::lock_guard lock(mutex_);
        if (auto it = index_.find(text); it != index_.end()) return it->second;
        const auto id = static_cast<std::uint32_t>(texts_.size());
        texts_.emplace_back(text);
        index_.emplace(texts_.back(), id);
        return id;
    }

    std::string text(std::uint32_t id) const {
        std::lock_guard lock(mutex_);
        return id < texts_.size() ? texts_[id] : std::string();
    }

    void appendTo(std::uint32_t id, std::string& out) const {
        std::lock_guard lock(mutex_);
        if (id < texts_.size()) out += texts_[id];
    }

private:
    mutable std::mutex mutex_;
    std::deque<std::string> texts_;
    std::unordered_map<std::string_view, std::uint32_t> index_;
};

InternTable& table() {
    static InternTable* instance = new InternTable();  // never destroyed: cells may outlive statics
    return *instance;
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
    bits_ = internedFlag | table().intern(text);
}

CellChar CellChar::fromScalar(char32_t scalar) {
    if (scalar > 0x10FFFF || (scalar >= 0xD800 && scalar <= 0xDFFF)) scalar = utf8::replacementCharacter;
    CellChar c;
    c.bits_ = scalar;
    return c;
}

std::string CellChar::str() const {
    if (bits_ & internedFlag) return table().text(bits_ & ~internedFlag);
    return utf8::encode(bits_);
}

void CellChar::appendTo(std::string& out) const {
    if (bits_ & internedFlag) {
        table().appendTo(bits_ & ~internedFlag, out);
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
