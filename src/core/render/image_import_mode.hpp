// The ways a picture can be turned into cells when it is imported as a layer.
#pragma once

#include <array>
#include <string_view>

namespace glyphloom {

enum class ImageImportMode { blocks, shade, fg, bg };

inline constexpr std::array<ImageImportMode, 4> allImageImportModes = {ImageImportMode::blocks, ImageImportMode::shade,
                                                                      ImageImportMode::fg, ImageImportMode::bg};

// The description shown in the import box.
constexpr std::string_view imageImportDescription(ImageImportMode mode) {
    switch (mode) {
        case ImageImportMode::blocks: return "▀ two pixels per cell";
        case ImageImportMode::shade: return "░▒▓█ by brightness";
        case ImageImportMode::fg: return "solid █, color forward";
        case ImageImportMode::bg: return "background wash";
    }
    return {};
}

// The name the status line gives a layer made in this mode.
constexpr std::string_view imageImportLabel(ImageImportMode mode) {
    switch (mode) {
        case ImageImportMode::blocks: return "Blocks";
        case ImageImportMode::shade: return "Shade";
        case ImageImportMode::fg: return "FG";
        case ImageImportMode::bg: return "BG";
    }
    return {};
}

}  // namespace glyphloom
