#include "core/text/visible_text.hpp"

#include <gtest/gtest.h>

namespace glyphloom {
namespace visible_text_test {

TEST(VisibleText, ControlsBecomeTheirPicturesAndEverythingElseStays) {
    const struct {
        std::string text;
        std::string shown;
    } cases[] = {
        {"plain name.ans", "plain name.ans"},
        {"a\x1b]2;TITLE\x07.ans", "a␛]2;TITLE␇.ans"},
        {"b\x1b[2J", "b␛[2J"},
        {std::string("nul\0tab\tdel\x7f", 12), "nul␀tab␉del␡"},
        {"line\r\nbreak", "line␍␊break"},
        {"c1 \xc2\x9b" "31m", "c1 \uFFFD31m"},  // U+009B, the one-character CSI
        {"bad \xff\xfe byte", "bad \uFFFD\uFFFD byte"},
        {"é 👩‍💻 n\u0303 █", "é 👩‍💻 n\u0303 █"},
    };
    for (const auto& c : cases) EXPECT_EQ(visibleText(c.text), c.shown) << c.shown;
}

}  // namespace visible_text_test
}  // namespace glyphloom
