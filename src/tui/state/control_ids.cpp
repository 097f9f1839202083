#include "tui/state/control_ids.hpp"

#include "core/text/cp437_characters.hpp"

namespace glyphloom {

std::string controlName(SauceBoxRow row) {
    switch (row.kind) {
        case SauceBoxRowKind::title: return "title";
        case SauceBoxRowKind::author: return "author";
        case SauceBoxRowKind::group: return "group";
        case SauceBoxRowKind::font: return "font";
        case SauceBoxRowKind::spacing: return "spacing";
        case SauceBoxRowKind::aspect: return "aspect";
        case SauceBoxRowKind::comment: return "comment:" + std::to_string(row.line);
        case SauceBoxRowKind::edit: return "edit";
        case SauceBoxRowKind::claim: return "claim";
        case SauceBoxRowKind::cancel: return "cancel";
        case SauceBoxRowKind::done: return "done";
    }
    return "";
}

std::optional<SauceEntry> sauceEntryFor(SauceBoxRow row) {
    switch (row.kind) {
        case SauceBoxRowKind::title: return SauceEntry::of(SauceField::title);
        case SauceBoxRowKind::author: return SauceEntry::of(SauceField::author);
        case SauceBoxRowKind::group: return SauceEntry::of(SauceField::group);
        case SauceBoxRowKind::font: return SauceEntry::of(SauceField::font);
        case SauceBoxRowKind::comment: return SauceEntry::comment(row.line);
        case SauceBoxRowKind::spacing:
        case SauceBoxRowKind::aspect:
        case SauceBoxRowKind::edit:
        case SauceBoxRowKind::claim:
        case SauceBoxRowKind::cancel:
        case SauceBoxRowKind::done: return std::nullopt;
    }
    return std::nullopt;
}

std::string_view controlName(SaveOption option) {
    switch (option) {
        case SaveOption::name: return "name";
        case SaveOption::save: return "save";
        case SaveOption::sauceOn: return "sauceon";
        case SaveOption::sauceRecord: return "sauce";
        case SaveOption::utf8: return "utf8";
        case SaveOption::png: return "png";
        case SaveOption::txt: return "txt";
    }
    return "";
}

std::string_view controlName(StepperId id) {
    switch (id) {
        case StepperId::sprayRadius: return "sprayRadius";
        case StepperId::sprayDensity: return "sprayDensity";
        case StepperId::sprayVary: return "sprayVary";
        case StepperId::prismSteps: return "prismSteps";
        case StepperId::dbStrength: return "dbStrength";
        case StepperId::lineWidth: return "lineWidth";
        case StepperId::scVariance: return "scVariance";
        case StepperId::fadeFgStep: return "fadeFgStep";
        case StepperId::fadeBgStep: return "fadeBgStep";
        case StepperId::fadeChStep: return "fadeChStep";
        case StepperId::tcR: return "tcR";
        case StepperId::tcG: return "tcG";
        case StepperId::tcB: return "tcB";
        case StepperId::tcL: return "tcL";
    }
    return "";
}

namespace {

std::string_view settingName(ToggleSetting setting) {
    switch (setting) {
        case ToggleSetting::round: return "round";
        case ToggleSetting::sprayBG: return "sprayBG";
        case ToggleSetting::velSpray: return "velSpray";
        case ToggleSetting::velDB: return "velDB";
        case ToggleSetting::velPrism: return "velPrism";
        case ToggleSetting::velScatter: return "velScatter";
        case ToggleSetting::velSize: return "velSize";
        case ToggleSetting::autoPan: return "autoPan";
        case ToggleSetting::ownFill: return "ownFill";
        case ToggleSetting::scFG: return "scFG";
        case ToggleSetting::scBG: return "scBG";
        case ToggleSetting::dbFG: return "dbFG";
        case ToggleSetting::dbBG: return "dbBG";
        case ToggleSetting::prFG: return "prFG";
        case ToggleSetting::prBG: return "prBG";
        case ToggleSetting::boxFilled: return "boxFilled";
        case ToggleSetting::boxOutline: return "boxOutline";
        case ToggleSetting::boxPenLine: return "boxPenLine";
        case ToggleSetting::ovalFilled: return "ovalFilled";
        case ToggleSetting::ovalOutline: return "ovalOutline";
        case ToggleSetting::fadeColReset: return "fadeColReset";
        case ToggleSetting::fadeChReset: return "fadeChReset";
        case ToggleSetting::fadeChFwd: return "fadeChFwd";
        case ToggleSetting::fadeChWrap: return "fadeChWrap";
    }
    return "";
}

}  // namespace

std::string controlName(ToggleId id) {
    switch (id.kind) {
        case ToggleId::Kind::setting: return std::string(settingName(id.setting));
        case ToggleId::Kind::glyphBank: return "bank" + std::to_string(id.index);
        case ToggleId::Kind::charGroup: {
            const auto& groups = CP437Characters::groups();
            if (id.index < 0 || id.index >= static_cast<int>(groups.size())) return "fadegrp#" + std::to_string(id.index);
            return "fadegrp." + groups[static_cast<std::size_t>(id.index)].name;
        }
    }
    return "";
}

std::string_view controlName(PaletteChannel channel) {
    switch (channel) {
        case PaletteChannel::fg: return "fg";
        case PaletteChannel::bg: return "bg";
        case PaletteChannel::tcR: return "tcR";
        case PaletteChannel::tcG: return "tcG";
        case PaletteChannel::tcB: return "tcB";
        case PaletteChannel::tcL: return "tcL";
    }
    return "";
}

std::string_view selectActionLabel(SelectAction action) {
    switch (action) {
        case SelectAction::copy: return "Copy";
        case SelectAction::cut: return "Cut";
        case SelectAction::fill: return "Fill";
        case SelectAction::paste: return "Paste";
        case SelectAction::text: return "Text";
    }
    return "";
}

}  // namespace glyphloom
