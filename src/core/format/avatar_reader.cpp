#include "core/format/avatar_reader.hpp"

#include <string>

#include "core/format/display_file.hpp"
#include "core/text/cp437.hpp"

namespace glyphloom {
namespace {

constexpr std::uint8_t clearScreen = 0x0C;
constexpr std::uint8_t repeat = 0x19;
constexpr std::uint8_t command = 0x16;
constexpr std::uint8_t avatarDefault = 0x03;

}  // namespace

ArtReadResult readAvatar(std::span<const std::uint8_t> data, ANSGridCap cap) {
    const ArtBody body = splitSauce(data);
    const auto bytes = body.bytes;
    const std::size_t n = bytes.size();
    DisplayFileText out(n);
    std::uint8_t attribute = DisplayFileText::defaultAttribute;
    std::size_t at = 0;
    // A code whose parameters run past the end is dropped with them.
    while (at < n && !out.full()) {
        const std::uint8_t b = bytes[at];
        if (b == cp437EndOfFile) break;
        if (b == clearScreen) {
            out.sequence("2", 'J');
            attribute = avatarDefault;
            out.attribute(attribute);
            ++at;
        } else if (b == repeat) {
            if (at + 2 >= n) break;
            for (int i = 0; i < bytes[at + 2]; ++i) out.byte(bytes[at + 1]);
            at += 3;
        } else if (b != command) {
            // Plain text (and any escape sequences) up to the next code goes across in one piece.
            std::size_t end = at + 1;
            while (end < n && bytes[end] != clearScreen && bytes[end] != repeat && bytes[end] != command &&
                   bytes[end] != cp437EndOfFile)
                ++end;
            out.text(bytes.subspan(at, end - at));
            at = end;
        } else {
            if (at + 1 >= n) break;
            const std::uint8_t what = bytes[at + 1];
            std::size_t params = 0;
            switch (what) {
                case 0x01:
                    params = 1;
                    if (at + 2 < n) attribute = bytes[at + 2];
                    if (at + 2 < n) out.attribute(attribute);
                    break;
                case 0x02:
                    attribute |= 0x80;
                    out.attribute(attribute);
                    break;
                case 0x03: out.sequence("", 'A'); break;
                case 0x04: out.sequence("", 'B'); break;
                case 0x05: out.sequence("", 'D'); break;
                case 0x06: out.sequence("", 'C'); break;
                case 0x07: out.sequence("", 'K'); break;
                case 0x08:
                    params = 2;
                    if (at + 3 < n) out.sequence(std::to_string(bytes[at + 2]) + ";" + std::to_string(bytes[at + 3]), 'H');
                    break;
                case 0x0A:
                case 0x0B: params = 5; break;  // scroll an area
                case 0x0C: params = 3; break;  // clear an area
                case 0x0D: params = 4; break;  // fill an area
                case 0x19: {
                    if (at + 2 >= n) break;
                    const std::size_t length = bytes[at + 2];
                    params = 1 + length + 1;
                    if (at + 2 + params > n) break;
                    const auto pattern = bytes.subspan(at + 3, length);
                    for (int i = 0; i < bytes[at + 3 + length] && !out.full(); ++i)
                        for (std::uint8_t p : pattern) out.byte(p);
                    break;
                }
                default: break;  // insert mode, delete a character, and codes we do not know
            }
            at += 2 + params;
        }
    }
    return std::move(out).read(body.sauce, cap, "");
}

}  // namespace glyphloom
