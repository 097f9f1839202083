#include "tui/state/prompt.hpp"

#include <algorithm>
#include <cctype>
#include <vector>

#include "core/text/utf8.hpp"

namespace glyphloom {
namespace {

int clusterCount(std::string_view text) { return static_cast<int>(utf8::graphemeClusters(text).size()); }

std::string joined(const std::vector<std::string>& clusters, std::size_t from, std::size_t to) {
    std::string out;
    for (std::size_t i = from; i < to; ++i) out += clusters[i];
    return out;
}

}  // namespace

Prompt::Prompt(PromptKind kind, std::string text, bool selectAll)
    : kind_(kind), text_(std::move(text)), cursor_(clusterCount(text_)), selectAll_(selectAll) {}

Prompt Prompt::forSauceField(SauceEntry entry, std::string text) {
    Prompt prompt(PromptKind::sauceField, std::move(text));
    prompt.sauceEntry_ = entry;
    return prompt;
}

Prompt Prompt::forStepValue(PaletteChannel channel) {
    Prompt prompt(PromptKind::stepValue);
    prompt.stepChannel_ = channel;
    return prompt;
}

std::optional<SauceEntry> Prompt::sauceEntry() const {
    return kind_ == PromptKind::sauceField ? std::optional<SauceEntry>(sauceEntry_) : std::nullopt;
}

std::optional<PaletteChannel> Prompt::stepChannel() const {
    return kind_ == PromptKind::stepValue ? std::optional<PaletteChannel>(stepChannel_) : std::nullopt;
}

std::string Prompt::withCursor() const {
    if (selectAll_) return text_;
    const auto clusters = utf8::graphemeClusters(text_);
    const auto at = static_cast<std::size_t>(std::clamp<int>(cursor_, 0, static_cast<int>(clusters.size())));
    return joined(clusters, 0, at) + "▌" + joined(clusters, at, clusters.size());
}

bool Prompt::accepts(std::string_view character) const {
    if (kind_ != PromptKind::stepValue) return true;
    if (character.size() == 1 && std::isdigit(static_cast<unsigned char>(character[0]))) return true;
    // Only the mix's lightness is signed.
    return character == "-" && stepChannel_ == PaletteChannel::tcL;
}

void Prompt::type(std::string_view text) {
    if (selectAll_) {
        text_.clear();
        cursor_ = 0;
        selectAll_ = false;
    }
    const auto clusters = utf8::graphemeClusters(text_);
    const auto at = static_cast<std::size_t>(std::clamp<int>(cursor_, 0, static_cast<int>(clusters.size())));
    // The cursor goes after whatever the text before it has become.
    const std::string before = joined(clusters, 0, at) + std::string(text);
    cursor_ = clusterCount(before);
    text_ = before + joined(clusters, at, clusters.size());
}

void Prompt::backspace() {
    if (selectAll_) {
        text_.clear();
        cursor_ = 0;
        selectAll_ = false;
        return;
    }
    const auto clusters = utf8::graphemeClusters(text_);
    const auto at = static_cast<std::size_t>(std::clamp<int>(cursor_, 0, static_cast<int>(clusters.size())));
    if (at == 0) return;
    text_ = joined(clusters, 0, at - 1) + joined(clusters, at, clusters.size());
    cursor_ = static_cast<int>(at - 1);
}

void Prompt::moveCursor(bool right) {
    const int length = clusterCount(text_);
    if (selectAll_) {
        selectAll_ = false;
        cursor_ = right ? length : 0;
        return;
    }
    cursor_ = std::clamp(cursor_ + (right ? 1 : -1), 0, length);
}

}  // namespace glyphloom
