#include "tui/layout/style.hpp"

#include "core/text/utf8.hpp"

namespace glyphloom::chrome {
namespace {

struct BoxGlyphs {
    const char* topLeft;
    const char* horizontal;
    const char* topRight;
    const char* vertical;
    const char* bottomLeft;
    const char* bottomRight;
};

void drawFramed(Screen& screen, const Frame& frame, std::string_view title, const ANSIColorValue& fg,
                const ANSIColorValue& bg, const BoxGlyphs& g) {
    if (frame.width < 2 || frame.height < 2) return;
    const int right = frame.left + frame.width - 1;
    const int bottom = frame.top + frame.height - 1;
    for (int r = frame.top; r <= bottom; ++r) {
        for (int c = frame.left; c <= right; ++c) {
            const bool top = r == frame.top;
            const bool low = r == bottom;
            const bool leftEdge = c == frame.left;
            const bool rightEdge = c == right;
            const char* glyph = " ";
            if (top && leftEdge) glyph = g.topLeft;
            else if (top && rightEdge) glyph = g.topRight;
            else if (low && leftEdge) glyph = g.bottomLeft;
            else if (low && rightEdge) glyph = g.bottomRight;
            else if (top || low) glyph = g.horizontal;
            else if (leftEdge || rightEdge) glyph = g.vertical;
            screen.put({CellChar(glyph), fg, bg, false}, r, c);
        }
    }
    if (!title.empty()) screen.putText(fitText(title, frame.width - 2), frame.top, frame.left + 1, fg, bg);
}

}  // namespace

int textWidth(std::string_view text) {
    bool ascii = true;
    for (char ch : text) ascii = ascii && static_cast<unsigned char>(ch) < 0x80;
    if (ascii) return static_cast<int>(text.size());
    return utf8::textDisplayWidth(text);
}

std::string fitText(std::string_view text, int width, bool ellipsis) {
    if (width <= 0) return {};
    if (textWidth(text) <= width) return std::string(text);
    // Whole clusters only: a wide glyph that would straddle the limit is left out.
    const int room = ellipsis ? width - 1 : width;
    std::string out;
    int used = 0;
    for (const std::string& cluster : utf8::graphemeClusters(text)) {
        const int w = std::max(utf8::displayWidth(cluster), 1);
        if (used + w > room) break;
        out += cluster;
        used += w;
    }
    if (ellipsis) out += "…";
    return out;
}

std::string fitWords(std::string_view text, int width) {
    if (textWidth(text) <= width) return std::string(text);
    std::string kept = fitText(text, width - 1);
    const bool midWord = kept.size() < text.size() && text[kept.size()] != ' ';
    if (const auto space = kept.rfind(' '); midWord && space != std::string::npos && space > 0) kept.resize(space);
    while (!kept.empty() && kept.back() == ' ') kept.pop_back();
    return width > 0 ? kept + "…" : std::string();
}

Span putSpan(Screen& screen, std::string_view text, int row, int col, const ANSIColorValue& fg,
             const ANSIColorValue& bg) {
    screen.putText(text, row, col, fg, bg);
    return {row, col, col + textWidth(text)};
}

void drawBox(Screen& screen, const Frame& frame, std::string_view title, const ANSIColorValue& fg,
             const ANSIColorValue& bg) {
    drawFramed(screen, frame, title, fg, bg, {"┌", "─", "┐", "│", "└", "┘"});
}

void drawDoubleBox(Screen& screen, const Frame& frame, std::string_view title, const ANSIColorValue& fg,
                   const ANSIColorValue& bg) {
    drawFramed(screen, frame, title, fg, bg, {"╔", "═", "╗", "║", "╚", "╝"});
}

}  // namespace glyphloom::chrome
