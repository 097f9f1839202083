#include "tui/input/dispatch.hpp"

#include <chrono>

#include "tui/actions/file_browser.hpp"
#include "tui/actions/font_browser.hpp"
#include "tui/actions/session.hpp"
#include "tui/actions/view_scroll.hpp"
#include "tui/state/overlay_table.hpp"
#include "tui/tools/text_tool.hpp"

namespace glyphloom {

void handle(const InputEvent& event, AppState& state, const Layout& layout, Terminal& terminal, Screen& screen) {
    (void)terminal;
    const bool quitKey = event.kind == InputEvent::Kind::key && (event.byte == 3 || event.byte == 17);
    // Any deliberate input other than another quit request disarms the confirmation;
    // merely moving the mouse does not.
    if (!quitKey && event.kind != InputEvent::Kind::mouseMove) disarmQuit(state);

    switch (event.kind) {
        case InputEvent::Kind::mouseDown: handleMouseDown(event.x, event.y, event.button, state, layout); break;
        case InputEvent::Kind::mouseUp: handleMouseUp(event.x, event.y, state, layout); break;
        case InputEvent::Kind::mouseMove: handleMouseMove(event.x, event.y, state, layout); break;
        case InputEvent::Kind::scroll: handleScroll(event.x, event.y, event.up, event.sideways, state, layout); break;
        case InputEvent::Kind::key:
            if (event.byte == 12) screen.invalidate();  // Ctrl-L repaints everything
            handleKey(event.byte, state);
            break;
        case InputEvent::Kind::arrow: handleArrow(event.arrow, state, layout); break;
        case InputEvent::Kind::fkey: handleFKey(event.fkey, state); break;
        case InputEvent::Kind::nav: handleNavKey(event.nav, state, layout); break;
        case InputEvent::Kind::resize:
            handleResize(state, screen, std::chrono::steady_clock::now(), defaultRandomSource());
            break;
        case InputEvent::Kind::eof: quitAtEndOfInput(state); break;
    }
}

void handleScroll(int x, int y, bool up, bool sideways, AppState& state, const Layout& layout) {
    const int delta = up ? -1 : 1;
    if (state.overlay == Overlay::fontBrowser) return scrollFontList(delta, layout.fontListMaxScroll, state);
    if (state.overlay == Overlay::fileBrowser) return scrollBrowse(delta, layout.browsePageSize, state);
    if (x >= 0 && x < layout.sidebarWidth && y >= layout.sidebarTop() && y < layout.sidebarBottom())
        return scrollSidebar(delta * wheelStep, state, layout);
    if (!layout.docCell(x, y)) return;
    if (sideways) return scrollView(0, delta * wheelStep, state, layout);
    scrollView(delta * wheelStep, 0, state, layout);
}

void handleNavKey(NavKey key, AppState& state, const Layout& layout) {
    if (state.prompt) return;
    const bool down = key == NavKey::pageDown || key == NavKey::end;
    if (state.overlay == Overlay::fontBrowser) return scrollFontList(down ? layout.fontListPage : -layout.fontListPage,
                                                      layout.fontListMaxScroll, state);
    if (state.overlay == Overlay::fileBrowser) return pageBrowse(down, layout.browsePageSize, state);
    pageView(key, state, layout);
}

}  // namespace glyphloom
