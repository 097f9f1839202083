#include "tui/input/text_entry.hpp"

#include <gtest/gtest.h>

namespace glyphloom {
namespace {

// Feeds bytes one by one and collects the characters that come out.
std::vector<std::string> characters(const std::string& bytes) {
    std::string pending;
    std::vector<std::string> out;
    for (unsigned char byte : bytes)
        if (auto c = takeKeyCharacter(byte, pending)) out.push_back(*c);
    return out;
}

TEST(TakeKeyCharacter, AssemblesUtf8AcrossKeyEvents) {
    using V = std::vector<std::string>;
    EXPECT_EQ(characters("ab"), (V{"a", "b"}));
    EXPECT_EQ(characters("é█😀"), (V{"é", "█", "😀"}));
    EXPECT_EQ(characters("\xc3x"), (V{"x"}));          // an interrupted character is dropped
    EXPECT_EQ(characters("\xa9z"), (V{"z"}));          // a stray continuation byte too
    EXPECT_EQ(characters("\xc0\xafq"), (V{"q"}));      // an overlong form is not a character
    EXPECT_EQ(characters("\xe2\x96\xe2\x96\x88"), (V{"█"}));  // a new lead restarts
}

}  // namespace
}  // namespace glyphloom
