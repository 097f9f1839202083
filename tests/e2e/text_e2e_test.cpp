// Typing with a block face end to end: the face chosen in the sidebar, glyphs stamped where the
// canvas was clicked, Backspace taking back a whole glyph and Enter starting the next line
// under the first, all read back from the real screen.
#include <gtest/gtest.h>

#include "core/fonts/block_font.hpp"
#include "core/text/utf8.hpp"
#include "tmux_session.hpp"

namespace glyphloom::e2e {
namespace text_e2e_test {

// The face list needs the rows of a tall terminal beside the tool strip.
class Typing : public EditorFixture {
protected:
    std::pair<int, int> terminalSize() const override { return {180, 60}; }

    // `count` characters of screen row y from column x, blanks where tmux trimmed the line.
    std::string textAt(int x, int y, int count) {
        const auto lines = tmux->captureLines();
        const std::vector<std::string> chars =
            y < static_cast<int>(lines.size()) ? utf8::graphemeClusters(lines[static_cast<std::size_t>(y)])
                                               : std::vector<std::string>{};
        std::string out;
        for (int c = x; c < x + count; ++c) out += c < static_cast<int>(chars.size()) ? chars[static_cast<std::size_t>(c)] : " ";
        return out;
    }
    // What a glyph of `face` stamped with the pen character "█" shows on a blank canvas, row by row.
    static std::vector<std::string> stamped(const BlockFont& face, const std::string& character) {
        std::vector<std::string> rows;
        for (const std::string& row : face.glyph(character)) {
            std::string shown;
            for (const std::string& c : utf8::graphemeClusters(row)) shown += c == " " ? " " : "█";
            rows.push_back(shown);
        }
        return rows;
    }
    // True once the rows from (x, bottom − rows + 1) down to `bottom` read `rows`.
    bool showsGlyph(int x, int bottom, const std::vector<std::string>& rows) {
        return tmux->waitUntil([&] {
            for (std::size_t i = 0; i < rows.size(); ++i) {
                const int y = bottom - static_cast<int>(rows.size() - 1 - i);
                if (textAt(x, y, static_cast<int>(utf8::graphemeClusters(rows[i]).size())) != rows[i]) return false;
            }
            return true;
        });
    }
    static std::vector<std::string> blanks(const std::vector<std::string>& rows) {
        std::vector<std::string> out;
        for (const std::string& row : rows) out.push_back(std::string(utf8::graphemeClusters(row).size(), ' '));
        return out;
    }
};

TEST_F(Typing, BlockFaceStampsGlyphsThatBackspaceAndEnterFollow) {
    const BlockFont& block = BlockFont::builtIn()[0];
    ASSERT_EQ(block.name, "Block");
    const auto h = stamped(block, "H");
    const auto i = stamped(block, "I");
    const auto a = stamped(block, "A");
    const int hWidth = static_cast<int>(utf8::graphemeClusters(h[0]).size());

    ASSERT_TRUE(tmux->clickText("Text")) << tmux->capture();
    ASSERT_TRUE(tmux->waitForText("Face")) << tmux->capture();
    const auto face = tmux->find(" Block");
    ASSERT_TRUE(face) << tmux->capture();
    ASSERT_LT(face->first, 12) << "the face list lives in the sidebar";
    tmux->click(face->first + 1, face->second);

    // The glyph's bottom row sits on the clicked row; the canvas is blank around it.
    const int x0 = 80, y0 = 20;
    tmux->click(x0, y0);
    tmux->sendBytes("hi");  // Block has capitals only: lower case types them
    const int iLeft = x0 + hWidth + block.letterSpacing;
    EXPECT_TRUE(showsGlyph(x0, y0, h)) << tmux->capture();
    EXPECT_TRUE(showsGlyph(iLeft, y0, i)) << tmux->capture();

    // Backspace takes back the whole "I" and nothing of the "H".
    tmux->sendBytes("\x7f");
    EXPECT_TRUE(showsGlyph(iLeft, y0, blanks(i))) << tmux->capture();
    EXPECT_TRUE(showsGlyph(x0, y0, h)) << tmux->capture();

    // Enter goes back to the clicked column, a glyph's height and one row lower.
    tmux->sendBytes("\r");
    tmux->sendBytes("A");
    const int nextLine = y0 + block.height + 1;
    EXPECT_TRUE(showsGlyph(x0, nextLine, a)) << tmux->capture();
    EXPECT_TRUE(showsGlyph(x0, y0, h)) << tmux->capture();
}

}  // namespace text_e2e_test
}  // namespace glyphloom::e2e
