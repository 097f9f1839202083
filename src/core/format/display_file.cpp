#include "core/format/display_file.hpp"

#include <algorithm>
#include <array>
#include <cstring>

namespace glyphloom {
namespace {

// Colour number of an attribute (DOS order) → the digit of the ANSI colour of the same name.
constexpr std::array<char, 8> ansiDigit{'0', '4', '2', '6', '1', '5', '3', '7'};

}  // namespace

std::size_t DisplayFileText::limitFor(std::size_t fileBytes) {
    return std::max<std::size_t>(8u << 20, std::min<std::size_t>(fileBytes, 64u << 20) * 4);
}

DisplayFileText::DisplayFileText(std::size_t fileBytes) : limit_(limitFor(fileBytes)) {
    // Colour codes grow by a few bytes each as escape sequences.
    out_.reserve(std::min(fileBytes * 3 + 256, limit_));
    attribute(defaultAttribute);
}

void DisplayFileText::text(std::span<const std::uint8_t> bytes) {
    if (!bytes.empty() && std::memchr(bytes.data(), 0x1B, bytes.size()) != nullptr) current_ = -1;
    append(bytes);
}

void DisplayFileText::append(std::span<const std::uint8_t> bytes) {
    if (out_.size() + bytes.size() > limit_) {
        full_ = true;
        bytes = bytes.first(limit_ - std::min(out_.size(), limit_));
    }
    out_.insert(out_.end(), bytes.begin(), bytes.end());
}

void DisplayFileText::byte(std::uint8_t b) {
    // The end-of-file mark would end the picture here; as a repeated character it shows nothing.
    if (b == 0x1A) return;
    if (b == 0x1B) current_ = -1;
    if (out_.size() >= limit_) {
        full_ = true;
        return;
    }
    out_.push_back(b);
}

void DisplayFileText::attribute(std::uint8_t attr) {
    // Only what changed is written: art changes colour every few cells, and every parameter
    // costs the ANSI reader time.
    if (current_ == attr) return;
    char sgr[24] = {0x1B, '['};
    std::size_t n = 2;
    auto add = [&](char a, char b = 0) {
        if (n > 2) sgr[n++] = ';';
        sgr[n++] = a;
        if (b != 0) sgr[n++] = b;
    };
    const bool full = current_ < 0;
    const int changed = full ? 0xFF : (attr ^ current_);
    if (full) add('0');
    if ((changed & 0x08) != 0 && (!full || (attr & 0x08) != 0)) (attr & 0x08) != 0 ? add('1') : add('2', '2');
    if ((changed & 0x80) != 0 && (!full || (attr & 0x80) != 0)) (attr & 0x80) != 0 ? add('5') : add('2', '5');
    if ((changed & 0x07) != 0) add('3', ansiDigit[attr & 7]);
    if ((changed & 0x70) != 0) add('4', ansiDigit[(attr >> 4) & 7]);
    sgr[n++] = 'm';
    append({reinterpret_cast<const std::uint8_t*>(sgr), n});
    current_ = attr;
}

void DisplayFileText::sequence(std::string_view parameters, char final) {
    const std::uint8_t head[2] = {0x1B, '['};
    append(head);
    append({reinterpret_cast<const std::uint8_t*>(parameters.data()), parameters.size()});
    const auto end = static_cast<std::uint8_t>(final);
    append({&end, 1});
}

ArtReadResult DisplayFileText::read(const std::optional<SauceRecord>& sauce, ANSGridCap cap, std::string note) && {
    // The ANSI reader takes its screen width and blink mode from a record: this one says
    // 80 columns and the file's own mode. It is the reader's input only, never the document's.
    SauceRecord screen;
    screen.tInfo1 = 80;
    screen.flags = sauce && sauce->iceColors() ? 1 : 0;
    const auto trailer = sauceRecordData(screen, static_cast<std::uint32_t>(out_.size()));
    out_.insert(out_.end(), trailer.begin(), trailer.end());
    auto imported = importANSFile(out_, false, clampedCap(cap));
    if (!imported) return artFailure("no picture in it");
    if (full_) note = note.empty() ? "cut short: it repeats too much" : "cut short: it repeats too much; " + note;
    return finishedArt(std::move(imported->cells), sauce, std::move(note));
}

DisplayFileBody displayFileBody(std::span<const std::uint8_t> data) {
    ArtBody body = splitSauce(data);
    const void* end = body.bytes.empty() ? nullptr : std::memchr(body.bytes.data(), 0x1A, body.bytes.size());
    const std::size_t length =
        end == nullptr ? body.bytes.size() : static_cast<std::size_t>(static_cast<const std::uint8_t*>(end) - body.bytes.data());
    return {body.bytes.first(length), std::move(body.sauce)};
}

}  // namespace glyphloom
