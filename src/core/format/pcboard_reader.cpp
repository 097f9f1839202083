#include "core/format/pcboard_reader.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "core/format/display_file.hpp"

namespace glyphloom {
namespace {

constexpr std::array<std::string_view, 11> silentCodes{"PAUSE", "MORE", "WAIT", "BEEP", "HANGUP", "QON",
                                                      "QOFF",  "XON",  "XOFF", "AUTOMORE", "BELL"};
// The longest code worth looking for ("@POS:nnn@", "@AUTOMORE@", …).
constexpr std::size_t maxCodeLength = 12;

int hexDigit(std::uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Handles the code starting with the "@" at `at`; returns the bytes it took, 0 when it is
// not a code (the "@" is then ordinary text).
std::size_t code(std::span<const std::uint8_t> bytes, std::size_t at, DisplayFileText& out) {
    const std::size_t n = bytes.size();
    if (at + 3 < n && (bytes[at + 1] == 'X' || bytes[at + 1] == 'x')) {
        const int background = hexDigit(bytes[at + 2]), foreground = hexDigit(bytes[at + 3]);
        if (background < 0 || foreground < 0) return 0;
        out.attribute(static_cast<std::uint8_t>(background << 4 | foreground));
        return 4;
    }
    const std::size_t limit = std::min(n, at + maxCodeLength);
    const auto close = std::find(bytes.begin() + static_cast<std::ptrdiff_t>(at) + 1,
                                 bytes.begin() + static_cast<std::ptrdiff_t>(limit), std::uint8_t{'@'});
    if (close == bytes.begin() + static_cast<std::ptrdiff_t>(limit)) return 0;
    const std::size_t end = static_cast<std::size_t>(close - bytes.begin());
    const std::string_view name(reinterpret_cast<const char*>(bytes.data()) + at + 1, end - at - 1);
    const std::size_t taken = end - at + 1;
    if (name == "CLS") {
        out.sequence("2", 'J');
    } else if (name == "CLREOL") {
        out.sequence("", 'K');
    } else if (name.starts_with("POS:") && name.size() > 4 &&
               std::all_of(name.begin() + 4, name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        const int column = std::stoi(std::string(name.substr(4)));
        out.byte('\r');
        if (column > 1) out.sequence(std::to_string(column - 1), 'C');
    } else if (std::find(silentCodes.begin(), silentCodes.end(), name) != silentCodes.end() ||
               (name.starts_with("DELAY:") && name.size() > 6)) {
        // Codes that only made the caller wait or beep.
    } else {
        return 0;
    }
    return taken;
}

}  // namespace

ArtReadResult readPCBoard(std::span<const std::uint8_t> data, ANSGridCap cap) {
    const DisplayFileBody body = displayFileBody(data);
    const auto bytes = body.bytes;
    DisplayFileText out(bytes.size());
    std::size_t at = 0;
    while (at < bytes.size()) {
        const void* next = std::memchr(bytes.data() + at, '@', bytes.size() - at);
        const std::size_t codeAt =
            next == nullptr ? bytes.size() : static_cast<std::size_t>(static_cast<const std::uint8_t*>(next) - bytes.data());
        out.text(bytes.subspan(at, codeAt - at));
        if (codeAt == bytes.size()) break;
        const std::size_t taken = code(bytes, codeAt, out);
        if (taken == 0) out.byte('@');
        at = codeAt + std::max<std::size_t>(taken, 1);
    }
    return std::move(out).read(body.sauce, cap, "");
}

}  // namespace glyphloom
