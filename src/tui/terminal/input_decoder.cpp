#include "tui/terminal/input_decoder.hpp"

#include <optional>

namespace glyphloom {
namespace {

constexpr std::uint8_t esc = 0x1B;

// Numbers in reports saturate: digits stop counting once the value passes 99999, so a
// hostile 40-digit number neither overflows nor changes the outcome much.
void addDigit(int& value, std::uint8_t digit) {
    if (value <= 99999) value = value * 10 + (digit - '0');
}

bool isDigit(std::uint8_t b) { return b >= '0' && b <= '9'; }

std::optional<Arrow> arrowFor(std::uint8_t b) {
    switch (b) {
        case 'A': return Arrow::up;
        case 'B': return Arrow::down;
        case 'C': return Arrow::right;
        case 'D': return Arrow::left;
        default: return std::nullopt;
    }
}

// ESC [ n ~ for the paging keys; Home and End come in both numberings terminals use.
std::optional<NavKey> navForTilde(int number) {
    switch (number) {
        case 1:
        case 7: return NavKey::home;
        case 4:
        case 8: return NavKey::end;
        case 5: return NavKey::pageUp;
        case 6: return NavKey::pageDown;
        default: return std::nullopt;
    }
}

// ESC [ H / ESC O H and the F forms.
std::optional<NavKey> navForFinal(std::uint8_t b) {
    if (b == 'H') return NavKey::home;
    if (b == 'F') return NavKey::end;
    return std::nullopt;
}

int fkeyForTilde(int number) {
    if (number >= 11 && number <= 15) return number - 10;
    if (number >= 17 && number <= 21) return number - 11;
    if (number >= 23 && number <= 24) return number - 12;
    return 0;
}

}  // namespace

std::vector<InputEvent> decodeInput(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& pending,
                                    bool bufferWasFull) {
    std::vector<std::uint8_t> buf;
    buf.reserve(pending.size() + bytes.size());
    buf.insert(buf.end(), pending.begin(), pending.end());
    buf.insert(buf.end(), bytes.begin(), bytes.end());
    pending.clear();

    std::vector<InputEvent> events;
    const std::size_t n = buf.size();
    // Keeps an unfinished sequence for the next read when this read filled the buffer.
    auto holdFrom = [&](std::size_t i) {
        if (bufferWasFull) pending.assign(buf.begin() + static_cast<std::ptrdiff_t>(i), buf.end());
    };

    std::size_t i = 0;
    while (i < n) {
        const std::uint8_t b = buf[i];
        if (b != esc) {
            events.push_back(InputEvent::key(b));
            i += 1;
            continue;
        }
        if (n - i < 3) {
            // ESC with fewer than two bytes after it.
            const bool couldBeSequence = i + 1 == n || buf[i + 1] == '[' || buf[i + 1] == 'O';
            if (bufferWasFull && couldBeSequence) {
                holdFrom(i);
                break;
            }
            events.push_back(InputEvent::key(esc));
            i += 1;
            continue;
        }
        const std::uint8_t introducer = buf[i + 1];
        if (introducer != '[' && introducer != 'O') {
            events.push_back(InputEvent::key(esc));  // Alt-x arrives as Escape, then x
            i += 1;
            continue;
        }
        const std::uint8_t third = buf[i + 2];
        if (introducer == 'O') {
            if (auto a = arrowFor(third)) {
                events.push_back(InputEvent::arrowKey(*a));
            } else if (auto nav = navForFinal(third)) {
                events.push_back(InputEvent::navKey(*nav));
            } else if (third >= 'P' && third <= 'S') {
                events.push_back(InputEvent::functionKey(third - 'P' + 1));
            }
            i += 3;
            continue;
        }
        if (auto a = arrowFor(third)) {
            events.push_back(InputEvent::arrowKey(*a));
            i += 3;
            continue;
        }
        if (auto nav = navForFinal(third)) {
            events.push_back(InputEvent::navKey(*nav));
            i += 3;
            continue;
        }
        if (third == '<') {
            // SGR mouse report: ESC [ < b ; column ; row (M | m)
            std::vector<int> params{0};
            std::size_t j = i + 3;
            while (j < n && (isDigit(buf[j]) || buf[j] == ';')) {
                if (buf[j] == ';') {
                    if (params.size() < 16) params.push_back(0);  // more than three is malformed anyway
                    else params.back() = -1;
                } else if (params.back() >= 0) {
                    addDigit(params.back(), buf[j]);
                }
                ++j;
            }
            if (j >= n) {
                holdFrom(i);
                break;
            }
            const std::uint8_t terminator = buf[j];
            i = j + 1;
            if (params.size() != 3) continue;
            const int button = params[0];
            const int x = params[1] - 1;
            const int y = params[2] - 1;
            if (button & 64) {
                // 66 and 67 are a sideways wheel; Shift (4) turns the wheel sideways too.
                events.push_back(InputEvent::scroll(x, y, (button & 1) == 0, (button & 2) || (button & 4)));
            } else if (button & 32) {
                events.push_back(InputEvent::mouseMove(x, y, (button & 3) != 3));
            } else if (terminator == 'M') {
                events.push_back(InputEvent::mouseDown(x, y, button & 3));
            } else if (terminator == 'm') {
                events.push_back(InputEvent::mouseUp(x, y));
            }
            continue;
        }
        // Any other CSI sequence: only ESC [ number ~ means something (function keys).
        std::size_t j = i + 2;
        int number = 0;
        const bool startsWithDigit = isDigit(buf[j]);
        while (j < n && isDigit(buf[j])) addDigit(number, buf[j++]);
        while (j < n && !(buf[j] >= 0x40 && buf[j] <= 0x7E)) ++j;
        if (j >= n) {
            holdFrom(i);
            break;
        }
        if (startsWithDigit && buf[j] == '~') {
            if (const int f = fkeyForTilde(number)) events.push_back(InputEvent::functionKey(f));
            else if (auto nav = navForTilde(number)) events.push_back(InputEvent::navKey(*nav));
        }
        i = j + 1;
    }
    if (pending.size() > maxPendingInput) pending.clear();
    return events;
}

}  // namespace glyphloom
