#include "app/command_line.hpp"

#include "core/text/utf8.hpp"

#include <algorithm>
#include <charconv>

namespace glyphloom {

const std::string_view usageText =
    "glyphloom — Glyphloom16M, the terminal ANSI art studio (16/256/16M colors)\n"
    "\n"
    "usage: glyphloom [options] [file.(ans|glyphloom|png)]\n"
    "\n"
    "  file                open a document (.ans, layered .glyphloom, or an\n"
    "                      image to import as a reference layer)\n"
    "  --size COLSxROWS    canvas size, 10x4 up to 320x200 (default 160x50)\n"
    "  --png in out.png    render a document to PNG (VGA look) and exit\n"
    "  --flatten in.glyphloom out.ans    composite layers to classic .ans\n"
    "  --crop in.ans R1 R2 out.ans      row-slice a document and exit\n"
    "  --recover           list the recovery copies of unsaved work and exit\n"
    "  --version           print version and exit\n"
    "\n"
    "Also opens UTF-8 art (.utf8.ans, or .ans/.txt without a SAUCE record whose\n"
    "bytes are UTF-8) and XBin .xb, BinaryText .bin, ArtWorx .adf, iCE Draw .idf,\n"
    "PCBoard .pcb, Avatar .avt, TundraDraw .tnd (saved as .ans beside the file).\n"
    "\n"
    "In the editor: the ? button opens the keyboard/mouse crib sheet. Quit with Ctrl-C.\n"
    "Saves write .ans or layered .glyphloom (+ optional .utf8.ans / .png /\n"
    ".txt companions — see the save-options box on the ✓ button).";

CommandLine::CommandLine(int argc, const char* const* argv) {
    for (int i = 0; i < argc; ++i) args_.emplace_back(argv[i]);
}

bool CommandLine::has(std::string_view flag) const {
    return std::find(args_.begin() + std::min<std::size_t>(1, args_.size()), args_.end(), flag) != args_.end();
}

std::optional<std::vector<std::string>> CommandLine::valuesOf(std::string_view option, std::size_t count) const {
    const auto first = args_.begin() + std::min<std::size_t>(1, args_.size());
    const auto at = std::find(first, args_.end(), option);
    if (at == args_.end()) return std::nullopt;
    const auto available = static_cast<std::size_t>(args_.end() - at - 1);
    if (available < count) return std::nullopt;
    return std::vector<std::string>(at + 1, at + 1 + static_cast<std::ptrdiff_t>(count));
}

std::optional<std::string> CommandLine::fileArgument() const {
    std::size_t i = 1;
    while (i < args_.size()) {
        const std::string& arg = args_[i];
        if (arg == "--size" || arg == "--tool" || arg == "--charset") {
            i += 2;
        } else if (arg.rfind("--", 0) == 0) {
            i += 1;
        } else {
            return arg;
        }
    }
    return std::nullopt;
}

bool isImageFileName(std::string_view name) {
    const std::string lower = utf8::asciiLowercase(name);
    for (std::string_view ext : {".png", ".jpg", ".jpeg", ".gif", ".bmp"}) {
        if (lower.ends_with(ext)) return true;
    }
    return false;
}

}  // namespace glyphloom
