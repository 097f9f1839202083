// Every tool setting of the editor, declared once: its name, type, range, panel label and
// control, the tools whose drawing reads it, the preset field it is stored in and how to
// reach its value in the settings (tui/state/tool_settings_value). The option panels,
// applying and capturing presets, the tool preview's fingerprint, the preset self test and
// the clamping of values read from a preset all walk this one table, so adding a setting is
// adding a row. The defaults are the settings' initial values.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "tui/state/control_ids.hpp"

namespace glyphloom {

struct ToolSettings;
struct TUIPreset;
enum class Tool;  // core/model/tool_options.hpp

// A set of tools, as a bit per tool.
class ToolSet {
public:
    constexpr ToolSet() = default;
    constexpr ToolSet(std::initializer_list<Tool> tools) {
        for (Tool tool : tools) bits_ |= bit(tool);
    }
    static constexpr ToolSet all() { return ToolSet(~std::uint32_t{0}); }
    constexpr bool contains(Tool tool) const { return (bits_ & bit(tool)) != 0; }
    constexpr bool empty() const { return bits_ == 0; }
    constexpr ToolSet operator|(ToolSet other) const { return ToolSet(bits_ | other.bits_); }
    constexpr ToolSet without(ToolSet other) const { return ToolSet(bits_ & ~other.bits_); }

private:
    constexpr explicit ToolSet(std::uint32_t bits) : bits_(bits) {}
    static constexpr std::uint32_t bit(Tool tool) { return std::uint32_t{1} << static_cast<unsigned>(tool); }
    std::uint32_t bits_ = 0;
};

struct IntRange {
    int min = std::numeric_limits<int>::min();
    int max = std::numeric_limits<int>::max();
    constexpr int clamp(long long value) const {
        return static_cast<int>(value < min ? min : value > max ? max : value);
    }
    friend constexpr bool operator==(IntRange, IntRange) = default;
};

enum class SettingType {
    flag,       // on or off
    number,     // a whole number in `range`
    choice,     // one case of an enumeration, or a small value of choices (brush, fill mode…)
    color,
    character,
    colorList,
    charList,
    groupSet,   // names of character groups
    shapeFill,
};

// Where a setting shows as a stepper or toggle row.
enum class SettingPanel { none, tool, fades };

struct ToolSetting {
    std::string_view name;  // the field of ToolSettings
    SettingType type = SettingType::flag;
    // Whole numbers: every value the setting may hold; a preset's value is clamped into it.
    IntRange range;
    // The reach of the panel's − / + stepper, which may be narrower than `range`.
    IntRange stepRange;
    std::string_view label;  // the panel row's label
    std::optional<StepperId> stepper;
    std::optional<ToggleSetting> toggle;
    SettingPanel panel = SettingPanel::none;
    ToolSet panelTools;   // tool panels showing it (rows in table order)
    ToolSet sampleTools;  // tools whose drawing, and so whose preview sample, reads it
    bool stored = false;  // presets carry it

    // How to reach the value: whole numbers and flags directly (for the steppers and
    // toggles); every setting through the copy of this one setting, the fingerprint and the
    // preset coding.
    int& (*number)(ToolSettings&) = nullptr;
    bool& (*flag)(ToolSettings&) = nullptr;
    void (*copy)(const ToolSettings& from, ToolSettings& to) = nullptr;
    void (*addToKey)(const ToolSettings& settings, std::string& key) = nullptr;
    // Absent preset fields leave the setting alone, except for the settings a preset always
    // sets (the fades and the shape fill), which take their empty value.
    void (*apply)(const ToolSetting& row, const TUIPreset& preset, ToolSettings& settings) = nullptr;
    void (*capture)(const ToolSettings& settings, TUIPreset& preset) = nullptr;
};

// Every tool setting, in panel order.
std::span<const ToolSetting> toolSettings();
// The row behind a stepper or toggle; nothing for the palette's mix channels, which are no
// tool setting. Every other control has its row (checked when the table is compiled).
const ToolSetting* settingFor(StepperId id);
const ToolSetting* settingFor(ToggleSetting id);

// Appends each setting that the drawing of the settings' tool reads, as text no two values
// share.
void addToolSettingsKey(const ToolSettings& settings, std::string& key);
// The preset's fields written into the settings, each clamped into its range.
void applyToolSettings(const TUIPreset& preset, ToolSettings& settings);
// A preset carrying every stored setting's current value.
void captureToolSettings(const ToolSettings& settings, TUIPreset& preset);

}  // namespace glyphloom
