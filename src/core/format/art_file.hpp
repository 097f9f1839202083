// The one place that picks the reader for a picture file from its name: ANSI art (CP437, or
// UTF-8 for ".utf8.ans" and for record-less files whose bytes read as UTF-8 art), XBin, BinaryText, ArtWorx, iCE Draw, PCBoard, Avatar, TundraDraw.
// The editor's open path and the batch commands both read through here. The layered
// document (".glyphloom") has its own reader.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/format/art_cells.hpp"

namespace glyphloom {

enum class ArtFormat { ansi, ansiUTF8, xbin, binaryText, artWorx, iceDraw, pcBoard, avatar, tundra };

// By the (case-insensitive) extension; a name with no known one is read as ANSI art.
ArtFormat artFormatForPath(std::string_view path);

ArtReadResult readArtFile(std::span<const std::uint8_t> data, ArtFormat format, ANSGridCap cap = {});

// The extensions (without the dot) of every picture format read here, ANSI art first.
std::span<const std::string_view> artFileExtensions();

}  // namespace glyphloom
