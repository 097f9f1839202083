// Runs the real binary without a terminal: everything checked here must work in a pipe.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/run_binary.hpp"
#include "core/io/recovery_store.hpp"
#include "tui/actions/recovery.hpp"
#include "core/model/version.hpp"

namespace glyphloom {
namespace entry_test {

using Result = test_support::RunResult;

Result run(const std::vector<std::string>& args) { return test_support::runGlyphloomBinary(args); }

const std::string terminalRefusal = "glyphloom: needs an interactive terminal (try iTerm2 or xterm)\n";

TEST(Entry, VersionAnywhereWinsOverEverythingElse) {
    for (auto args : {std::vector<std::string>{"--version"}, {"missing.ans", "--version"}, {"--help", "--version"},
                      {"--size", "bad", "--version"}}) {
        const Result r = run(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, "glyphloom " + std::string(glyphloomVersion()) + "\n");
        EXPECT_EQ(r.err, "");
    }
}

// What users see, byte for byte; kept apart from the source so that an accidental edit shows.
const char* const expectedUsage = R"(glyphloom — Glyphloom16M, the terminal ANSI art studio (16/256/16M colors)

usage: glyphloom [options] [file.(ans|glyphloom|png)]

  file                open a document (.ans, layered .glyphloom, or an
                      image to import as a reference layer)
  --size COLSxROWS    canvas size, 10x4 up to 320x200 (default 160x50)
  --png in out.png    render a document to PNG (VGA look) and exit
  --flatten in.glyphloom out.ans    composite layers to classic .ans
  --crop in.ans R1 R2 out.ans      row-slice a document and exit
  --recover           list the recovery copies of unsaved work and exit
  --version           print version and exit

Also opens UTF-8 art (.utf8.ans, or .ans/.txt without a SAUCE record whose
bytes are UTF-8) and XBin .xb, BinaryText .bin, ArtWorx .adf, iCE Draw .idf,
PCBoard .pcb, Avatar .avt, TundraDraw .tnd (saved as .ans beside the file).

In the editor: the ? button opens the keyboard/mouse crib sheet. Quit with Ctrl-C.
Saves write .ans or layered .glyphloom (+ optional .utf8.ans / .png /
.txt companions — see the save-options box on the ✓ button).
)";

TEST(Entry, HelpPrintsUsageTextExactly) {
    for (const char* flag : {"--help", "-h"}) {
        const Result r = run({"art.ans", flag});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, expectedUsage);
    }
}

TEST(Entry, RefusesToStartWithoutATerminal) {
    for (auto args : {std::vector<std::string>{}, {"--size", "80x25"}, {"--size", "nonsense"}, {"--size"},
                      {"--png", "only-one-value"}}) {
        const Result r = run(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, terminalRefusal);
    }
}

TEST(Entry, RecoverListsTheCopiesWithoutATerminal) {
    const std::string folder = recoveryFolder();  // inside the tests' own state folder
    std::filesystem::remove_all(folder);
    Result r = run({"--recover"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "no recovery copies in " + folder + "\n");

    AppState state;
    state.filename = "harbour";
    state.dirty = true;
    // Process 1 never ends, and a stamp taken now is after it started: the copy reads as in use.
    RecoveryKeeper keeper(folder, 1, recoverySessionStamp());
    ASSERT_TRUE(keeper.writeNow(state));
    r = run({"--recover"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("recovery copies in " + folder + ", newest first:\n", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("  harbour  "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(keeper.copyPath() + "  (editor still running)\n"), std::string::npos) << r.out;
    EXPECT_TRUE(std::filesystem::exists(keeper.copyPath()));  // listing never removes anything
    std::filesystem::remove_all(folder);
}

}  // namespace entry_test
}  // namespace glyphloom
