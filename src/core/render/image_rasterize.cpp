#include "core/render/image_rasterize.hpp"

#include <algorithm>
#include <cmath>

#include "core/color/color_math.hpp"

namespace glyphloom {
namespace {

struct Sample {
    int r = 0, g = 0, b = 0, a = 0;
};

// The document's palette closest to a colour; mono keeps three tones by luminance.
ANSIColorValue snap(const Sample& s, ColorDepth depth) {
    switch (depth) {
        case ColorDepth::truecolor:
            return ANSIColorValue::truecolor(static_cast<std::uint8_t>(s.r), static_cast<std::uint8_t>(s.g),
                                             static_cast<std::uint8_t>(s.b));
        case ColorDepth::c256: return nearestANSI256(s.r, s.g, s.b);
        case ColorDepth::c16: return nearestANSI16(s.r, s.g, s.b);
        case ColorDepth::mono: {
            const double y = 0.2126 * s.r + 0.7152 * s.g + 0.0722 * s.b;
            if (y < 84.15) return ANSIColorValue::ansi16(0);
            if (y >= 191.25) return ANSIColorValue::ansi16(15);
            return ANSIColorValue::ansi16(7);
        }
    }
    return ANSIColorValue::ansi16(15);
}

class Sampler {
public:
    Sampler(const DecodedImage& image, double scale) : image_(image), scale_(scale) {}

    // The mean colour of the source pixels under target pixel (x, y).
    Sample at(int x, int y) const {
        const auto [x0, x1] = span(x, image_.width);
        const auto [y0, y1] = span(y, image_.height);
        std::int64_t r = 0, g = 0, b = 0, a = 0, n = 0;
        for (int sy = y0; sy < y1; ++sy) {
            const std::uint8_t* p = image_.rgba.data() + (static_cast<std::size_t>(sy) * image_.width + x0) * 4;
            for (int sx = x0; sx < x1; ++sx, p += 4) {
                r += p[0];
                g += p[1];
                b += p[2];
                a += p[3];
                ++n;
            }
        }
        if (n == 0) return {};
        return {static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n), static_cast<int>(a / n)};
    }

private:
    std::pair<int, int> span(int target, int limit) const {
        const auto start = static_cast<std::int64_t>(target / scale_);
        const auto end = std::max(static_cast<std::int64_t>((target + 1) / scale_), start + 1);
        return {static_cast<int>(std::min<std::int64_t>(start, limit)), static_cast<int>(std::min<std::int64_t>(end, limit))};
    }

    const DecodedImage& image_;
    double scale_;
};

constexpr const char* shadeGlyphs[] = {" ", "░", "▒", "▓", "█"};

ANSICell cellFor(ImageImportMode mode, const Sample& top, const Sample& bottom, ColorDepth depth) {
    const Sample avg{(top.r + bottom.r) / 2, (top.g + bottom.g) / 2, (top.b + bottom.b) / 2, 0};
    ANSICell cell;
    switch (mode) {
        case ImageImportMode::blocks:
            cell.character = CellChar("▀");
            cell.foreground = snap(top, depth);
            cell.background = snap(bottom, depth);
            return cell;
        case ImageImportMode::shade: {
            const int luminance = 299 * avg.r + 587 * avg.g + 114 * avg.b;
            if (luminance < 52'000) return ANSICell::blank();
            const int level = luminance > 204'999 ? 4 : 5 * (luminance / 1000) / 256;
            cell.character = CellChar(shadeGlyphs[std::clamp(level, 1, 4)]);
            cell.foreground = snap(avg, depth);
            cell.background = ANSIColorValue::ansi16(0);
            return cell;
        }
        case ImageImportMode::fg:
            cell.character = CellChar("█");
            cell.foreground = snap(avg, depth);
            cell.background = ANSIColorValue::ansi16(0);
            return cell;
        case ImageImportMode::bg: {
            cell.foreground = ANSIColorValue::ansi16(15);
            cell.background = snap(avg, depth);
            // A black wash would look like no import at all.
            if (cell.background == ANSIColorValue::ansi16(0)) cell.background = ANSIColorValue::ansi16(8);
            return cell;
        }
    }
    return ANSICell::blank();
}

}  // namespace

CellGrid rasterizeImage(const DecodedImage& image, ImageImportMode mode, int cols, int rows, ColorDepth depth) {
    CellGrid grid(rows, cols);
    const bool wellFormed = image.width > 0 && image.height > 0 &&
                            image.rgba.size() >= static_cast<std::size_t>(image.width) * image.height * 4;
    if (!wellFormed || cols <= 0 || rows <= 0) return grid;

    const double scale = std::min(static_cast<double>(cols) / image.width, 2.0 * rows / image.height);
    const int targetWidth = std::min(cols, std::max(1, static_cast<int>(image.width * scale)));
    const int targetHeight = std::max(1, static_cast<int>(image.height * scale));
    const int cellRows = std::min(rows, (targetHeight + 1) / 2);
    const Sampler sampler(image, scale);

    for (int r = 0; r < cellRows; ++r) {
        for (int c = 0; c < targetWidth; ++c) {
            const Sample top = sampler.at(c, 2 * r);
            const Sample bottom = 2 * r + 1 < targetHeight ? sampler.at(c, 2 * r + 1) : top;
            if (top.a + bottom.a < 130) continue;  // transparent: leave the cell blank
            grid.set(r, c, cellFor(mode, top, bottom, depth));
        }
    }
    return grid;
}

}  // namespace glyphloom
