#include "app/audit_self_test.hpp"

#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/self_check.hpp"
#include "core/codec/png_decode.hpp"
#include "core/color/color_math.hpp"
#include "core/format/ans_export.hpp"
#include "core/format/ans_import.hpp"
#include "core/format/preset.hpp"
#include "core/format/preset_bank.hpp"
#include "core/io/file_io.hpp"
#include "core/model/layer.hpp"
#include "core/render/image_export.hpp"
#include "tui/actions/document_io.hpp"
#include "tui/state/app_state.hpp"
#include "tui/state/sauce_state.hpp"

namespace glyphloom {
namespace {

namespace fs = std::filesystem;

ANSICell cell(const char* character, ANSIColorValue fg, ANSIColorValue bg, bool blink = false) {
    ANSICell c;
    c.character = character;
    c.foreground = fg;
    c.background = bg;
    c.blink = blink;
    return c;
}

std::string textOf(const std::optional<std::vector<std::uint8_t>>& data) {
    return data ? std::string(data->begin(), data->end()) : std::string();
}

std::optional<std::vector<std::uint8_t>> readBack(const std::string& path) { return readWholeFile(path, 1 << 20).data; }

// HOME and XDG_CONFIG_HOME point into a fresh temporary folder while the suite runs, so no
// check can read or write the user's settings; both are put back and the folder removed after.
class ScratchHome {
public:
    ScratchHome() {
        saveVariable("HOME", home_);
        saveVariable("XDG_CONFIG_HOME", config_);
        std::string pattern = (fs::temp_directory_path() / "glyphloom-audit-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) return;
        root_ = pattern;
        createDirectories(root_ + "/config");
        createDirectories(root_ + "/work");
        ::setenv("HOME", root_.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (root_ + "/config").c_str(), 1);
    }
    ~ScratchHome() {
        restoreVariable("HOME", home_);
        restoreVariable("XDG_CONFIG_HOME", config_);
        std::error_code ignored;
        if (!root_.empty()) fs::remove_all(root_, ignored);
    }
    ScratchHome(const ScratchHome&) = delete;
    ScratchHome& operator=(const ScratchHome&) = delete;

    bool ready() const { return !root_.empty(); }
    std::string workFolder() const { return root_ + "/work"; }
    std::string configFolder() const { return root_ + "/config/glyphloom"; }

private:
    static void saveVariable(const char* name, std::optional<std::string>& into) {
        if (const char* value = std::getenv(name)) into = value;
    }
    static void restoreVariable(const char* name, const std::optional<std::string>& value) {
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }

    std::string root_;
    std::optional<std::string> home_;
    std::optional<std::string> config_;
};

void compositing(Checker& c) {
    const ANSICell red = cell("A", ANSIColorValue::ansi16(1), ANSIColorValue::ansi16(4));
    const ANSICell green = cell("B", ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(0));
    CellGrid top(1, 2);
    top.set(0, 1, green);
    Layer upper("Top", top);
    Layer lower("Bottom", CellGrid(1, 2, red));
    const CellGrid both = compositeLayers({upper, lower}, 1, 2);
    c.check(both.cellAt(0, 0) && *both.cellAt(0, 0) == red, "a blank cell on top lets the layer below show");
    c.check(both.cellAt(0, 1) && *both.cellAt(0, 1) == green, "a drawn cell on top covers the layer below");
    upper.visible = false;
    const CellGrid hidden = compositeLayers({upper, lower}, 1, 2);
    c.check(hidden.cellAt(0, 1) && *hidden.cellAt(0, 1) == red, "a hidden layer takes no part");
    lower.colOffset = 1;
    const CellGrid shifted = compositeLayers({lower}, 1, 2);
    c.check(shifted.cellAt(0, 0) && *shifted.cellAt(0, 0) == ANSICell::blank() && shifted.cellAt(0, 1) &&
                *shifted.cellAt(0, 1) == red,
            "a shifted layer lands at its offset");
}

// 80 × 4: the width and height a classic file keeps without its record's help.
CellGrid sampleArt() {
    CellGrid art(4, 80);
    art.set(0, 0, cell("A", ANSIColorValue::ansi16(1), ANSIColorValue::ansi16(4)));
    art.set(1, 5, cell("█", ANSIColorValue::ansi16(14), ANSIColorValue::ansi16(6)));
    art.set(2, 79, cell("░", ANSIColorValue::ansi256(123), ANSIColorValue::ansi16(0)));
    art.set(3, 10, cell("x", ANSIColorValue::truecolor(250, 128, 7), ANSIColorValue::ansi16(2), true));
    return art;
}

void ansRoundTrip(Checker& c) {
    const CellGrid art = sampleArt();
    const auto blinking = exportANSFileData(art, "audit", "", "", std::nullopt, true, false, false);
    const auto back = importANSFile(blinking, false);
    c.check(back && back->cells == art, "colours, CP437 shapes and blink survive an .ans save and open");
    c.check(back && back->sauce && back->sauce->title == "audit" && !back->sauce->iceColors(),
            "the record keeps the title and says blinking text");
    const auto ice = importANSFile(exportANSFileData(art, "audit", "", "", std::nullopt, true, true, false), false);
    c.check(ice && ice->cells.cellAt(3, 10) && !ice->cells.cellAt(3, 10)->blink,
            "with iCE colours a cell is never read as blinking");
}

void sauceProvenance(Checker& c) {
    SauceRecord record;
    record.title = "Night Loom";
    record.author = "Ada";
    record.group = "Weavers";
    record.date = "19960412";
    const auto file = exportANSFileData(sampleArt(), "ignored", "", "", record, true, true, false);
    const auto opened = importANSFile(file, false);
    c.check(opened && opened->sauce && opened->sauce->author == "Ada" && opened->sauce->group == "Weavers",
            "an opened file's credit is read back");
    if (!opened) return;
    AppState state;
    state.sauceAuthor = "Me";
    adoptSauce(state, opened->sauce, opened->cells);
    c.check(state.viewOnly, "signed art opens view-only");
    const SauceRecord kept = exportSauce(state, "copy");
    c.check(kept.author == "Ada" && kept.group == "Weavers" && kept.date == "19960412",
            "saving someone else's art keeps their credit and date");
    claimSauceAuthorship(state);
    const SauceRecord claimed = exportSauce(state, "copy");
    bool historyNamesAda = false;
    for (const std::string& line : state.doc.sauce.sauceHistory) historyNamesAda = historyNamesAda || line.find("Ada") != std::string::npos;
    c.check(claimed.author == "Me" && historyNamesAda, "claiming the art moves the old credit into the history");
}

void saveOwnership(Checker& c, const ScratchHome& home) {
    const std::string folder = home.workFolder();
    const std::string theirs = folder + "/art.ans";
    c.check(writeFileAtomically(theirs, std::string_view("somebody else's art")).empty(), "a stranger's file is set up");
    AppState state;
    state.filename = "art";
    state.docDir = folder;
    state.doc.layers.front().cells.set(0, 0, cell("Z", ANSIColorValue::ansi16(3), ANSIColorValue::ansi16(5)));
    saveDocument(state);
    c.check(textOf(readBack(theirs)) == "somebody else's art", "a save never overwrites a file it does not own");
    const auto beside = importANSFile(readBack(folder + "/art-1.ans").value_or(std::vector<std::uint8_t>{}), false);
    c.check(beside && beside->cells.cellAt(0, 0) && beside->cells.cellAt(0, 0)->character == CellChar("Z"),
            "it lands beside it under the next numbered name");
    state.doc.layers.front().cells.set(0, 1, cell("Y", ANSIColorValue::ansi16(3), ANSIColorValue::ansi16(5)));
    saveDocument(state);
    const auto again = importANSFile(readBack(folder + "/art-1.ans").value_or(std::vector<std::uint8_t>{}), false);
    c.check(!fileExists(folder + "/art-2.ans") && again && again->cells.cellAt(0, 1) &&
                again->cells.cellAt(0, 1)->character == CellChar("Y"),
            "the next save replaces the file it owns instead of numbering again");
}

void undoDepth(Checker& c) {
    c.check(AppState::undoDepthLimit(160 * 50) == 50 && AppState::undoDepthLimit(400'000) == 50,
            "up to 400 000 cells keep 50 undo steps");
    c.check(AppState::undoDepthLimit(1000 * 1000) == 20 && AppState::undoDepthLimit(4000 * 1000) == 5 &&
                AppState::undoDepthLimit(6000 * 1000) == 4 &&
                AppState::undoDepthLimit(400'001) == 49,
            "larger canvases keep about 20 million cells of history, at least 4 steps");
    AppState state;
    for (int i = 0; i < 60; ++i) {
        state.snapshotForUndo();
        state.doc.layers.front().cells.set(0, 0, cell(i % 2 ? "a" : "b", ANSIColorValue::ansi16(7), ANSIColorValue::ansi16(0)));
    }
    const int limit = AppState::undoDepthLimit(static_cast<std::int64_t>(state.doc.rows) * state.doc.cols);
    c.check(static_cast<int>(state.undoStack.size()) == limit, "the undo stack stops at its limit, oldest dropped");
    state.undo();
    c.check(state.redoStack.size() == 1 && state.doc.layers.front().cells.cellAt(0, 0)->character == CellChar("b"),
            "undo brings back the step before and can be redone");
}

void presetSalvage(Checker& c, const ScratchHome& home) {
    const auto bank = decodeBankSalvaging(R"([{"name":"keep","tool":"paintbrush"},{"name":7},null])");
    c.check(bank && bank->size() == 3 && (*bank)[0] && (*bank)[0]->name == "keep" && !(*bank)[1] && !(*bank)[2],
            "a bad slot becomes an empty slot, the good one survives");
    createDirectories(home.configFolder());
    const std::string path = home.configFolder() + "/presets.json";
    writeFileAtomically(path, std::string_view("{not a bank"));
    const PresetBank loaded = loadPresets(path);
    c.check(builtinPresetBank() && loaded == *builtinPresetBank(), "an unreadable bank file gives the built-in slots");
    c.check(textOf(readBack(path + ".corrupt")) == "{not a bank" && textOf(readBack(path)) == "{not a bank",
            "the unreadable file is copied aside and left as it was");
}

void pngRoundTrip(Checker& c) {
    CellGrid doc(2, 3, cell(" ", ANSIColorValue::ansi16(15), ANSIColorValue::ansi16(4)));
    doc.set(1, 2, cell("█", ANSIColorValue::truecolor(10, 200, 30), ANSIColorValue::ansi16(0)));
    const auto image = decodePNG(exportPNGData(doc));
    c.check(image && image->width == 24 && image->height == 32, "a render is 8 × 16 pixels per cell");
    if (!image) return;
    const auto pixel = [&](int x, int y) {
        const std::size_t at = (static_cast<std::size_t>(y) * image->width + x) * 4;
        return RGB{image->rgba[at], image->rgba[at + 1], image->rgba[at + 2]};
    };
    c.check(pixel(0, 0) == rgbOf(ANSIColorValue::ansi16(4)), "a space shows its background");
    c.check(pixel(20, 24) == rgbOf(ANSIColorValue::truecolor(10, 200, 30)), "a full block shows its foreground");
}

}  // namespace

bool runAuditSelfTest(std::FILE* out) {
    std::fprintf(out, "audit-fix self-test:\n");
    Checker c(out);
    ScratchHome home;
    c.check(home.ready(), "a temporary home folder is made");
    compositing(c);
    ansRoundTrip(c);
    sauceProvenance(c);
    if (home.ready()) {
        saveOwnership(c, home);
        presetSalvage(c, home);
    }
    undoDepth(c);
    pngRoundTrip(c);
    return c.finish();
}

}  // namespace glyphloom
