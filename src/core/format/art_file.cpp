#include "core/format/art_file.hpp"

#include <array>

#include "core/format/artworx_reader.hpp"
#include "core/format/avatar_reader.hpp"
#include "core/format/binary_text_reader.hpp"
#include "core/format/ice_draw_reader.hpp"
#include "core/format/pcboard_reader.hpp"
#include "core/format/tundra_reader.hpp"
#include "core/format/xbin_reader.hpp"
#include "core/text/utf8.hpp"

namespace glyphloom {
namespace {

struct Extension {
    std::string_view name;
    ArtFormat format;
};

constexpr std::array<Extension, 8> extensions{{
    {"ans", ArtFormat::ansi},
    {"xb", ArtFormat::xbin},
    {"bin", ArtFormat::binaryText},
    {"adf", ArtFormat::artWorx},
    {"idf", ArtFormat::iceDraw},
    {"pcb", ArtFormat::pcBoard},
    {"avt", ArtFormat::avatar},
    {"tnd", ArtFormat::tundra},
}};

constexpr std::array<std::string_view, extensions.size()> names = [] {
    std::array<std::string_view, extensions.size()> out{};
    for (std::size_t i = 0; i < extensions.size(); ++i) out[i] = extensions[i].name;
    return out;
}();

}  // namespace

ArtFormat artFormatForPath(std::string_view path) {
    const std::string lower = utf8::asciiLowercase(path);
    if (lower.ends_with(".utf8.ans")) return ArtFormat::ansiUTF8;
    const auto slash = lower.find_last_of('/');
    const auto dot = lower.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return ArtFormat::ansi;
    const std::string_view extension = std::string_view(lower).substr(dot + 1);
    for (const Extension& known : extensions)
        if (known.name == extension) return known.format;
    return ArtFormat::ansi;
}

ArtReadResult readArtFile(std::span<const std::uint8_t> data, ArtFormat format, ANSGridCap cap) {
    switch (format) {
        case ArtFormat::ansi:
        case ArtFormat::ansiUTF8: {
            auto imported = importANSFile(data, format == ArtFormat::ansiUTF8 || readsAsUTF8({}, data), cap);
            if (!imported) return artFailure("");
            ArtReadResult result = finishedArt(std::move(imported->cells), std::move(imported->sauce), "");
            // The ANSI reader already chose between blinking and bright backgrounds, and 24-bit
            // colours in it leave the document's colour depth as it is.
            result.art->truecolor = false;
            return result;
        }
        case ArtFormat::xbin: return readXBin(data, cap);
        case ArtFormat::binaryText: return readBinaryText(data, cap);
        case ArtFormat::artWorx: return readArtWorx(data, cap);
        case ArtFormat::iceDraw: return readIceDraw(data, cap);
        case ArtFormat::pcBoard: return readPCBoard(data, cap);
        case ArtFormat::avatar: return readAvatar(data, cap);
        case ArtFormat::tundra: return readTundra(data, cap);
    }
    return artFailure("");
}

std::span<const std::string_view> artFileExtensions() { return names; }

}  // namespace glyphloom
