#include "tui/state/control_ids.hpp"

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

std::string_view controlName(SaveOption option) {
    switch (option) {
        case SaveOption::name: return "name";
        case SaveOption::sauceOn: return "sauceon";
        case SaveOption::sauceRecord: return "sauce";
        case SaveOption::utf8: return "utf8";
        case SaveOption::png: return "png";
        case SaveOption::txt: return "txt";
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
