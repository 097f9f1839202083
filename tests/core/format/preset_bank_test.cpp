#include "core/format/preset_bank.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/format/builtin_presets.hpp"
#include "core/text/cp437_characters.hpp"

namespace glyphloom {
namespace preset_bank_test {

namespace fs = std::filesystem;

TUIPreset named(const std::string& name) {
    TUIPreset p;
    p.name = name;
    return p;
}

void writeText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

std::string namedBank(int count) {
    std::string text = "[";
    for (int i = 0; i < count; ++i) text += (i ? "," : "") + std::string(R"({"name":"p)") + std::to_string(i) + "\"}";
    return text + "]";
}

class PresetBankFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("glyphloom-bank-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        path_ = (folder_ / "glyphloom" / "presets.json").string();
    }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path folder_;
    std::string path_;
};

TEST(PadBank, AlwaysSixteenSlotsKeepingTheFirst) {
    for (std::size_t size : {0u, 3u, 16u, 20u}) {
        SCOPED_TRACE(size);
        PresetBank bank(size);
        for (std::size_t i = 0; i < size; ++i) bank[i] = named(std::to_string(i));
        const PresetBank padded = padBank(bank);
        ASSERT_EQ(padded.size(), 16u);
        for (std::size_t i = 0; i < 16; ++i) {
            if (i < size)
                EXPECT_EQ(padded[i], bank[i]);
            else
                EXPECT_FALSE(padded[i]);
        }
    }
}

TEST(PresetBankPath, ConfigFolderOrHomeConfig) {
    EXPECT_EQ(presetBankPath("/x/conf", "/home/u"), "/x/conf/glyphloom/presets.json");
    EXPECT_EQ(presetBankPath(nullptr, "/home/u"), "/home/u/.config/glyphloom/presets.json");
    EXPECT_EQ(presetBankPath("", "/home/u"), "/home/u/.config/glyphloom/presets.json");
}

// What each shipped slot holds is the built-in text's business (slot 11 is checked where it
// is applied); here, that the text is a bank the editor can use as it stands.
TEST(BuiltinPresetBank, TwelveShippedSlotsOfKnownToolsThatReadStrictly) {
    const auto bank = builtinPresetBank();
    ASSERT_TRUE(bank);
    ASSERT_EQ(bank->size(), 16u);
    EXPECT_EQ(decodeBankStrictly(builtinPresetBankText()), decodeBankSalvaging(builtinPresetBankText()))
        << "every shipped slot decodes";
    for (std::size_t i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        const auto& slot = (*bank)[i];
        ASSERT_EQ(slot.has_value(), i < 12);
        if (!slot) continue;
        // A real identifier, not one that only falls back to the paint tool.
        ASSERT_TRUE(slot->tool);
        EXPECT_EQ(presetIDForTool(toolForPresetID(*slot->tool)), *slot->tool);
        EXPECT_TRUE(slot->background) << "every slot brings its background";
    }
}

TEST(BuiltinPresetBank, CharacterListsComeFromTheGroups) {
    const auto bank = builtinPresetBank();
    ASSERT_TRUE(bank);
    const auto& slot3 = *(*bank)[3]->charRandomChars;
    const auto& slot10 = *(*bank)[10]->charRandomChars;
    EXPECT_EQ(slot3.size(), 258u);
    EXPECT_EQ(slot10.size(), 54u);
    const auto& groups = CP437Characters::groups();
    // Slot 10: blocks, ASCII art, shades, one after the other.
    std::vector<std::string> expected = groups[0].chars;
    expected.insert(expected.end(), groups[1].chars.begin(), groups[1].chars.end());
    expected.insert(expected.end(), groups[4].chars.begin(), groups[4].chars.end());
    EXPECT_EQ(slot10, expected);
    // Slot 3: no letters, but digits and punctuation.
    for (const std::string& c : slot3) EXPECT_FALSE(c.size() == 1 && std::isalpha(static_cast<unsigned char>(c[0]))) << c;
    EXPECT_EQ(slot3.front(), "█");
    EXPECT_NE(std::find(slot3.begin(), slot3.end(), "7"), slot3.end());
    EXPECT_NE(std::find(slot3.begin(), slot3.end(), "Ω"), slot3.end());
}

TEST_F(PresetBankFile, LoadKeepsTheFirstSixteenOrPadsAShortBank) {
    for (int count : {20, 3}) {
        SCOPED_TRACE(count);
        writeText(path_, namedBank(count));
        const PresetBank bank = loadPresets(path_);
        ASSERT_EQ(bank.size(), 16u);
        for (int i = 0; i < 16; ++i) {
            if (i < count)
                EXPECT_EQ(bank[static_cast<std::size_t>(i)]->name, "p" + std::to_string(i));
            else
                EXPECT_FALSE(bank[static_cast<std::size_t>(i)]);
        }
    }
    EXPECT_FALSE(fs::exists(path_ + ".corrupt"));
}

TEST_F(PresetBankFile, AnUnreadableBankIsSetAsideOnceAndTheBuiltInBankLoads) {
    const std::string first = R"({"name":"an object, not a bank"})";
    writeText(path_, first);
    EXPECT_EQ(loadPresets(path_), *builtinPresetBank());
    EXPECT_EQ(readText(path_ + ".corrupt"), first);
    EXPECT_EQ(readText(path_), first) << "loading never rewrites the bank file";

    // Next start, another broken file: the older backup stays as it was, the new damage is
    // kept beside it, and the user hears where.
    writeText(path_, "[{");
    std::string note;
    EXPECT_EQ(loadPresets(path_, note), *builtinPresetBank());
    EXPECT_EQ(readText(path_ + ".corrupt"), first);
    EXPECT_EQ(readText(path_ + ".corrupt-2"), "[{");
    EXPECT_EQ(note, "presets.json was damaged: set aside as presets.json.corrupt-2");
}

TEST_F(PresetBankFile, NoBankFileGivesTheBuiltInBankAndWritesNothing) {
    EXPECT_EQ(loadPresets(path_), *builtinPresetBank());
    EXPECT_FALSE(fs::exists(folder_));
}

TEST_F(PresetBankFile, PersistCreatesTheFolderAndLoadsBack) {
    PresetBank bank(16);
    bank[13] = named("thirteen");
    bank[13]->character = "▒";
    ASSERT_EQ(persistPresetBank(bank, path_), "");
    EXPECT_EQ(loadPresets(path_), bank);
    // A folder where the file should be: the write fails and says so, nothing is thrown.
    const std::string blocked = (folder_ / "blocked").string();
    fs::create_directories(blocked);
    EXPECT_NE(persistPresetBank(bank, blocked), "");
}

}  // namespace preset_bank_test
}  // namespace glyphloom
