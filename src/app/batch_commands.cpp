#include "app/batch_commands.hpp"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "app/console.hpp"
#include "core/format/ans_export.hpp"
#include "core/format/ans_import.hpp"
#include "core/format/art_file.hpp"
#include "core/format/drawing_file.hpp"
#include "core/format/preset.hpp"
#include "core/format/preset_bank.hpp"
#include "core/io/file_io.hpp"
#include "core/model/layer.hpp"
#include "core/render/image_export.hpp"
#include "core/text/utf8.hpp"
#include "tui/actions/preset_actions.hpp"
#include "tui/state/app_state.hpp"
#include "tui/state/sauce_state.hpp"

namespace glyphloom {
namespace {

// Large enough for the biggest canvas written out in the most verbose form the readers
// accept; a file past it is refused rather than read into memory.
constexpr std::size_t maxInputBytes = 512u << 20;


std::optional<std::vector<std::uint8_t>> readInput(const std::string& path) {
    return readWholeFile(path, maxInputBytes).data;
}

// "can't read IN", with the reason when the reader gave one.
std::string unreadable(const std::string& path, const std::string& why) {
    return "can't read " + path + (why.empty() ? "" : ": " + why);
}

// The whole text must be a base-10 integer.
std::optional<int> integerArgument(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}


int fail(std::FILE* err, std::string_view message) {
    printLine(err, "glyphloom: " + std::string(message));
    return 1;
}

// A regular OUT is replaced atomically, so a failed write (a full disk) leaves the old file
// whole; a device or pipe such as /dev/stdout is written directly. Failures are reported.
int writeOrFail(const std::string& path, std::span<const std::uint8_t> data, std::FILE* err) {
    return writeOutputFile(path, data).empty() ? 0 : fail(err, "can't write " + path);
}

int renderPNG(const std::string& in, const std::string& out, std::FILE* err) {
    std::string why;
    const auto doc = readFlattenedDoc(in, &why);
    if (!doc) return fail(err, unreadable(in, why));
    return writeOrFail(out, exportPNGData(*doc), err);
}

int flatten(const std::string& in, const std::string& out, std::FILE* err) {
    const auto data = readInput(in);
    const auto file = data ? importGlyphloomData(*data) : std::nullopt;
    if (!file) return fail(err, "bad --flatten args");
    const CellGrid flat = compositeLayers(file->resolveLayers(), file->safeRows(), file->safeColumns());
    // The document's own background mode: blinking text keeps its blink through the export.
    return writeOrFail(out, exportANSFileData(flat, "welcome", "", "", std::nullopt, true, !file->blinkingText(), false),
                       err);
}

int crop(const std::vector<std::string>& args, std::FILE* err) {
    const std::string& in = args[0];
    const auto data = readInput(in);
    const auto read = data ? readArtFile(*data, artFormatForPath(in)) : ArtReadResult{};
    const auto& imported = read.art;
    const auto first = integerArgument(args[1]);
    const auto last = integerArgument(args[2]);
    if (!imported || !first || !last || *first < 0 || *first > *last || *last >= imported->cells.rowCount())
        return fail(err, "bad --crop args");
    std::vector<CellGrid::Row> rows;
    for (int r = *first; r <= *last; ++r) rows.push_back(imported->cells.row(r));
    // The background mode the editor would give this file on opening it, so blinking cells
    // of a file without iCE colours still blink in the slice.
    AppState opened;
    adoptSauce(opened, imported->sauce, imported->cells);
    if (imported->blinkingText) opened.doc.blinkingText = true;
    return writeOrFail(args[3],
                       exportANSFileData(CellGrid(std::move(rows)), "crop", "", "", std::nullopt, true,
                                         !opened.doc.blinkingText, false),
                       err);
}

int dumpDoc(const std::string& path, std::FILE* out, std::FILE* err) {
    std::string why;
    const auto doc = readFlattenedDoc(path, &why);
    if (!doc) return fail(err, unreadable(path, why));
    std::string text;
    for (int r = 0; r < doc->rowCount(); ++r) {
        for (const ANSICell& cell : doc->row(r)) cell.character.appendTo(text);
        text += '\n';
    }
    std::fwrite(text.data(), 1, text.size(), out);
    std::fflush(out);
    return 0;
}

int dumpCell(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    const auto doc = readFlattenedDoc(args[0]);
    const auto row = integerArgument(args[1]);
    const auto col = integerArgument(args[2]);
    const ANSICell* cell = doc && row && col ? doc->cellAt(*row, *col) : nullptr;
    if (cell == nullptr) return fail(err, "bad --dump-cell args");
    printLine(out, cell->character.str() + "\t" + cell->foreground.label() + "\t" + cell->background.label());
    return 0;
}

int importPresets(const CommandLine& commandLine, const std::string& path, std::FILE* out, std::FILE* err) {
    const auto data = readWholeFile(path, maxInputBytes).data;
    auto bank = data ? decodeBankSalvaging(*data) : std::nullopt;
    if (!bank) {
        printLine(out, "IMPORT-PRESETS: FAIL cannot decode " + path);
        return 1;
    }
    const std::size_t slots = bank->size();
    const auto filled = std::count_if(bank->begin(), bank->end(), [](const auto& slot) { return slot.has_value(); });
    AppState state;
    state.presets = padBank(std::move(*bank));
    applyPreset(0, state);
    const TUIPreset current = makeCurrentPreset(state);
    printLine(out, "IMPORT-PRESETS: OK slots=" + std::to_string(slots) + " filled=" + std::to_string(filled) +
                       " tool=" + presetIDForTool(state.tools.tool) + " fg=" + state.tools.fg.label() +
                       " bg=" + state.tools.penBg.label());
    const auto target = commandLine.valuesOf("--reexport", 1);
    if (!target) return 0;
    const auto encoded = encodeBank(PresetBank{current});
    if (!encoded) return fail(err, "can't write " + target->front());
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(encoded->data()), encoded->size());
    if (const int status = writeOrFail(target->front(), bytes, err); status != 0) return status;
    printLine(out, "REEXPORT: " + target->front());
    return 0;
}

}  // namespace

std::optional<CellGrid> readFlattenedDoc(const std::string& path, std::string* why) {
    const auto data = readInput(path);
    if (!data) return std::nullopt;
    if (utf8::asciiLowercase(path).ends_with(".glyphloom")) {
        const auto file = importGlyphloomData(*data);
        if (!file) return std::nullopt;
        return compositeLayers(file->resolveLayers(), std::clamp(file->rows, 1, maxDocumentRows),
                               std::clamp(file->columns, 1, maxDocumentColumns));
    }
    ArtReadResult read = readArtFile(*data, artFormatForPath(path));
    if (!read.art) {
        if (why != nullptr) *why = read.failure;
        return std::nullopt;
    }
    return std::move(read.art->cells);
}

std::optional<int> runBatchCommand(const CommandLine& commandLine, std::FILE* out, std::FILE* err) {
    if (auto file = commandLine.valuesOf("--test-import-presets", 1))
        return importPresets(commandLine, file->front(), out, err);
    if (auto args = commandLine.valuesOf("--dump-doc", 1)) return dumpDoc((*args)[0], out, err);
    if (auto args = commandLine.valuesOf("--dump-cell", 3)) return dumpCell(*args, out, err);
    if (auto args = commandLine.valuesOf("--crop", 4)) return crop(*args, err);
    if (auto args = commandLine.valuesOf("--png", 2)) return renderPNG((*args)[0], (*args)[1], err);
    if (auto args = commandLine.valuesOf("--flatten", 2)) return flatten((*args)[0], (*args)[1], err);
    return std::nullopt;
}

}  // namespace glyphloom
