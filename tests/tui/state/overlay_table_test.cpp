#include "tui/state/overlay_table.hpp"

#include <gtest/gtest.h>

#include <set>

#include "tui/actions/about_box.hpp"
#include "tui/actions/font_browser.hpp"
#include "tui/actions/palette.hpp"
#include "tui/actions/panels.hpp"
#include "tui/actions/preset_actions.hpp"
#include "tui/actions/sauce_box.hpp"
#include "tui/actions/tool_options.hpp"
#include "tui/actions/toolbar.hpp"
#include "tui/input/dispatch.hpp"
#include "tui/layout/chrome.hpp"

namespace glyphloom {
namespace overlay_table_test {

// How a user gets each overlay open, through the controls that open it, with whatever state
// it keeps while open.
void open(Overlay overlay, AppState& s) {
    switch (overlay) {
        case Overlay::sizePicker: return perform(BarAction::canvasSize, s);
        case Overlay::palettePicker: return paletteButtonTapped(true, s);
        case Overlay::imageImport:
            openOverlay(Overlay::imageImport, s);  // as a picture named on the command line
            s.imageImportPath = "/tmp/picture.png";
            return;
        case Overlay::fontBrowser:
            openFontBrowser(s);
            fontRowTapped(0, false, s);  // trying a face
            return;
        case Overlay::fadesPanel: return toggleFadesPanel(s);
        case Overlay::layersPanel: return perform(BarAction::layers, s);
        case Overlay::toolPanel:
            s.tools.tool = Tool::box;  // a tool with options to show
            return toolTapped(Tool::box, s);
        case Overlay::depthPicker: return perform(BarAction::colorDepth, s);
        case Overlay::presetFileMenu: return togglePresetFileMenu(s);
        case Overlay::sauceBox: return openSauceBox(s);
        case Overlay::saveOptions: return perform(BarAction::save, s);
        case Overlay::panspectInspector: s.tools.tool = Tool::pans; return;
        case Overlay::fileBrowser:
            openOverlay(Overlay::fileBrowser, s);
            s.fileBrowserEntries = {"a.ans", "b.ans"};
            return;
        case Overlay::history: return toggleStatusHistory(s);
        case Overlay::about:
            openAbout(s);
            typeIntoAbout("h", s);
            return;
        case Overlay::help: return perform(BarAction::help, s);
        case Overlay::charPicker:
            penCharTapped(s);
            toggleCharsetMenu(s);
            return;
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
        // The SAUCE box and the Panspect read-out leave the arrows to the document.
        const bool leavesArrows = entry.id == Overlay::sauceBox || entry.id == Overlay::panspectInspector;
        EXPECT_EQ(e.state.anyOverlayOpen(), !leavesArrows);
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

// Opening a box or panel closes the one open before, which forgets what it kept; the SAUCE
// box and the tool panel stay open beneath them all.
TEST(OverlayTable, OpeningAnOverlayClosesTheOneOpen) {
    for (const OverlayEntry& first : overlayTable()) {
        for (const OverlayEntry& second : overlayTable()) {
            if (!isExclusive(first.id) || !isExclusive(second.id) || first.id == second.id) continue;
            SCOPED_TRACE(std::to_string(static_cast<int>(first.id)) + " then " +
                         std::to_string(static_cast<int>(second.id)));
            AppState s;
            s.sauceBoxOpen = s.toolPanelOpen = true;
            open(first.id, s);
            ASSERT_TRUE(first.isOpen(s));
            open(second.id, s);
            for (const OverlayEntry& entry : overlayTable()) {
                if (isExclusive(entry.id)) {
                    EXPECT_EQ(entry.isOpen(s), entry.id == second.id);
                }
            }
            EXPECT_TRUE(s.sauceBoxOpen && s.toolPanelOpen);
            EXPECT_EQ(s.charsetMenuOpen, second.id == Overlay::charPicker);
            EXPECT_EQ(s.aboutInput.empty(), second.id != Overlay::about);
            EXPECT_EQ(s.imageImportPath.has_value(), second.id == Overlay::imageImport);
            EXPECT_EQ(s.historyOpenedAt.has_value(), second.id == Overlay::history);
            EXPECT_EQ(s.fontBrowserPrev.has_value(), second.id == Overlay::fontBrowser);
        }
    }
}

TEST(OverlayTable, AClickClosingTheAboutBoxForgetsItsPrompt) {
    Editor e;
    openOverlay(Overlay::about, e.state);
    e.state.aboutInput = "hel";
    e.state.aboutHistory = {"> hi"};
    e.redraw();
    e.send(InputEvent::mouseDown(5, 5, 0));
    EXPECT_NE(e.state.overlay, Overlay::about);
    EXPECT_TRUE(e.state.aboutInput.empty());
    EXPECT_TRUE(e.state.aboutHistory.empty());
}

}  // namespace overlay_table_test
}  // namespace glyphloom
