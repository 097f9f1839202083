#include "tui/terminal/input_event.hpp"

namespace glyphloom {

std::string describe(const InputEvent& e) {
    auto xy = [&e] { return std::to_string(e.x) + "," + std::to_string(e.y); };
    switch (e.kind) {
        case InputEvent::Kind::mouseDown: return "mouseDown(" + xy() + "," + std::to_string(e.button) + ")";
        case InputEvent::Kind::mouseUp: return "mouseUp(" + xy() + ")";
        case InputEvent::Kind::mouseMove: return "mouseMove(" + xy() + (e.dragging ? ",drag)" : ",hover)");
        case InputEvent::Kind::scroll:
            if (e.sideways) return "scroll(" + xy() + (e.up ? ",left)" : ",right)");
            return "scroll(" + xy() + (e.up ? ",up)" : ",down)");
        case InputEvent::Kind::key: return "key(" + std::to_string(e.byte) + ")";
        case InputEvent::Kind::arrow: {
            static constexpr const char* names[] = {"up", "down", "left", "right"};
            return std::string("arrow(") + names[static_cast<int>(e.arrow)] + ")";
        }
        case InputEvent::Kind::fkey: return "fkey(" + std::to_string(e.fkey) + ")";
        case InputEvent::Kind::nav: {
            static constexpr const char* names[] = {"pageUp", "pageDown", "home", "end"};
            return std::string("nav(") + names[static_cast<int>(e.nav)] + ")";
        }
        case InputEvent::Kind::resize: return "resize";
        case InputEvent::Kind::eof: return "eof";
    }
    return "?";
}

}  // namespace glyphloom
