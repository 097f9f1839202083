#include "tui/state/sauce_state.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/format/ans_export.hpp"
#include "core/format/ans_import.hpp"
#include "core/io/file_io.hpp"
#include "tui/state/identity.hpp"

namespace glyphloom {
namespace sauce_state_test {

namespace fs = std::filesystem;

// An identity folder of the test's own so nothing touches the user's.
class SauceStateTest : public ::testing::Test {
   protected:
    void SetUp() override {
        config_ = fs::temp_directory_path() / ("glyphloom-sauce-" + std::to_string(::getpid()));
        fs::remove_all(config_);
        const char* old = std::getenv("XDG_CONFIG_HOME");
        if (old != nullptr) oldConfig_ = old;
        ::setenv("XDG_CONFIG_HOME", config_.c_str(), 1);
    }
    void TearDown() override {
        if (oldConfig_)
            ::setenv("XDG_CONFIG_HOME", oldConfig_->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        fs::remove_all(config_);
    }
    fs::path config_;
    std::optional<std::string> oldConfig_;
};

SauceRecord foreignRecord() {
    SauceRecord r;
    r.title = "Dawn";
    r.author = "ace";
    r.group = "ACiD";
    r.date = "19960101";
    r.flags = 0b10101;  // iCE, 9 pixel, square
    r.fontName = "IBM VGA50";
    r.comments = {"Original artwork by zed, 1990", "hello", ""};
    return r;
}

CellGrid cellsWithBlink(bool blink) {
    CellGrid cells(4, 10);
    ANSICell c;
    c.blink = blink;
    cells.set(1, 1, c);
    return cells;
}

TEST_F(SauceStateTest, AdoptingASignedRecordOpensViewOnly) {
    AppState state;
    adoptSauce(state, foreignRecord(), cellsWithBlink(false));
    EXPECT_TRUE(state.viewOnly);
    EXPECT_TRUE(state.doc.writeSauce);
    EXPECT_EQ(state.doc.sauce.sourceSauce, foreignRecord());
    EXPECT_EQ(state.doc.sauce.sauceTitleField, "Dawn");
    EXPECT_EQ(state.doc.sauce.sauceHistory, (std::vector<std::string>{"Original artwork by zed, 1990"}));
    EXPECT_EQ(state.doc.sauce.sauceComments, (std::vector<std::string>{"hello", ""}));
    EXPECT_EQ(state.doc.sauce.letterSpacing, LetterSpacing::ninePixel);
    EXPECT_EQ(state.doc.sauce.aspectRatio, AspectRatio::square);
    EXPECT_EQ(state.doc.sauce.sauceFontName, "IBM VGA50");
    EXPECT_EQ(state.statusNote.value_or(""), "credited to ace of ACiD — kept on export");
    EXPECT_EQ(sauceRecordState(state), SauceRecordState::foreign);
    EXPECT_EQ(sauceRowLabel(state), "view");
}

TEST_F(SauceStateTest, AdoptingABareRecordOrNoneLeavesTheDocumentEditable) {
    SauceRecord bare;
    bare.tInfo1 = 132;
    bare.flags = 0b10010;
    AppState state;
    state.viewOnly = true;
    state.doc.sauce.sauceComments = {"old"};
    adoptSauce(state, bare, cellsWithBlink(false));
    EXPECT_FALSE(state.viewOnly);
    EXPECT_FALSE(state.doc.writeSauce);
    EXPECT_EQ(state.doc.sauce.sauceFontName, "IBM VGA");
    EXPECT_TRUE(state.doc.sauce.sauceComments.empty());
    EXPECT_FALSE(state.statusNote.has_value());

    state.doc.writeSauce = true;  // the user's own choice survives a file without a record
    state.doc.sauce.sauceTitleField = "old";
    state.doc.sauce.letterSpacing = LetterSpacing::eightPixel;
    state.doc.blinkingText = true;
    adoptSauce(state, std::nullopt, cellsWithBlink(true));
    EXPECT_TRUE(state.doc.writeSauce);
    EXPECT_FALSE(state.doc.sauce.sourceSauce);
    EXPECT_EQ(state.doc.sauce.sauceTitleField, "");
    EXPECT_EQ(state.doc.sauce.letterSpacing, LetterSpacing::noPreference);
    EXPECT_FALSE(state.doc.blinkingText);
}

TEST_F(SauceStateTest, BlinkingTextOnlyForNonICERecordsWithBlinkingCells) {
    struct Case {
        bool hasRecord;
        std::uint8_t flags;
        bool blink;
        bool blinkingText;
    };
    for (const Case c : {Case{true, 0, true, true}, Case{true, 0, false, false}, Case{true, 1, true, false},
                         Case{false, 0, true, false}}) {
        AppState state;
        SauceRecord r;
        r.flags = c.flags;
        adoptSauce(state, c.hasRecord ? std::optional(r) : std::nullopt, cellsWithBlink(c.blink));
        EXPECT_EQ(state.doc.blinkingText, c.blinkingText) << c.hasRecord << int(c.flags) << c.blink;
    }
}

TEST_F(SauceStateTest, ExportedRecordKeepsAForeignCreditWithItsDate) {
    AppState state;
    state.sauceAuthor = "me";
    state.sauceGroup = "us";
    adoptSauce(state, foreignRecord(), cellsWithBlink(false));
    const SauceRecord out = exportSauce(state, "file");
    EXPECT_EQ(out.title, "Dawn");
    EXPECT_EQ(out.author, "ace");
    EXPECT_EQ(out.group, "ACiD");
    EXPECT_EQ(out.date, "19960101");
    EXPECT_EQ(out.flags, 0b10100);  // hints kept, iCE left to the writer
    EXPECT_EQ(out.fontName, "IBM VGA50");
    EXPECT_EQ(out.comments, (std::vector<std::string>{"Original artwork by zed, 1990", "hello", ""}));
    EXPECT_EQ(out.tInfo1, 0);
    EXPECT_EQ(out.dataType, 1);
}

TEST_F(SauceStateTest, ExportedRecordWithoutACreditedSourceIsTheUsers) {
    AppState state;
    state.sauceAuthor = "me";
    state.sauceGroup = "us";
    SauceRecord out = exportSauce(state, "file");
    EXPECT_EQ(out.title, "file");
    EXPECT_EQ(out.author, "me");
    EXPECT_EQ(out.group, "us");
    EXPECT_EQ(out.date, "");
    EXPECT_EQ(out.flags, 18);
    EXPECT_EQ(out.fontName, "IBM VGA");

    // A record with only a title does not displace the user's credit.
    SauceRecord titled;
    titled.title = "Only a title";
    titled.flags = 0b110;  // undefined spacing
    adoptSauce(state, titled, cellsWithBlink(false));
    out = exportSauce(state, "file");
    EXPECT_EQ(out.author, "me");
    EXPECT_EQ(out.title, "Only a title");
    EXPECT_EQ(out.flags, 0);
    // An empty font in the source stays empty unless the user picked another font.
    EXPECT_EQ(out.fontName, "");

    state.doc.sauce.sauceTitleField.clear();
    EXPECT_EQ(exportSauce(state, "file").title, "file");
    state.doc.sauce.sauceFontName = "Topaz";
    EXPECT_EQ(exportSauce(state, "file").fontName, "Topaz");
    state.doc.sauce.sauceFontName = "";
    state.doc.sauce.sourceSauce.reset();
    EXPECT_EQ(exportSauce(state, "file").fontName, "IBM VGA");
}

TEST_F(SauceStateTest, ClaimingMovesTheCreditIntoHistory) {
    AppState state;
    state.sauceAuthor = "me";
    state.sauceGroup = "us";
    adoptSauce(state, foreignRecord(), cellsWithBlink(false));
    claimSauceAuthorship(state);
    EXPECT_FALSE(state.doc.sauce.sourceSauce);
    EXPECT_FALSE(state.viewOnly);
    EXPECT_EQ(state.doc.sauce.sauceHistory, (std::vector<std::string>{"Original artwork by zed, 1990",
                                                            "Original artwork \"Dawn\" by ace of ACiD, 19960101"}));
    EXPECT_EQ(state.doc.sauce.sauceComments, (std::vector<std::string>{"hello", ""}));
    EXPECT_EQ(state.statusNote.value_or(""), "record is yours — ace of ACiD kept in its history");
    EXPECT_EQ(sauceRowLabel(state), "edit");

    const SauceRecord out = exportSauce(state, "file");
    EXPECT_EQ(out.author, "me");
    EXPECT_EQ(out.group, "us");
    EXPECT_EQ(out.date, "");
    EXPECT_EQ(out.flags, 18);
    EXPECT_EQ(out.comments.front(), "Original artwork by zed, 1990");

    // Nothing to claim any more.
    const auto history = state.doc.sauce.sauceHistory;
    claimSauceAuthorship(state);
    EXPECT_EQ(state.doc.sauce.sauceHistory, history);
}

TEST_F(SauceStateTest, RecordStateAndRowLabel) {
    struct Case {
        const char* name;
        void (*setup)(AppState&);
        SauceRecordState expected;
    };
    const std::vector<Case> cases = {
        {"fresh", [](AppState&) {}, SauceRecordState::none},
        {"author", [](AppState& s) { s.sauceAuthor = "a"; }, SauceRecordState::yours},
        {"history", [](AppState& s) { s.doc.sauce.sauceHistory = {"x"}; }, SauceRecordState::yours},
        {"aspect", [](AppState& s) { s.doc.sauce.aspectRatio = AspectRatio::legacy; }, SauceRecordState::yours},
        {"uncredited source", [](AppState& s) { s.doc.sauce.sourceSauce = SauceRecord{}; }, SauceRecordState::none},
        {"credited source",
         [](AppState& s) {
             SauceRecord r;
             r.group = "g";
             s.doc.sauce.sourceSauce = r;
         },
         SauceRecordState::foreign},
    };
    for (const auto& c : cases) {
        AppState state;
        c.setup(state);
        EXPECT_EQ(sauceRecordState(state), c.expected) << c.name;
    }
    AppState state;
    EXPECT_EQ(sauceRowLabel(state), "create");
}

TEST_F(SauceStateTest, CreditLabel) {
    AppState state;
    state.doc.sauce.sauceTitleField = "Dawn";
    state.sauceAuthor = "ace";
    state.doc.writeSauce = true;
    EXPECT_FALSE(sauceCreditLabel(state));  // never saved, no source: nothing to show
    state.ownedPath = "/tmp/x.ans";
    EXPECT_EQ(sauceCreditLabel(state), "Dawn · ace");
    state.doc.writeSauce = false;
    EXPECT_FALSE(sauceCreditLabel(state));

    state.doc.writeSauce = true;
    state.ownedPath.reset();
    state.doc.sauce.sourceSauce = foreignRecord();
    EXPECT_EQ(sauceCreditLabel(state), "Dawn · ace of ACiD");
    state.doc.sauce.sourceSauce->title = "  ";
    EXPECT_EQ(sauceCreditLabel(state), "ace of ACiD");
    state.doc.sauce.sourceSauce = SauceRecord{};  // no credit: the user's fields
    state.doc.sauce.sauceTitleField = "";
    state.sauceAuthor = "";
    state.sauceGroup = " crew ";
    EXPECT_EQ(sauceCreditLabel(state), "crew");
    state.sauceGroup = "";
    EXPECT_FALSE(sauceCreditLabel(state));
}

TEST_F(SauceStateTest, CommittingCommentLines) {
    AppState state;
    state.doc.sauce.sauceComments = {"zero", "one"};
    state.sauceGroup = "g";
    auto commit = [&state](SauceEntry entry, const std::string& text) {
        commitSauceEntry(entry, text, state);
    };
    commit(SauceEntry::comment(0), "");
    EXPECT_EQ(state.doc.sauce.sauceComments, (std::vector<std::string>{"one"}));
    commit(SauceEntry::comment(0), std::string(100, 'x'));
    EXPECT_EQ(state.doc.sauce.sauceComments, (std::vector<std::string>{std::string(64, 'x')}));
    commit(SauceEntry::comment(5), "  appended  ");
    EXPECT_EQ(state.doc.sauce.sauceComments.back(), "appended");
    commit(SauceEntry::comment(7), "   ");
    EXPECT_EQ(state.doc.sauce.sauceComments.size(), 2u);
    state.doc.sauce.sauceComments.resize(255, "line");
    commit(SauceEntry::comment(255), "refused");
    EXPECT_EQ(state.doc.sauce.sauceComments.size(), 255u);
    EXPECT_EQ(state.doc.sauce.sauceComments.back(), "line");

    commit(SauceEntry::of(SauceField::title), "  Dawn ");
    EXPECT_EQ(state.doc.sauce.sauceTitleField, "Dawn");
    commit(SauceEntry::of(SauceField::font), "Topaz");
    EXPECT_EQ(state.doc.sauce.sauceFontName, "Topaz");
    EXPECT_EQ(state.sauceGroup, "g");
}

TEST_F(SauceStateTest, CommittingTheNameKeepsOnlyWhatAFileNameMayHold) {
    struct Case {
        const char* typed;
        const char* name;
    };
    for (const Case c :
         {Case{"my/art:v2", "myartv2"}, Case{" a*b?c\"d<e>f|g,h\\i ", "abcdefghi"}, Case{"tab\there", "tabhere"},
          Case{"été ░", "été ░"}, Case{" / ", "Untitled"}, Case{"", "Untitled"}}) {
        AppState state;
        commitSauceEntry(SauceEntry::of(SauceField::documentName), c.typed, state);
        EXPECT_EQ(state.filename, c.name) << c.typed;
    }
}

TEST_F(SauceStateTest, CommittingAuthorOrGroupPersistsTheIdentity) {
    AppState state;
    state.exportPNGOnSave = true;
    state.fkeyBankIndex = 2;
    commitSauceEntry(SauceEntry::of(SauceField::author), "ace", state);
    commitSauceEntry(SauceEntry::of(SauceField::group), "ACiD", state);
    EXPECT_EQ(state.sauceAuthor, "ace");
    const LoadedIdentity loaded = loadSauceIdentity();
    EXPECT_EQ(loaded.author, "ace");
    EXPECT_EQ(loaded.group, "ACiD");
    EXPECT_TRUE(loaded.png);
    EXPECT_EQ(loaded.bank, 2);
    EXPECT_FALSE(state.statusNote.has_value());
}

TEST_F(SauceStateTest, IdentityThatCannotBeWrittenIsReportedAndKeptInMemory) {
    // A file where the folder should be makes the configuration folder impossible.
    fs::create_directories(config_);
    ASSERT_TRUE(writeFileAtomically((config_ / "glyphloom").string(), std::string_view("not a folder")).empty());
    AppState state;
    commitSauceEntry(SauceEntry::of(SauceField::author), "ace", state);
    EXPECT_EQ(state.sauceAuthor, "ace");
    EXPECT_TRUE(state.statusNote.value_or("").starts_with("identity not saved: ")) << state.statusNote.value_or("");
}

TEST_F(SauceStateTest, ClaimedArtSavesWithTheUsersCreditAndTheOriginalInItsHistory) {
    AppState state;
    state.sauceAuthor = "me";
    const CellGrid cells(4, 80);
    adoptSauce(state, foreignRecord(), cells);
    claimSauceAuthorship(state);
    const auto data =
        exportANSFileData(cells, "file", state.sauceAuthor, state.sauceGroup, exportSauce(state, "file"),
                          state.doc.writeSauce, !state.doc.blinkingText, false, [] { return std::string("20250505"); });
    const auto again = importANSFile(data, false);
    ASSERT_TRUE(again && again->sauce);
    EXPECT_EQ(again->sauce->creditLine(), "me");
    EXPECT_EQ(again->sauce->date, "20250505");
    EXPECT_EQ(again->sauce->historyLines().back(), "Original artwork \"Dawn\" by ace of ACiD, 19960101");
    EXPECT_EQ(again->cells, cells);
}

}  // namespace sauce_state_test
}  // namespace glyphloom
