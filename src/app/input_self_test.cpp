#include "app/input_self_test.hpp"

#include "tui/terminal/input_decoder.hpp"

namespace glyphloom {

const std::vector<InputCheck>& inputDecoderChecks() {
    static const std::vector<InputCheck> checks = {
        {"plain byte", {{"A"}}, {"key(65)"}},
        {"control bytes are keys", {{"\x03\x11\r\x7f"}}, {"key(3)", "key(17)", "key(13)", "key(127)"}},
        {"UTF-8 arrives byte by byte", {{"\xc3\xa9"}}, {"key(195)", "key(169)"}},
        {"CSI arrows", {{"\x1b[A\x1b[B\x1b[C\x1b[D"}}, {"arrow(up)", "arrow(down)", "arrow(right)", "arrow(left)"}},
        {"arrow then plain byte", {{"\x1b[AB"}}, {"arrow(up)", "key(66)"}},
        {"SS3 arrows", {{"\x1bOA\x1bOD"}}, {"arrow(up)", "arrow(left)"}},
        {"SS3 function keys", {{"\x1bOP\x1bOS"}}, {"fkey(1)", "fkey(4)"}},
        {"unknown SS3 is dropped", {{"\x1bOZx"}}, {"key(120)"}},
        {"tilde function keys", {{"\x1b[15~\x1b[17~\x1b[21~\x1b[23~\x1b[24~\x1b[11~"}},
         {"fkey(5)", "fkey(6)", "fkey(10)", "fkey(11)", "fkey(12)", "fkey(1)"}},
        {"unused tilde numbers and modified arrows are ignored", {{"\x1b[16~\x1b[1;5A\x1b[3~\x1b[200~z"}}, {"key(122)"}},
        {"mouse press", {{"\x1b[<0;10;5M"}}, {"mouseDown(9,4,0)"}},
        {"right button press", {{"\x1b[<2;1;1M"}}, {"mouseDown(0,0,2)"}},
        {"modifier bits are ignored", {{"\x1b[<16;3;4M"}}, {"mouseDown(2,3,0)"}},
        {"mouse release", {{"\x1b[<0;3;7m"}}, {"mouseUp(2,6)"}},
        {"scroll up and down", {{"\x1b[<64;10;5M\x1b[<65;10;5M"}}, {"scroll(9,4,up)", "scroll(9,4,down)"}},
        {"drag and hover", {{"\x1b[<32;10;5M\x1b[<35;10;5M"}}, {"mouseMove(9,4,drag)", "mouseMove(9,4,hover)"}},
        {"malformed report is dropped, next byte kept", {{"\x1b[<0;10MA"}}, {"key(65)"}},
        {"report with four numbers is dropped", {{"\x1b[<0;1;2;3Mq"}}, {"key(113)"}},
        {"40-digit number saturates", {{"\x1b[<0;1234567890123456789012345678901234567890;5M"}},
         {"mouseDown(123455,4,0)"}},
        {"column 0 gives x -1", {{"\x1b[<0;0;1M"}}, {"mouseDown(-1,0,0)"}},
        {"lone ESC after a short read is Escape", {{"\x1b"}}, {"key(27)"}},
        {"ESC then letter is Escape then letter", {{"\x1bxy"}}, {"key(27)", "key(120)", "key(121)"}},
        {"ESC ending a full read waits for the rest", {{"\x1b", true}, {"[A"}}, {"arrow(up)"}},
        {"ESC [ ending a full read waits for the rest", {{"ab\x1b[", true}, {"A"}},
         {"key(97)", "key(98)", "arrow(up)"}},
        {"partial mouse report across a full read", {{"\x1b[<0;10;5", true}, {"M"}}, {"mouseDown(9,4,0)"}},
        {"partial mouse report after a short read is discarded", {{"\x1b[<0;10;5"}, {"M"}}, {"key(77)"}},
        {"partial CSI after a short read is discarded", {{"\x1b[1;5"}, {"A"}}, {"key(65)"}},
        {"partial CSI across a full read", {{"\x1b[1", true}, {"5~"}}, {"fkey(5)"}},
    };
    return checks;
}

std::vector<std::string> runInputCheck(const InputCheck& check) {
    std::vector<std::uint8_t> pending;
    std::vector<std::string> described;
    for (const InputRead& read : check.reads) {
        const auto* data = reinterpret_cast<const std::uint8_t*>(read.bytes.data());
        for (const InputEvent& event : decodeInput(std::span(data, read.bytes.size()), pending, read.bufferWasFull))
            described.push_back(describe(event));
    }
    return described;
}

bool runInputSelfTest(std::FILE* out) {
    std::fprintf(out, "terminal-input self-test:\n");
    int failures = 0;
    for (const InputCheck& check : inputDecoderChecks()) {
        const auto got = runInputCheck(check);
        if (got == check.expected) continue;
        ++failures;
        std::string joined;
        for (const auto& event : got) joined += (joined.empty() ? "" : " ") + event;
        std::fprintf(out, "  FAIL %s: got [%s]\n", check.name, joined.c_str());
    }
    const auto total = inputDecoderChecks().size();
    std::fprintf(out, "%zu passed, %d failed\n", total - static_cast<std::size_t>(failures), failures);
    return failures == 0;
}

}  // namespace glyphloom
