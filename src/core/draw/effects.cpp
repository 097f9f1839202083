#include "core/draw/effects.hpp"

#include <algorithm>

#include "core/color/color_math.hpp"

namespace glyphloom {

std::vector<GridKey> sprayTargets(GridKey at, int radius, int density, int rows, int columns,
                                  RandomSource& random) {
    std::vector<GridKey> targets;
    const int r = std::max(0, radius);
    for (int attempt = 0; attempt < density; ++attempt) {
        const int dc = random.uniformInt(-r, r);
        const int dr = random.uniformInt(-(r / 2), r / 2);
        // In 64 bits, so no radius a preset may carry can overflow the test.
        const long long dcl = dc, drl = dr, rl = r;
        if (dcl * dcl + 4 * drl * drl > rl * rl) continue;
        const GridKey target{at.row + dr, at.col + dc};
        if (target.row < 0 || target.row >= rows || target.col < 0 || target.col >= columns) continue;
        targets.push_back(target);
    }
    return targets;
}

std::vector<std::pair<GridKey, GridKey>> smudgeSources(const std::vector<GridKey>& footprint, int dRow, int dCol,
                                                       int rows, int columns) {
    std::vector<std::pair<GridKey, GridKey>> pairs;
    if (rows <= 0 || columns <= 0) return pairs;
    pairs.reserve(footprint.size());
    for (const GridKey& dst : footprint) {
        if (dst.row < 0 || dst.row >= rows || dst.col < 0 || dst.col >= columns) continue;
        const GridKey src{std::clamp(dst.row - dRow, 0, rows - 1), std::clamp(dst.col - dCol, 0, columns - 1)};
        pairs.emplace_back(dst, src);
    }
    return pairs;
}

namespace {

template <typename F>
ANSICell recolor(ANSICell cell, EffectChannels channels, F&& change) {
    if (channels.fg) cell.foreground = change(cell.foreground);
    if (channels.bg) cell.background = change(cell.background);
    return cell;
}

}  // namespace

ANSICell dodgeBurnCell(const ANSICell& cell, bool lighten, double strength, EffectChannels channels) {
    return recolor(cell, channels, [&](const ANSIColorValue& c) { return adjustBrightness(c, lighten, strength); });
}

ANSICell prismCell(const ANSICell& cell, double degrees, EffectChannels channels) {
    return recolor(cell, channels, [&](const ANSIColorValue& c) { return shiftHue(c, degrees); });
}

ANSICell scatterCell(const ANSICell& cell, double variance, EffectChannels channels, RandomSource& random) {
    // Below one step of noise the colours are returned untouched, so variance 0 is a no-op
    // even for 256-colour values that would not survive a round trip through the nearest search.
    return recolor(cell, channels, [&](const ANSIColorValue& c) { return jitterColor(c, variance, random); });
}

}  // namespace glyphloom
