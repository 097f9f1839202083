#include "tui/actions/recovery.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <thread>

#include "core/io/file_io.hpp"

namespace glyphloom {
namespace recovery_test {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = RecoveryKeeper::Clock;

const ProcessAliveCheck nobodyAlive = [](int, std::uint64_t) { return false; };

class RecoveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("glyphloom-recovery-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    void TearDown() override {
        fs::remove_all(root_);
    }
    std::string folder() const { return (root_ / "recovery").string(); }

    // An editor with unsaved work on two layers and every document setting away from its default.
    static AppState workInProgress() {
        AppState state;
        state.doc = Document::blank(3, 4);
        Layer ink("Ink", CellGrid(3, 4));
        ink.cells.set(2, 3, ANSICell{CellChar("é"), ANSIColorValue::truecolor(1, 2, 3), ANSIColorValue::ansi256(200), true});
        ink.rowOffset = -1;
        ink.colOffset = 2;
        Layer paper("Paper", CellGrid(3, 4));
        paper.visible = false;
        paper.cells.set(0, 0, ANSICell{CellChar("#"), ANSIColorValue::ansi16(3), ANSIColorValue::ansi16(1), false});
        state.doc.layers = {ink, paper};
        state.doc.colorDepth = ColorDepth::truecolor;
        state.doc.blinkingText = true;
        state.doc.monoTint = MonoTint::amber;
        state.tools.charCyclePool = {"░", "▒", "▓"};
        state.doc.sauce.sauceTitleField = "Sunset";
        state.doc.sauce.sauceComments = {"line one", "line two"};
        state.doc.sauce.sauceHistory = {"edited"};
        state.doc.sauce.letterSpacing = LetterSpacing::ninePixel;
        state.doc.sauce.aspectRatio = AspectRatio::square;
        state.doc.sauce.sauceFontName = "IBM VGA50";
        SauceRecord source;
        source.title = "Original";
        source.author = "someone";
        state.doc.sauce.sourceSauce = source;
        state.filename = "sunset";
        state.docDir = "/art";
        state.ownedPath = "/art/sunset.glyphloom";
        state.saveAsGlyphloom = true;
        state.dirty = true;
        return state;
    }

    fs::path root_;
};

TEST_F(RecoveryTest, ACopyBringsBackEveryFieldTheSaveKeeps) {
    AppState before = workInProgress();
    const fs::path art = root_ / "art";
    before.docDir = art.string();
    before.ownedPath = (art / "sunset.glyphloom").string();
    {
        RecoveryKeeper keeper(folder(), 101, 1);
        ASSERT_TRUE(keeper.writeNow(before));
        ASSERT_TRUE(fs::exists(keeper.copyPath()));
        EXPECT_EQ(fs::status(keeper.copyPath()).permissions(), fs::perms::owner_read | fs::perms::owner_write)
            << "a copy is private, whatever the umask";
    }  // the editor is gone; its copy stays
    AppState after;
    RecoveryKeeper next(folder(), 102, 1);
    ASSERT_TRUE(recoverUnsavedWork(after, next, nobodyAlive));

    EXPECT_EQ(after.doc.rows, 3);
    EXPECT_EQ(after.doc.cols, 4);
    EXPECT_EQ(after.doc.layers, before.doc.layers);
    EXPECT_EQ(after.doc.colorDepth, before.doc.colorDepth);
    EXPECT_EQ(after.doc.blinkingText, before.doc.blinkingText);
    EXPECT_EQ(after.doc.monoTint, before.doc.monoTint);
    EXPECT_EQ(after.tools.charCyclePool, before.tools.charCyclePool);
    EXPECT_TRUE(after.doc.sauce == before.doc.sauce);
    EXPECT_EQ(after.filename, "sunset");
    EXPECT_EQ(after.docDir, art.string());
    EXPECT_TRUE(after.saveAsGlyphloom);
    // Still unsaved, and not owned: the first save must not overwrite what now stands there.
    EXPECT_TRUE(after.dirty);
    EXPECT_EQ(after.ownedPath, std::nullopt);
    EXPECT_TRUE(after.undoStack.empty());
    EXPECT_EQ(after.statusNote.value_or("").rfind("recovered unsaved work from 20", 0), 0u) << *after.statusNote;
    // So a save lands beside whatever stands at the old name by now, leaving it be.
    fs::create_directories(art);
    std::ofstream(art / "sunset.glyphloom") << "theirs";
    saveDocument(after);
    EXPECT_TRUE(fs::exists(art / "sunset-1.glyphloom")) << *after.statusNote;
    EXPECT_EQ(readWholeFile((art / "sunset.glyphloom").string(), 100).data,
              (std::vector<std::uint8_t>{'t', 'h', 'e', 'i', 'r', 's'}));
    // The copy is now this editor's, so no other editor opens it as well.
    EXPECT_EQ(listRecoveryCopies(folder()).size(), 1u);
    EXPECT_TRUE(fs::exists(next.copyPath()));
    next.discard();
    EXPECT_TRUE(listRecoveryCopies(folder()).empty());
}

TEST_F(RecoveryTest, CopiesInUseOrUnreadableAreLeftAlone) {
    fs::create_directories(folder());
    std::ofstream(folder() + "/recovery-7-1.glyphloom") << "{\"version\":5,";  // cut short
    AppState running = workInProgress();
    RecoveryKeeper other(folder(), 8, 1);
    ASSERT_TRUE(other.writeNow(running));

    AppState state;
    RecoveryKeeper keeper(folder(), 9, 1);
    EXPECT_FALSE(recoverUnsavedWork(state, keeper, [](int pid, std::uint64_t) { return pid == 8; }));
    EXPECT_FALSE(state.dirty);
    EXPECT_TRUE(fs::exists(folder() + "/recovery-7-1.glyphloom"));
    EXPECT_TRUE(fs::exists(other.copyPath()));
    EXPECT_FALSE(fs::exists(keeper.copyPath()));
}

TEST_F(RecoveryTest, AFailingWriteIsReportedOnceAndNeverStopsTheEditor) {
    // A "folder" that is a file: no account, not even root, can write under it.
    std::ofstream(root_ / "blocked") << "x";
    const struct {
        std::string folder;
        CopyWriter writer;
    } cases[] = {
        {(root_ / "blocked" / "recovery").string(), recoveryCopyWriter()},
        {folder(), [](const std::string&, const ByteProducer&) { return std::string("disk full"); }},
    };
    const auto failureNotes = [](const AppState& state) {
        return std::count_if(state.statusHistory().begin(), state.statusHistory().end(), [](const std::string& note) {
            return note.rfind("couldn't keep a recovery copy: ", 0) == 0;
        });
    };
    for (const auto& c : cases) {
        AppState state = workInProgress();
        RecoveryKeeper now(c.folder, 11, 1, c.writer);
        EXPECT_FALSE(now.writeNow(state));
        EXPECT_EQ(failureNotes(state), 1);

        // In the background: reported when collected, once while it keeps failing.
        AppState other = workInProgress();
        RecoveryKeeper keeper(c.folder, 12, 1, c.writer);
        Clock::time_point t{};
        for (int attempt = 0; attempt < 3; ++attempt) {
            other.statusNote = "painting " + std::to_string(attempt);
            keeper.noteInput(other, t);
            t += 40s;
            keeper.tick(other, t);
            EXPECT_TRUE(keeper.writing()) << attempt;
            for (int wait = 0; wait < 5000 && keeper.writing(); ++wait) {
                std::this_thread::sleep_for(2ms);
                keeper.tick(other, t);
            }
        }
        EXPECT_EQ(failureNotes(other), 1) << c.folder;
        EXPECT_TRUE(other.dirty);
    }
}

TEST_F(RecoveryTest, WritesInTheBackgroundOnlyWhenDueAndDropsTheCopyOnceSaved) {
    int writes = 0;
    CopyWriter counting = [&writes](const std::string& path, const ByteProducer& produce) {
        ++writes;
        return recoveryCopyWriter()(path, produce);
    };
    AppState state = workInProgress();
    RecoveryKeeper keeper(folder(), 12, 1, counting);
    const auto settle = [&](Clock::time_point now) {
        keeper.tick(state, now);
        for (int wait = 0; wait < 5000 && keeper.writing(); ++wait) {
            std::this_thread::sleep_for(2ms);
            keeper.tick(state, now);
        }
    };
    Clock::time_point t{std::chrono::hours(1)};
    keeper.noteInput(state, t);
    EXPECT_EQ(keeper.pollTimeout(state, t), 2000ms);
    settle(t + 1s);
    EXPECT_EQ(writes, 0);  // the user has not paused yet

    state.stroke.paintingStroke = true;
    EXPECT_EQ(keeper.pollTimeout(state, t), std::nullopt);
    settle(t + 5s);
    EXPECT_EQ(writes, 0);  // never in the middle of a stroke
    state.stroke.paintingStroke = false;

    settle(t + 5s);
    EXPECT_EQ(writes, 1);
    EXPECT_TRUE(fs::exists(keeper.copyPath()));
    settle(t + 60s);
    EXPECT_EQ(writes, 1);  // nothing new to keep
    EXPECT_EQ(keeper.pollTimeout(state, t + 60s), std::nullopt);

    state.doc.layers[0].cells.set(0, 0, ANSICell{CellChar("x")});
    settle(t + 20s);
    EXPECT_EQ(writes, 1);  // the last copy is too fresh
    settle(t + 36s);
    EXPECT_EQ(writes, 2);

    // Saved while a write is under way: the copy still goes once that write lands.
    state.doc.layers[0].cells.set(0, 1, ANSICell{CellChar("y")});
    keeper.tick(state, t + 80s);
    EXPECT_TRUE(keeper.writing());
    state.dirty = false;
    keeper.noteInput(state, t + 80s);
    settle(t + 80s);
    EXPECT_FALSE(fs::exists(keeper.copyPath()));
    EXPECT_EQ(writes, 3);
}

TEST_F(RecoveryTest, ACopyDamagedAfterItsDescriptionIsListedButNotOpened) {
    AppState state = workInProgress();
    std::string path;
    {
        RecoveryKeeper keeper(folder(), 14, 1);
        ASSERT_TRUE(keeper.writeNow(state));
        path = keeper.copyPath();
    }
    // Everything after the description becomes garbage, as a disk fault might leave it.
    std::vector<std::uint8_t> data = *readWholeFile(path, 1 << 20).data;
    const std::string text(data.begin(), data.end());
    const std::size_t cut = text.find("\"layers\"");
    ASSERT_NE(cut, std::string::npos);
    ASSERT_LT(text.find("\"recovery\""), cut);
    std::fill(data.begin() + static_cast<std::ptrdiff_t>(cut), data.end(), std::uint8_t{0xC3});
    ASSERT_EQ(writeFileAtomically(path, data), "");

    const auto lines = describeRecoveryCopies(folder(), nobodyAlive);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("  sunset  4×3 · 2 layers  "), std::string::npos) << lines[0];
    AppState next;
    RecoveryKeeper keeper(folder(), 15, 1);
    EXPECT_FALSE(recoverUnsavedWork(next, keeper, nobodyAlive));
    EXPECT_TRUE(fs::exists(path));  // left where it was
}

TEST_F(RecoveryTest, AFolderThatRefusesTheTakeOverStillGivesUpItsCopy) {
    AppState before = workInProgress();
    {
        RecoveryKeeper keeper(folder(), 41, 1);
        ASSERT_TRUE(keeper.writeNow(before));
    }
    const std::string left = folder() + "/" + recoveryFileName(41, 1);
    // The new editor's own name cannot be taken (root passes any permission check, so the
    // refusal is made by something in the way).
    RecoveryKeeper keeper(folder(), 42, 1);
    fs::create_directories(fs::path(keeper.copyPath()) / "in the way");
    AppState after;
    ASSERT_TRUE(recoverUnsavedWork(after, keeper, nobodyAlive));
    EXPECT_EQ(after.doc.layers, before.doc.layers);
    EXPECT_TRUE(after.dirty);
    EXPECT_TRUE(fs::exists(left));  // still there for the next start, until the work is saved
}

TEST_F(RecoveryTest, AFolderWhereNoCopyCanBeKeptIsToldOnce) {
    std::ofstream(root_ / "blocked") << "x";
    AppState state = workInProgress();
    RecoveryKeeper keeper((root_ / "blocked" / "recovery").string(), 43, 1);
    EXPECT_FALSE(checkRecoveryFolder(state, keeper));
    EXPECT_EQ(state.statusNote.value_or(""),
              "no recovery copies can be kept: " + (root_ / "blocked" / "recovery").string() + " is not writable");
    Clock::time_point t{};
    keeper.noteInput(state, t);
    keeper.tick(state, t + 40s);
    for (int wait = 0; wait < 5000 && keeper.writing(); ++wait) {
        std::this_thread::sleep_for(2ms);
        keeper.tick(state, t + 40s);
    }
    for (const std::string& note : state.statusHistory())
        EXPECT_EQ(note.rfind("couldn't keep a recovery copy", 0), std::string::npos) << note;

    AppState fine;
    RecoveryKeeper writable(folder(), 44, 1);
    EXPECT_TRUE(checkRecoveryFolder(fine, writable));
    EXPECT_EQ(fine.statusNote.value_or(""), "");
}

TEST_F(RecoveryTest, OpeningAFileWhoseUnsavedWorkWasKeptSaysSo) {
    AppState before = workInProgress();
    const fs::path art = root_ / "art";
    fs::create_directories(art);
    before.docDir = art.string();
    before.ownedPath = (art / "sunset.glyphloom").string();
    {
        RecoveryKeeper keeper(folder(), 45, 1);
        ASSERT_TRUE(keeper.writeNow(before));
    }
    const auto runningIs = [](bool running) { return [running](int, std::uint64_t) { return running; }; };
    const struct {
        const char* what;
        fs::path opened;
        bool ownerRunning;
        bool told;
    } cases[] = {
        {"the file the work came from", art / "sunset.glyphloom", false, true},
        {"its .ans under the same name", art / "sunset.ans", false, true},
        {"another file", art / "other.ans", false, false},
        {"the same file, its editor still at work", art / "sunset.glyphloom", true, false},
    };
    for (const auto& c : cases) {
        AppState opened;
        opened.filename = c.opened.stem().string();
        opened.docDir = art.string();
        EXPECT_EQ(noteRecoveryCopyOf(c.opened.string(), opened, folder(), runningIs(c.ownerRunning)), c.told) << c.what;
        EXPECT_EQ(isRecoveryCopyNote(opened.statusNote.value_or("")), c.told) << c.what;
    }
}

TEST_F(RecoveryTest, DescribesEachCopy) {
    AppState state = workInProgress();
    RecoveryKeeper keeper(folder(), 13, 1);
    ASSERT_TRUE(keeper.writeNow(state));
    const auto lines = describeRecoveryCopies(folder(), [](int, std::uint64_t) { return true; });
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("  sunset  4×3 · 2 layers  "), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find(keeper.copyPath() + "  (editor still running)"), std::string::npos) << lines[0];
}

}  // namespace recovery_test
}  // namespace glyphloom
