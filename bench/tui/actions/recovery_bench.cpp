// The recovery copy on the largest document (320 × 200, 7 layers of varied cells): the time
// of one whole write (encode and atomic write, as the background thread does it), and the
// longest the main thread is held up while copies are taken and written during editing.
// Exits 1 if an input stall exceeds one frame; the write time is reported against its target.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <thread>
#include <unistd.h>

#include "bench_timing.hpp"
#include "core/io/file_io.hpp"
#include "tui/actions/recovery.hpp"

using namespace glyphloom;

namespace {

constexpr int kRows = 200;
constexpr int kCols = 320;
constexpr int kLayers = 7;
constexpr double kWriteTargetMs = 50.0;
constexpr double kFrameMs = 1000.0 / 60.0;

void fillDocument(AppState& state, std::mt19937& rng) {
    state.layers.clear();
    for (int l = 0; l < kLayers; ++l) {
        CellGrid grid(kRows, kCols);
        for (int r = 0; r < kRows; ++r) {
            for (auto& cell : grid.mutableRow(r)) {
                cell.character = CellChar::fromScalar(U'A' + static_cast<char32_t>(rng() % 26));
                cell.foreground = ANSIColorValue::ansi256(static_cast<int>(rng() % 256));
                cell.background = ANSIColorValue::truecolor(static_cast<std::uint8_t>(rng()), 40, 90);
            }
        }
        state.layers.emplace_back("Layer " + std::to_string(l + 1), std::move(grid));
    }
    state.dirty = true;
}

// A short stroke on one layer, as a drag of the pen would leave it.
void stroke(AppState& state, std::mt19937& rng) {
    state.snapshotForUndo();
    Layer& layer = state.layers[rng() % state.layers.size()];
    const int row = static_cast<int>(rng() % kRows);
    for (int k = 0; k < 8; ++k) layer.cells.set(row, static_cast<int>(rng() % kCols), ANSICell{CellChar("█")});
}

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
    using Clock = std::chrono::steady_clock;
    using namespace std::chrono_literals;
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // figures show as they come, even if the run is cut short
    AppState::docRows = kRows;
    AppState::docCols = kCols;
    std::mt19937 rng(20261207);
    AppState state;
    fillDocument(state, rng);
    const std::string folder =
        (std::filesystem::temp_directory_path() / ("glyphloom-recovery-bench-" + std::to_string(::getpid()))).string();
    std::filesystem::remove_all(folder);

    // One whole write, on this thread.
    RecoveryKeeper direct(folder, 1, 1);
    std::size_t bytes = 0;
    const double writeMs = 1000.0 * bench::medianSeconds(3, [&] {
        const auto data = encodeRecoverySnapshot(takeRecoverySnapshot(state));
        bytes = data ? data->size() : 0;
        if (data) writeFileAtomically(direct.copyPath(), *data);
    });
    std::printf("recovery write of %d x %d x %d: median %.1f ms, %.1f MB (target <= %.0f ms%s)\n", kCols, kRows,
                kLayers, writeMs, static_cast<double>(bytes) / (1 << 20), kWriteTargetMs,
                writeMs <= kWriteTargetMs ? "" : ", MISSED");
    const double snapshotMs = 1000.0 * bench::medianSeconds(200, [&] { (void)takeRecoverySnapshot(state); });
    std::printf("snapshot: median %.3f ms\n", snapshotMs);

    // Editing while copies are written in the background: every main-thread step (the edit,
    // the keeper's look at its schedule, starting and collecting writes) is timed; the
    // schedule is squeezed so that a copy is due after every pause.
    RecoveryKeeper keeper(folder, 2, 1, atomicFileWriter(), RecoverySchedule(0ms, 0ms));
    double longestMs = 0;
    int copies = 0;
    // At least a second and a half of editing, until a background write has landed and none
    // is under way (the write that the landing one makes due runs to its end too).
    const auto until = Clock::now() + 1500ms;
    while (Clock::now() < until || copies < 1 || keeper.writing()) {
        const auto start = Clock::now();
        stroke(state, rng);
        keeper.noteInput(state, start);
        const bool wasWriting = keeper.writing();
        keeper.tick(state, Clock::now());
        if (!wasWriting && keeper.writing()) ++copies;
        (void)keeper.pollTimeout(state, Clock::now());
        longestMs = std::max(longestMs, msSince(start));
        std::this_thread::sleep_for(2ms);  // the next input event
    }
    std::printf("editing during %d background write(s): longest main-thread step %.2f ms (target <= %.1f ms)\n", copies,
                longestMs, kFrameMs);
    std::filesystem::remove_all(folder);
    return longestMs <= kFrameMs && copies > 0 ? 0 : 1;
}
