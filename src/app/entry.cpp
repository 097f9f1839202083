#include "app/entry.hpp"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "core/format/preset_bank.hpp"
#include "core/model/version.hpp"
#include "tui/state/app_state.hpp"
#include "tui/state/overlay_table.hpp"
#include "tui/actions/document_io.hpp"
#include "tui/actions/recovery.hpp"
#include "app/console.hpp"
#include "app/dump_layout.hpp"
#include "app/audit_self_test.hpp"
#include "app/batch_commands.hpp"
#include "tui/state/identity.hpp"
#include "app/input_self_test.hpp"
#include "app/codepoint_self_test.hpp"
#include "core/fonts/font_store.hpp"
#include "app/main_loop.hpp"
#include "tui/terminal/screen.hpp"
#include "app/self_test_presets.hpp"
#include "tui/terminal/terminal.hpp"
#include "tui/tools/tool_preview.hpp"

namespace glyphloom {
namespace {


int interactiveStart(const CommandLine& commandLine) {
    Terminal terminal;
    Screen screen;
    AppState state;
    std::string presetsNote;
    state.presets = loadPresets(presetBankPath(), presetsNote);
    const LoadedIdentity identity = loadSauceIdentity();
    applySauceIdentity(identity, state);
    state.importedFonts = loadImportedTDFFonts();
    std::optional<std::string> openedNote;  // outlives the welcome
    if (auto file = commandLine.fileArgument()) {
        if (isImageFileName(*file)) {
            openOverlay(Overlay::imageImport, state);
            state.imageImportPath = *file;  // the import box asks how to convert it
        } else {
            loadDocument(*file, state);
            const std::string note = state.statusNote.value_or("");
            if (note.rfind("not found", 0) == 0 || note.rfind("couldn't", 0) == 0) {
                printLine(stderr, "glyphloom: " + note);
                return 1;
            }
            state.undoStack.clear();
            if (isRecoveryCopyNote(note)) openedNote = note;
        }
    }
    if (commandLine.has("--charsetmenu")) {
        openOverlay(Overlay::charPicker, state);
        state.charsetMenuOpen = true;
    }
    if (commandLine.has("--saveopts") || commandLine.has("--savemenu")) openOverlay(Overlay::saveOptions, state);

    state.statusNote = "welcome to Glyphloom¹⁶ᴹ";
    // Settings files that could not be read were set aside: the user hears of it once.
    for (const std::string& note : {openedNote.value_or(""), presetsNote, identity.note}) {
        if (!note.empty()) state.statusNote = note;
    }
    RecoveryKeeper keeper(recoveryFolder(), static_cast<int>(::getpid()), recoverySessionStamp());
    checkRecoveryFolder(state, keeper);
    if (!commandLine.fileArgument()) {
        // An explicit size asks for a new canvas; the unsaved work stays where it is.
        if (!commandLine.valuesOf("--size", 1)) recoverUnsavedWork(state, keeper);
        else if (chooseRecoveryCopy(listRecoveryCopies(keeper.folder()), keeper.copyPath(), copyOwnerRunning))
            state.statusNote = "unsaved work kept — start without --size to reopen it (--recover lists it)";
    }
    pruneRecoveryCopies(keeper.folder(), keeper.copyPath(), copyOwnerRunning);
    Terminal::enter();
    const TerminalSize initial = Terminal::size();
    updateToolPreview(state, layoutGeometry(state, initial.rows, initial.cols));
    screen.resize(initial.rows, initial.cols);
    Layout layout = drawFrame(state, screen);
    if (!state.shouldQuit) runMainLoop(state, terminal, screen, layout, &keeper);
    Terminal::exit();
    return 0;
}

}  // namespace

int runGlyphloom(const CommandLine& commandLine) {
    if (commandLine.has("--version")) {
        printLine(stdout, "glyphloom " + std::string(glyphloomVersion()));
        return 0;
    }
    if (commandLine.has("--help") || commandLine.has("-h")) {
        printLine(stdout, usageText);
        return 0;
    }
    // Self tests, in a fixed order when several are named.
    if (commandLine.has("--test-preset-roundtrip")) return runPresetRoundTripSelfTest(stdout) ? 0 : 1;
    if (commandLine.has("--test-input")) return runInputSelfTest(stdout) ? 0 : 1;
    if (commandLine.has("--run-audit-tests")) return runAuditSelfTest(stdout) ? 0 : 1;
    if (commandLine.has("--test-codepoint")) return runCodepointSelfTest(stdout) ? 0 : 1;
    if (auto status = runBatchCommand(commandLine, stdout, stderr)) return *status;
    if (commandLine.has("--dump-layout")) {
        AppState state;
        // A developer aid that must work without a terminal: a bad --size is simply ignored.
        if (auto value = commandLine.valuesOf("--size", 1)) {
            if (auto size = parseCanvasSize(value->front())) state.doc = Document::blank(size->rows, size->cols);
        }
        applyLayoutSetupFlags(commandLine, state);
        const TerminalSize size = Terminal::size();
        dumpLayout(state, size.rows, size.cols, stdout);
        return 0;
    }
    if (commandLine.has("--recover")) {
        const std::string folder = recoveryFolder();
        const std::vector<std::string> lines = describeRecoveryCopies(folder);
        if (lines.empty()) printLine(stdout, "no recovery copies in " + folder);
        else printLine(stdout, "recovery copies in " + folder + ", newest first:");
        for (const std::string& line : lines) printLine(stdout, line);
        return 0;
    }
    if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
        printLine(stderr, "glyphloom: needs an interactive terminal (try iTerm2 or xterm)");
        return 1;
    }
    if (auto value = commandLine.valuesOf("--size", 1)) {
        const auto size = parseCanvasSize(value->front());
        if (!size) {
            printLine(stderr, "glyphloom: bad --size, expected COLSxROWS (e.g. 160x50)");
            return 1;
        }
        AppState::defaultDocCols = size->cols;
        AppState::defaultDocRows = size->rows;
    }
    return interactiveStart(commandLine);
}

}  // namespace glyphloom
