#include "app/codepoint_self_test.hpp"

#include <gtest/gtest.h>

namespace glyphloom {
namespace codepoint_self_test_test {

TEST(CodepointSelfTest, EveryBuiltInCheckPasses) {
    for (const CodepointCheck& check : codepointChecks()) {
        const auto failures = runCodepointCheck(check);
        EXPECT_TRUE(failures.empty()) << check.typed << ": " << (failures.empty() ? "" : failures.front());
    }
}

TEST(CodepointSelfTest, AWrongExpectationIsReported) {
    // The check itself must be able to fail: both the parser and the entry flow notice.
    const auto wrongGlyph = runCodepointCheck({"2591", "▒"});
    EXPECT_EQ(wrongGlyph.size(), 2u);
    const auto wrongRefusal = runCodepointCheck({"2591", std::nullopt});
    EXPECT_EQ(wrongRefusal.size(), 3u);
}

TEST(CodepointSelfTest, TheCommandRunsTheSuite) {
    const int status = std::system(GLYPHLOOM_BINARY " --test-codepoint > /dev/null");
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace codepoint_self_test_test
}  // namespace glyphloom
