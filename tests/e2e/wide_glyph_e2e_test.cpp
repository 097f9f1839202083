// Glyphs the terminal draws two columns wide, end to end: deleting them from a text field
// leaves nothing behind on the real terminal.
#include <gtest/gtest.h>

#include <string>

#include "tmux_session.hpp"

namespace glyphloom::e2e {
namespace {

class WideGlyphs : public EditorFixture {
protected:
};

TEST_F(WideGlyphs, BackspaceOverWideTextLeavesNoResidue) {
    ASSERT_TRUE(tmux->clickText("Untitled")) << tmux->capture();
    // The bar takes one or two rows, depending on what fits.
    auto bar = [&] {
        const auto lines = tmux->captureLines();
        return lines.size() < 2 ? std::string() : lines[0] + "\n" + lines[1];
    };
    tmux->sendBytes("漢字漢字");
    ASSERT_TRUE(tmux->waitUntil([&] { return bar().find("漢字漢字") != std::string::npos; })) << tmux->capture();
    tmux->sendBytes("\x7f\x7f\x7f\x7f");
    EXPECT_TRUE(tmux->waitUntil([&] {
        const std::string text = bar();
        return text.find("漢") == std::string::npos && text.find("字") == std::string::npos;
    })) << tmux->capture();
}

}  // namespace
}  // namespace glyphloom::e2e
