// Figures for redrawing as a user meets it: a paint drag event from its input bytes through
// dispatch, painting, composition and flush; scrolling a tall document by one row; a full
// repaint where every cell differs; and the memory a screen cell costs.
#include "bench_timing.hpp"

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "app/main_loop.hpp"
#include "tui/actions/view_scroll.hpp"
#include "tui/layout/chrome.hpp"
#include "tui/state/app_state.hpp"
#include "tui/terminal/screen.hpp"
#include "tui/terminal/terminal.hpp"
#include "tui/tools/tool_preview.hpp"
#include "tui/layout/art_layers.hpp"

using namespace glyphloom;

namespace {

using bench::artLayers;

// What the main loop does with one batch of input bytes.
void oneEvent(std::string_view bytes, AppState& state, Layout& layout, Terminal& terminal, Screen& screen) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::vector<InputEvent> events = Terminal::decodeInput({data, bytes.size()}, terminal.pending, false);
    processBatch(events, state, layout, terminal, screen, std::chrono::steady_clock::now());
    updatePresetHoverPreview(state, layout);
    updateToolPreview(state);
    layout = drawFrame(state, screen);
}

std::string mouseReport(int button, int x, int y, char final) {
    return "\x1b[<" + std::to_string(button) + ";" + std::to_string(x + 1) + ";" + std::to_string(y + 1) + final;
}

// A Paint drag over 600 reports, wandering over the canvas as a hand does.
void dragBench(const char* label, std::vector<Layer> layers) {
    AppState state;
    state.doc.layers = std::move(layers);
    state.activeLayerIndex = 0;
    state.tools.tool = Tool::paint;
    std::size_t bytes = 0;
    Screen screen([&bytes](std::string_view out) { bytes += out.size(); }, false);
    screen.resize(70, 240);
    Terminal terminal;
    Layout layout = drawFrame(state, screen);
    const int x0 = layout.canvasLeft() + 10, y0 = layout.canvasTop() + 5;
    oneEvent(mouseReport(0, x0, y0, 'M'), state, layout, terminal, screen);
    int step = 0;
    bytes = 0;
    const double cpu = 1e6 * bench::medianCpuSeconds(600, [&] {
        ++step;
        const int x = x0 + (step / 2) % 150, y = y0 + (step / 300) % 40 + (step % 2);
        oneEvent(mouseReport(32, x, y, 'M'), state, layout, terminal, screen);
    });
    oneEvent(mouseReport(0, x0, y0, 'm'), state, layout, terminal, screen);
    std::printf("drag event, Paint, 240x70, %s (target <= 150 us): %.0f us median cpu, %zu bytes/event\n", label, cpu,
                bytes / 600);
}

}  // namespace

int main() {
    std::mt19937 rng(42);
    AppState::defaultDocRows = 200;
    AppState::defaultDocCols = 320;
    const std::vector<Layer> layers = artLayers(7, 200, 320, rng);
    dragBench("320x200 x 7 layers", layers);
    dragBench("320x200 x 1 layer", {layers.front()});

    // Scrolling a tall document one row at a time, alternately down and up.
    {
        AppState::defaultDocRows = 3062;
        AppState::defaultDocCols = 80;
        AppState state;
        state.doc.layers = artLayers(1, 3062, 80, rng);
        state.activeLayerIndex = 0;
        std::size_t bytes = 0;
        Screen screen([&bytes](std::string_view out) { bytes += out.size(); }, false);
        screen.resize(70, 240);
        Layout layout = drawFrame(state, screen);
        scrollView(1000, 0, state, layout);
        layout = drawFrame(state, screen);
        int step = 0;
        bytes = 0;
        const double cpu = 1e6 * bench::medianCpuSeconds(301, [&] {
            scrollView(step++ % 2 ? -1 : 1, 0, state, layout);
            layout = drawFrame(state, screen);
        });
        std::printf("scroll by one row, 80x3062 in 240x70 (target <= 1000 us): %.0f us median cpu, %zu bytes/frame\n",
                    cpu, bytes / 301);
    }

    // A full repaint where every cell differs from its neighbours: the bytes a terminal must
    // take, and what producing them costs.
    {
        std::size_t bytes = 0;
        Screen screen([&bytes](std::string_view out) { bytes = out.size(); }, false);
        screen.resize(70, 240);
        for (int r = 0; r < 70; ++r)
            for (int c = 0; c < 240; ++c) {
                const int v = r * 240 + c;
                screen.put({CellChar::fromScalar(static_cast<char32_t>('!' + v % 90)), ANSIColorValue::ansi256(v % 256),
                            ANSIColorValue::ansi256((v / 7) % 256), false},
                           r, c);
            }
        const double cpu = 1e6 * bench::medianCpuSeconds(101, [&] {
            screen.invalidate();
            screen.flush();
        });
        std::printf("full repaint 240x70, every cell different (target <= 2000 us): %.0f us median cpu, %zu bytes\n",
                    cpu, bytes);
    }
    std::printf("screen memory: %zu bytes per cell (back and front buffers) and 1 byte per row\n",
                Screen::bytesPerCell);
    return 0;
}
