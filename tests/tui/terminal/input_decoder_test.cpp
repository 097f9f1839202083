#include "tui/terminal/input_decoder.hpp"

#include <gtest/gtest.h>

#include <random>

#include "app/input_self_test.hpp"

namespace glyphloom {
namespace input_decoder_test {

std::vector<InputEvent> decode(const std::string& bytes, std::vector<std::uint8_t>& pending, bool full) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    return decodeInput(std::span(data, bytes.size()), pending, full);
}

TEST(InputDecoder, BuiltInChecks) {
    for (const InputCheck& check : inputDecoderChecks()) EXPECT_EQ(runInputCheck(check), check.expected) << check.name;
}

TEST(InputDecoder, SelfTestReportsSuccess) {
    std::FILE* sink = std::tmpfile();
    ASSERT_NE(sink, nullptr);
    EXPECT_TRUE(runInputSelfTest(sink));
    std::fclose(sink);
}

TEST(InputDecoder, PagingKeysAndSidewaysWheel) {
    const std::pair<const char*, const char*> cases[] = {
        {"\x1b[5~", "nav(pageUp)"},       {"\x1b[6~", "nav(pageDown)"},     {"\x1b[1~", "nav(home)"},
        {"\x1b[7~", "nav(home)"},         {"\x1b[H", "nav(home)"},          {"\x1bOH", "nav(home)"},
        {"\x1b[4~", "nav(end)"},          {"\x1b[8~", "nav(end)"},          {"\x1b[F", "nav(end)"},
        {"\x1bOF", "nav(end)"},           {"\x1b[15~", "fkey(5)"},          {"\x1b[<68;3;2M", "scroll(2,1,left)"},
        {"\x1b[<69;3;2M", "scroll(2,1,right)"}, {"\x1b[<66;3;2M", "scroll(2,1,left)"},
        {"\x1b[<67;3;2M", "scroll(2,1,right)"}, {"\x1b[<64;3;2M", "scroll(2,1,up)"},
    };
    for (const auto& [bytes, expected] : cases) {
        std::vector<std::uint8_t> pending;
        const auto events = decode(bytes, pending, false);
        ASSERT_EQ(events.size(), 1u) << expected;
        EXPECT_EQ(describe(events[0]), expected);
    }
}

TEST(InputDecoder, PendingIsCappedAt4096Bytes) {
    std::vector<std::uint8_t> pending;
    // An endless CSI parameter run never reaches a final byte.
    const std::string start = "\x1b[" + std::string(3000, ';');
    EXPECT_TRUE(decode(start, pending, true).empty());
    EXPECT_EQ(pending.size(), start.size());
    EXPECT_TRUE(decode(std::string(2000, ';'), pending, true).empty());
    EXPECT_TRUE(pending.empty());  // 5002 bytes: dropped
    EXPECT_EQ(describe(decode("x", pending, false).at(0)), "key(120)");
}

TEST(InputDecoder, PendingIsConsumedByTheNextRead) {
    std::vector<std::uint8_t> pending;
    decode("\x1b[<0;2", pending, true);
    EXPECT_FALSE(pending.empty());
    const auto events = decode(";3M", pending, false);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], InputEvent::mouseDown(1, 2, 0));
    EXPECT_TRUE(pending.empty());
}

// Any split of a stream into full reads yields the same events as one read.
TEST(InputDecoder, ChunkingAcrossFullReadsDoesNotChangeTheEvents) {
    const std::string stream =
        "ab\x1b[A\x1b[<0;10;5M\x1b[<32;11;5M\x1b[<0;11;5m\x1b[15~\x1bOP\x1b[<64;1;1M\x1b[1;5Az\x1b[Bq";
    std::vector<std::uint8_t> pending;
    const auto whole = decode(stream, pending, false);
    std::mt19937 rng(7);
    for (int trial = 0; trial < 200; ++trial) {
        std::vector<InputEvent> pieces;
        pending.clear();
        std::size_t at = 0;
        while (at < stream.size()) {
            const std::size_t length = std::min<std::size_t>(1 + rng() % 6, stream.size() - at);
            const bool last = at + length == stream.size();
            auto events = decode(stream.substr(at, length), pending, !last);
            pieces.insert(pieces.end(), events.begin(), events.end());
            at += length;
        }
        ASSERT_EQ(pieces, whole) << "trial " << trial;
    }
}

}  // namespace input_decoder_test
}  // namespace glyphloom
