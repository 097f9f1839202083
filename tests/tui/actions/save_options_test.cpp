#include "tui/actions/save_options.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tui/input/text_entry.hpp"
#include "tui/state/identity.hpp"
#include "tui/state/overlay_table.hpp"

namespace glyphloom {
namespace save_options_test {

namespace fs = std::filesystem;

// Points the configuration folder at a fresh temporary one for the test's lifetime.
struct ConfigHome {
    fs::path dir;
    std::string previous;
    bool hadPrevious = false;
    ConfigHome() {
        dir = fs::temp_directory_path() / ("glyphloom-save-options-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) previous = old, hadPrevious = true;
        ::setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    }
    ~ConfigHome() {
        if (hadPrevious) ::setenv("XDG_CONFIG_HOME", previous.c_str(), 1);
        else ::unsetenv("XDG_CONFIG_HOME");
        fs::remove_all(dir);
    }
};

TEST(SaveOptions, CompanionTogglesFlipAndAreKeptOnDisk) {
    ConfigHome home;
    AppState s;
    const AppState before = s;
    saveOptionTapped(SaveOption::utf8, s);
    saveOptionTapped(SaveOption::png, s);
    saveOptionTapped(SaveOption::txt, s);
    saveOptionTapped(SaveOption::txt, s);
    EXPECT_EQ(s.exportUTF8, !before.exportUTF8);
    EXPECT_EQ(s.exportPNGOnSave, !before.exportPNGOnSave);
    EXPECT_EQ(s.exportTXTOnSave, before.exportTXTOnSave);
    const LoadedIdentity kept = loadSauceIdentity(identityPath());
    EXPECT_EQ(kept.utf8, s.exportUTF8);
    EXPECT_EQ(kept.png, s.exportPNGOnSave);
    EXPECT_EQ(kept.txt, s.exportTXTOnSave);
}

TEST(SaveOptions, TurningTheRecordOffSaysWhoseCreditIsLost) {
    ConfigHome home;
    AppState s;
    s.doc.writeSauce = true;
    SauceRecord foreign;
    foreign.author = "someone";
    s.doc.sauce.sourceSauce = foreign;
    saveOptionTapped(SaveOption::sauceOn, s);
    EXPECT_FALSE(s.doc.writeSauce);
    EXPECT_EQ(s.statusNote.value_or(""), "no sauce record — " + foreign.creditLine() + " will not be credited");
    saveOptionTapped(SaveOption::sauceOn, s);
    EXPECT_EQ(s.statusNote.value_or(""), "sauce record on");
    EXPECT_TRUE(loadSauceIdentity(identityPath()).sauce);
}

TEST(SaveOptions, AFailedIdentityWriteIsReported) {
    ConfigHome home;
    std::ofstream(home.dir / "glyphloom") << "a file where the folder should be";
    AppState s;
    const bool utf8 = s.exportUTF8;
    saveOptionTapped(SaveOption::utf8, s);
    EXPECT_NE(s.exportUTF8, utf8) << "the setting holds for this session even when it cannot be kept";
    EXPECT_EQ(s.statusNote.value_or("").rfind("identity not saved: ", 0), 0u) << s.statusNote.value_or("");
}

TEST(SaveOptions, NameAndRecordRowsOpenTheirEditors) {
    ConfigHome home;
    AppState s;
    s.filename = "moon.ans";
    saveOptionTapped(SaveOption::name, s);
    EXPECT_EQ(s.prompt, Prompt::forSauceField(SauceEntry::of(SauceField::documentName), "moon.ans"));
    saveOptionTapped(SaveOption::sauceRecord, s);
    EXPECT_TRUE(s.sauceBoxOpen);
    EXPECT_FALSE(fs::exists(identityPath())) << "opening editors changes no setting";
}

TEST(SaveOptions, TheBoxSavesUnderTheTypedNameOrSaysWhatIsMissing) {
    ConfigHome home;
    AppState s;
    s.docDir = home.dir.string();
    s.exportUTF8 = false;
    openOverlay(Overlay::saveOptions, s);
    saveOptionTapped(SaveOption::name, s);
    s.prompt = Prompt::forSauceField(SauceEntry::of(SauceField::documentName), "nowhere/star");
    textEntryKey('\r', s);  // Enter on the name row names and saves
    EXPECT_EQ(s.statusNote.value_or(""), "no such folder: " + (home.dir / "nowhere").string());
    EXPECT_EQ(s.overlay, Overlay::saveOptions);
    saveOptionTapped(SaveOption::name, s);
    s.prompt = Prompt::forSauceField(SauceEntry::of(SauceField::documentName), "sun");
    saveOptionTapped(SaveOption::save, s);  // the box's own control takes the name being typed
    EXPECT_EQ(s.statusNote.value_or(""), "saved sun.ans");
    EXPECT_TRUE(fs::exists(home.dir / "sun.ans"));
    EXPECT_FALSE(s.prompt);
    EXPECT_NE(s.overlay, Overlay::saveOptions);
}

}  // namespace save_options_test
}  // namespace glyphloom
