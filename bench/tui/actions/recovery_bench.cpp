// The recovery copy on the largest document (320 × 200, 7 layers), once with every cell
// varied and once shaped like typical art (mostly blank cells, a few inked areas): the time
// of one whole write as the background thread does it, and the longest the main thread is
// held up by the keeper while copies fall due and are written during editing. The editing
// runs on a made-up clock, so the pause and age rules fire without waiting for them.
// Exits 1 if a stall exceeds one frame; the write time is reported against its target.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

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

ANSICell variedCell(std::mt19937& rng) {
    return {CellChar::fromScalar(U'A' + static_cast<char32_t>(rng() % 26)), ANSIColorValue::ansi256(static_cast<int>(rng() % 256)),
            ANSIColorValue::truecolor(static_cast<std::uint8_t>(rng()), 40, 90), false};
}

// Every cell of every layer different.
void fillRandom(AppState& state, std::mt19937& rng) {
    state.doc.layers.clear();
    for (int l = 0; l < kLayers; ++l) {
        CellGrid grid(kRows, kCols);
        for (int r = 0; r < kRows; ++r)
            for (auto& cell : grid.mutableRow(r)) cell = variedCell(rng);
        state.doc.layers.emplace_back("Layer " + std::to_string(l + 1), std::move(grid));
    }
    state.dirty = true;
}

// A backdrop on the bottom layer over a third of the canvas, and on each layer above it a
// few small inked patches: most cells blank, as in real layered art.
void fillTypical(AppState& state, std::mt19937& rng) {
    state.doc.layers.clear();
    for (int l = 0; l < kLayers; ++l) {
        CellGrid grid(kRows, kCols);
        if (l == kLayers - 1) {
            for (int r = kRows * 2 / 3; r < kRows; ++r)
                for (auto& cell : grid.mutableRow(r))
                    cell = ANSICell{CellChar("░"), ANSIColorValue::ansi16(4), ANSIColorValue::ansi16(0), false};
        }
        for (int patch = 0; patch < 6; ++patch) {
            const int top = static_cast<int>(rng() % (kRows - 12));
            const int left = static_cast<int>(rng() % (kCols - 30));
            for (int r = top; r < top + 12; ++r)
                for (int c = left; c < left + 30; ++c) grid.set(r, c, variedCell(rng));
        }
        state.doc.layers.emplace_back("Layer " + std::to_string(l + 1), std::move(grid));
    }
    state.dirty = true;
}

// A short stroke on one layer, as a drag of the pen would leave it.
void stroke(AppState& state, std::mt19937& rng) {
    state.snapshotForUndo();
    Layer& layer = state.doc.layers[rng() % state.doc.layers.size()];
    const int row = static_cast<int>(rng() % kRows);
    for (int k = 0; k < 8; ++k) layer.cells.set(row, static_cast<int>(rng() % kCols), ANSICell{CellChar("█")});
}

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void writeFigures(const char* kind, AppState& state, const std::string& folder) {
    RecoveryKeeper direct(folder, 1, 1);
    const RecoverySnapshot snapshot = takeRecoverySnapshot(state);
    std::size_t bytes = 0;
    // Encoding alone: the pieces are counted and dropped.
    const bench::Timing encode = bench::medianTiming(3, [&] {
        bytes = 0;
        streamRecoverySnapshot(snapshot, [&bytes](std::span<const std::uint8_t> piece) {
            bytes += piece.size();
            return true;
        });
    });
    const bench::Timing write = bench::medianTiming(5, [&] {
        if (const std::string error = writeRecoveryCopy(direct.copyPath(), snapshot); !error.empty())
            std::printf("write failed: %s\n", error.c_str());
    });
    std::printf("%s document, %d x %d x %d, %.1f MB: encode %.1f ms (cpu %.1f); whole write median %.1f ms "
                "(cpu %.1f) (target <= %.0f ms%s)\n",
                kind, kCols, kRows, kLayers, static_cast<double>(bytes) / (1 << 20), 1000 * encode.wall,
                1000 * encode.cpu, 1000 * write.wall, 1000 * write.cpu, kWriteTargetMs,
                1000 * write.wall <= kWriteTargetMs ? "" : ", MISSED");
}

// Editing with the keeper's real rules on a made-up clock: bursts of strokes, then a pause
// long enough for a copy, which is written in the background while the next burst goes on.
// Every call the main loop makes to the keeper is timed.
bool stallFigures(AppState& state, const std::string& folder, std::mt19937& rng) {
    using namespace std::chrono_literals;
    using Clock = RecoveryKeeper::Clock;
    constexpr int kCopies = 4;
    RecoveryKeeper keeper(folder, 2, 1);
    // Wall and CPU time of each step: on a busy machine a long wall time with little CPU is
    // the thread waiting for a core, not work the keeper does.
    std::vector<double> stalls, stallsCpu;
    Clock::time_point now{std::chrono::hours(1)};
    const auto timed = [&](auto&& call) {
        const double cpuStart = bench::threadCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        call();
        stalls.push_back(msSince(start));
        stallsCpu.push_back(1000 * (bench::threadCpuSeconds() - cpuStart));
    };
    // One batch of input as the loop handles it: the edit, then the keeper's turn.
    const auto batch = [&] {
        stroke(state, rng);
        now += 40ms;
        timed([&] {
            keeper.noteInput(state, now);
            keeper.tick(state, now);
            (void)keeper.pollTimeout(state, now);
        });
    };
    int copies = 0;
    double wallWriting = 0;
    for (int round = 0; round < kCopies; ++round) {
        for (int i = 0; i < 20; ++i) batch();
        now += 31s;  // a pause: the copy falls due
        timed([&] { keeper.tick(state, now); });
        if (!keeper.writing()) break;
        ++copies;
        const auto writeStart = std::chrono::steady_clock::now();
        for (int wait = 0; wait < 10000 && keeper.writing(); ++wait) {
            batch();
            std::this_thread::sleep_for(1ms);  // the next input event
        }
        wallWriting += msSince(writeStart);
    }
    std::sort(stalls.begin(), stalls.end());
    std::sort(stallsCpu.begin(), stallsCpu.end());
    const double longest = stalls.back();
    std::printf("stall while editing across %d background copies (%.0f ms each on the wall): %zu keeper steps, "
                "median %.3f ms (cpu %.3f), longest %.2f ms (cpu %.2f) (target <= %.1f ms%s)\n",
                copies, copies ? wallWriting / copies : 0.0, stalls.size(), stalls[stalls.size() / 2],
                stallsCpu[stallsCpu.size() / 2], longest, stallsCpu.back(), kFrameMs, longest <= kFrameMs ? "" : ", MISSED");
    return copies == kCopies && longest <= kFrameMs;
}

double loadAverage() {
    double load = 0;
    std::ifstream("/proc/loadavg") >> load;
    return load;
}

}  // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // figures show as they come, even if the run is cut short
    AppState::defaultDocRows = kRows;
    AppState::defaultDocCols = kCols;
    std::mt19937 rng(20261207);
    const std::string folder =
        (std::filesystem::temp_directory_path() / ("glyphloom-recovery-bench-" + std::to_string(::getpid()))).string();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::printf("load average %.2f\n", loadAverage());

    AppState state;
    fillRandom(state, rng);
    writeFigures("random", state, folder);
    const double snapshotMs = 1000.0 * bench::medianSeconds(200, [&] { (void)takeRecoverySnapshot(state); });
    std::printf("snapshot: median %.3f ms\n", snapshotMs);
    bool ok = stallFigures(state, folder, rng);

    AppState typical;
    fillTypical(typical, rng);
    writeFigures("typical", typical, folder);
    ok = stallFigures(typical, folder, rng) && ok;

    std::printf("load average %.2f\n", loadAverage());
    std::filesystem::remove_all(folder);
    return ok ? 0 : 1;
}
