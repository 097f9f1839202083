// What the terminal's input turns into: keys, arrows, function keys, mouse reports,
// window-size changes and end of input. Coordinates are 0-based screen cells.
#pragma once

#include <cstdint>
#include <string>

namespace glyphloom {

enum class Arrow { up, down, left, right };
// The keys that move through a long document.
enum class NavKey { pageUp, pageDown, home, end };

struct InputEvent {
    enum class Kind { mouseDown, mouseUp, mouseMove, scroll, key, arrow, fkey, nav, resize, eof };

    Kind kind = Kind::key;
    int x = 0;               // mouse events and scroll
    int y = 0;
    int button = 0;          // mouseDown: 0 left, 1 middle, 2 right
    bool dragging = false;   // mouseMove: a button is held
    bool up = false;         // scroll
    std::uint8_t byte = 0;   // key
    Arrow arrow = Arrow::up; // arrow
    int fkey = 0;            // fkey: 1–12
    bool sideways = false;   // scroll: Shift held or a sideways wheel; `up` then means left
    NavKey nav = NavKey::pageUp;  // nav

    static InputEvent mouseDown(int x, int y, int button) { return {Kind::mouseDown, x, y, button}; }
    static InputEvent mouseUp(int x, int y) { return {Kind::mouseUp, x, y}; }
    static InputEvent mouseMove(int x, int y, bool dragging) { return {Kind::mouseMove, x, y, 0, dragging}; }
    static InputEvent scroll(int x, int y, bool up, bool sideways = false) {
        InputEvent e{Kind::scroll, x, y, 0, false, up};
        e.sideways = sideways;
        return e;
    }
    static InputEvent key(std::uint8_t byte) { return {Kind::key, 0, 0, 0, false, false, byte}; }
    static InputEvent arrowKey(Arrow a) { return {Kind::arrow, 0, 0, 0, false, false, 0, a}; }
    static InputEvent functionKey(int n) { return {Kind::fkey, 0, 0, 0, false, false, 0, Arrow::up, n}; }
    static InputEvent navKey(NavKey key) {
        InputEvent e{Kind::nav};
        e.nav = key;
        return e;
    }
    static InputEvent resize() { return {Kind::resize}; }
    static InputEvent eof() { return {Kind::eof}; }

    friend bool operator==(const InputEvent&, const InputEvent&) = default;
};

// Readable form for tests and diagnostics, e.g. "mouseDown(9,4,0)" or "key(65)".
std::string describe(const InputEvent& event);

}  // namespace glyphloom
