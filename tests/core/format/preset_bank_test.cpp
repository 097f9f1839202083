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
namespace {

namespace fs = std::filesystem;

ANSIColorValue c16(int n) { return ANSIColorValue::ansi16(n); }

TUIPreset named(const std::string& name) {
    TUIPreset p;
    p.name = name;
    return p;
}

std::vector<ANSIColorValue> c16Range(int first, int last) {
    std::vector<ANSIColorValue> colors;
    for (int n = first; n <= last; ++n) colors.push_back(c16(n));
    return colors;
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

TEST(BuiltinPresetBank, SlotsAsShipped) {
    const auto bank = builtinPresetBank();
    ASSERT_TRUE(bank);
    ASSERT_EQ(bank->size(), 16u);
    for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ((*bank)[i].has_value(), i < 12) << "slot " << i;
    EXPECT_EQ(decodeBankStrictly(builtinPresetBankText()), decodeBankSalvaging(builtinPresetBankText()))
        << "every shipped slot decodes";

    struct Expect {
        std::size_t slot;
        const char* tool;
        std::optional<std::string> character;
        std::optional<ANSIColorValue> fg, bg;
    };
    const std::vector<Expect> heads = {
        {0, "paintbrush.fill", "█", c16(15), c16(0)}, {1, "pencil.tip", std::nullopt, c16(11), c16(1)},
        {2, "oval", "▄", c16(6), c16(0)},            {3, "line.diagonal", "▄", c16(6), c16(0)},
        {4, "rectangle", std::nullopt, c16(15), c16(8)}, {5, "drop.fill", "▓", c16(7), c16(0)},
        {6, "scribble", std::nullopt, std::nullopt, c16(0)}, {7, "aqi.medium", std::nullopt, std::nullopt, c16(0)},
        {8, "moon.fill", std::nullopt, c16(8), c16(0)},   {9, "camera.filters", std::nullopt, c16(6), c16(0)},
        {10, "paintbrush.fill", "█", c16(15), c16(0)},    {11, "drop.fill", "█", c16(14), c16(4)},
    };
    for (const auto& e : heads) {
        SCOPED_TRACE(e.slot);
        const TUIPreset& p = *(*bank)[e.slot];
        EXPECT_EQ(p.tool, e.tool);
        EXPECT_EQ(p.character, e.character);
        EXPECT_EQ(p.foreground, e.fg);
        EXPECT_EQ(p.background, e.bg);
    }

    // The shared block of the first four slots, with the rows' own exceptions.
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const TUIPreset& p = *(*bank)[i];
        EXPECT_EQ(p.ovalDrawMode, OvalDrawMode::character());
        EXPECT_EQ(p.boxPenLine, true);
        EXPECT_EQ(p.sprayDensity, 8);
        EXPECT_EQ(p.sprayVariancePct, 0);
        EXPECT_EQ(p.charCycleResetPerStroke, true);
        EXPECT_EQ(p.colorCycleResetPerStroke, false);
        EXPECT_EQ(p.lineThicknessCells, 1);
        EXPECT_EQ(p.paintSimulatedPressureControlsSize, i == 0);
        EXPECT_EQ(p.lineDrawStyle, i == 3 ? LineStyle::none : LineStyle::single);
        EXPECT_EQ(p.lineStitchMode, i == 3 ? LineStitchMode::off : LineStitchMode::stitch);
    }
    EXPECT_FALSE((*bank)[4]->boxPenLine) << "the shared block stops at slot 3";

    const TUIPreset& s0 = *(*bank)[0];
    EXPECT_EQ(s0.fgCycleColors, c16Range(1, 15));
    EXPECT_EQ(s0.fgCycleStep, 9);
    EXPECT_EQ(s0.brushSize, BrushSize::cells(4));
    EXPECT_EQ((*bank)[2]->bgRandomColors, c16Range(0, 15));
    EXPECT_EQ((*bank)[3]->fgRandomColors, (std::vector<ANSIColorValue>{c16(2), c16(10)}));

    const TUIPreset& s5 = *(*bank)[5];
    EXPECT_EQ(s5.fgRandomColors->size(), 8u);
    EXPECT_EQ(s5.fgRandomColors->front(), ANSIColorValue::ansi256(238));
    EXPECT_EQ(s5.fgCycleColors->front(), ANSIColorValue::ansi256(0));
    EXPECT_EQ(s5.charCycleSequence, "GLYphloom");
    EXPECT_EQ(s5.charRandomGroups, std::vector<std::string>{"ASCII Art"});
    EXPECT_EQ(s5.bgCycleColors, std::vector<ANSIColorValue>{});
    EXPECT_EQ(s5.characterCycle, false);
    EXPECT_EQ(s5.characterRandom, true);
    EXPECT_EQ((*bank)[7]->fgCycleColors, c16Range(1, 14));
    EXPECT_EQ((*bank)[10]->fgRandomColors, c16Range(8, 15));
    EXPECT_EQ((*bank)[11]->gradientFill, true);
    EXPECT_EQ((*bank)[11]->gradientDirection, GradientDirection::vertical);
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

}  // namespace
}  // namespace glyphloom
