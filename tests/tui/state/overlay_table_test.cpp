#include "tui/state/overlay_table.hpp"

#include <gtest/gtest.h>

#include <set>

#include "tui/input/dispatch.hpp"
#include "tui/layout/chrome.hpp"

namespace glyphloom {
namespace overlay_table_test {

// How a user gets each overlay open, written independently of the table.
void open(Overlay overlay, AppState& s) {
    switch (overlay) {
        case Overlay::sizePicker: s.sizePickerOpen = true; return;
        case Overlay::palettePicker: s.palettePickerOpen = true; return;
        case Overlay::imageImport: s.imageImportPath = "/tmp/picture.png"; return;
        case Overlay::fontBrowser: s.fontBrowserOpen2 = true; return;
        case Overlay::fadesPanel: s.fadesPanelOpen = true; return;
        case Overlay::layersPanel: s.layersPanelOpen = true; return;
        case Overlay::toolPanel:
            s.toolPanelOpen = true;
            s.tools.tool = Tool::box;  // a tool with options to show
            return;
        case Overlay::depthPicker: s.depthPickerOpen = true; return;
        case Overlay::presetFileMenu: s.presetFileMenuOpen = true; return;
        case Overlay::sauceBox: s.sauceBoxOpen = true; return;
        case Overlay::saveOptions: s.saveOptionsOpen = true; return;
        case Overlay::panspectInspector: s.tools.tool = Tool::pans; return;
        case Overlay::fileBrowser:
            s.fileBrowserOpen = true;
            s.fileBrowserEntries = {"a.ans", "b.ans"};
            return;
        case Overlay::history: s.historyOpen = true; return;
        case Overlay::about: s.aboutOpen = true; return;
        case Overlay::help: s.helpOpen = true; return;
        case Overlay::charPicker: s.charPickerOpen = true; return;
    }
}

struct Editor {
    AppState state;
    Terminal terminal;
    Screen screen{[](std::string_view) {}, false};
    Layout layout;
    Editor() {
        screen.resize(60, 200);
        state.mouse = {100, 30};  // over the canvas, where the Panspect read-out describes a cell
        redraw();
    }
    void redraw() { layout = Chrome::compose(state, screen); }
    void send(const InputEvent& event) {
        handle(event, state, layout, terminal, screen);
        redraw();
    }
};

bool sameScreen(const Screen& a, const Screen& b) {
    for (int r = 0; r < a.rows(); ++r)
        for (int c = 0; c < a.cols(); ++c)
            if (!(a.at(r, c) == b.at(r, c))) return false;
    return true;
}

TEST(OverlayTable, EachOverlayIsListedOnce) {
    std::set<Overlay> seen;
    for (const OverlayEntry& entry : overlayTable()) EXPECT_TRUE(seen.insert(entry.id).second);
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(Overlay::charPicker) + 1);
}

// For every overlay: its flag, the state query, its drawing, and how Esc and a click treat it.
TEST(OverlayTable, EveryReaderAgreesOnEachOverlay) {
    const Editor bare;
    for (const OverlayEntry& entry : overlayTable()) {
        SCOPED_TRACE(static_cast<int>(entry.id));
        Editor e;
        open(entry.id, e.state);
        e.redraw();
        EXPECT_TRUE(entry.isOpen(e.state));
        EXPECT_EQ(e.state.anyOverlayOpen(), entry.countsAsOpen);
        EXPECT_FALSE(sameScreen(e.screen, bare.screen)) << "an open overlay draws something";

        AppState closed = e.state;
        entry.close(closed);
        if (entry.id != Overlay::panspectInspector) {
            EXPECT_FALSE(entry.isOpen(closed));
        }
        EXPECT_FALSE(closed.anyOverlayOpen());

        Editor esc;
        open(entry.id, esc.state);
        esc.redraw();
        esc.send(InputEvent::key(27));
        EXPECT_EQ(entry.isOpen(esc.state), !entry.escCloses);

        AppState clicked = e.state;
        EXPECT_EQ(closeOverlayOnAnyClick(clicked), entry.closesOnAnyClick);
        EXPECT_EQ(entry.isOpen(clicked), !entry.closesOnAnyClick);
    }
}

// Esc takes the overlay drawn on top first, whatever order the two were opened in.
TEST(OverlayTable, EscClosesWhatIsDrawnOnTopFirst) {
    const std::pair<Overlay, Overlay> pairs[] = {
        {Overlay::palettePicker, Overlay::fontBrowser},
        {Overlay::layersPanel, Overlay::depthPicker},
        {Overlay::presetFileMenu, Overlay::saveOptions},
        {Overlay::sizePicker, Overlay::help},
    };
    auto entry = [](Overlay id) {
        for (const OverlayEntry& e : overlayTable())
            if (e.id == id) return e;
        return OverlayEntry{};
    };
    for (const auto& [lower, upper] : pairs) {
        SCOPED_TRACE(static_cast<int>(upper));
        Editor e;
        open(upper, e.state);
        open(lower, e.state);
        e.redraw();
        e.send(InputEvent::key(27));
        EXPECT_FALSE(entry(upper).isOpen(e.state));
        EXPECT_TRUE(entry(lower).isOpen(e.state));
        e.send(InputEvent::key(27));
        EXPECT_FALSE(entry(lower).isOpen(e.state));
    }
}

TEST(OverlayTable, AClickClosingTheAboutBoxForgetsItsPrompt) {
    Editor e;
    e.state.aboutOpen = true;
    e.state.aboutInput = "hel";
    e.state.aboutHistory = {"> hi"};
    e.redraw();
    e.send(InputEvent::mouseDown(5, 5, 0));
    EXPECT_FALSE(e.state.aboutOpen);
    EXPECT_TRUE(e.state.aboutInput.empty());
    EXPECT_TRUE(e.state.aboutHistory.empty());
}

}  // namespace overlay_table_test
}  // namespace glyphloom
