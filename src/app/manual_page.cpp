#include "app/manual_page.hpp"

#include "app/command_line.hpp"
#include "core/model/version.hpp"

namespace glyphloom {
namespace {

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Text safe in roff: backslashes and hyphens escaped, no line starting a request.
std::string roff(std::string_view text) {
    std::string out;
    for (char ch : text) {
        if (ch == '\\')
            out += "\\e";
        else if (ch == '-')
            out += "\\-";
        else
            out += ch;
    }
    if (!out.empty() && (out.front() == '.' || out.front() == '\'')) out.insert(0, "\\&");
    return out;
}

void appendEntries(std::string& page, const std::vector<OptionEntry>& entries) {
    for (const OptionEntry& entry : entries) {
        page += ".TP\n.B " + roff(entry.synopsis) + "\n" + roff(entry.description) + "\n";
    }
}

}  // namespace

std::vector<OptionEntry> usageOptions(std::string_view usage) {
    std::vector<OptionEntry> entries;
    bool inEntry = false;
    for (std::string_view line : linesOf(usage)) {
        const bool option = line.size() > 2 && line.substr(0, 2) == "  " && line[2] != ' ';
        const bool continuation = inEntry && line.size() > 3 && line.substr(0, 3) == "   ";
        if (option) {
            // The synopsis ends where a run of two or more spaces starts the description.
            const std::string_view body = line.substr(2);
            const auto gap = body.find("  ");
            OptionEntry entry;
            entry.synopsis = std::string(trimmed(body.substr(0, gap)));
            if (gap != std::string_view::npos) entry.description = std::string(trimmed(body.substr(gap)));
            entries.push_back(std::move(entry));
            inEntry = true;
        } else if (continuation) {
            entries.back().description += " " + std::string(trimmed(line));
        } else {
            inEntry = false;
        }
    }
    return entries;
}

const std::vector<OptionEntry>& furtherOptions() {
    static const std::vector<OptionEntry> entries = {
        {"--help, -h", "print the usage text and exit"},
        {"--dump-doc FILE", "print the characters of the flattened document, one line per row, and exit"},
        {"--dump-cell FILE ROW COL",
         "print the character, foreground and background of one cell (0-based row and column), separated by tabs, "
         "and exit"},
        {"--test-import-presets FILE [--reexport OUT]",
         "decode FILE as a preset bank, apply its first slot and print a line starting IMPORT-PRESETS; with "
         "--reexport, write that preset as a one-slot bank to OUT"},
        {"--run-audit-tests", "run the built-in audit self test (compositing, .ans and PNG round trips, SAUCE credit, "
                              "save ownership, undo depth, preset salvage) in a temporary settings folder"},
        {"--test-preset-roundtrip", "run the built-in preset coding self test"},
        {"--test-input", "run the built-in terminal input decoder self test"},
        {"--test-codepoint", "run the built-in code point entry self test"},
        {"--dump-layout [--tool NAME] [--panel] [--layers] ...",
         "developer aid: print the clickable regions of one composed frame for the panels named"},
    };
    return entries;
}

std::string manualPage() {
    const std::vector<std::string_view> lines = linesOf(usageText);
    std::string page = ".TH GLYPHLOOM 1 \"\" \"glyphloom " + std::string(glyphloomVersion()) + "\" \"User Commands\"\n";
    page += ".SH NAME\nglyphloom \\- the terminal ANSI art studio (16/256/16M colors)\n";
    page += ".SH SYNOPSIS\n.B glyphloom\n[options] [file]\n";
    page += ".SH DESCRIPTION\n";
    page += "A full-screen ANSI-art editor for text terminals. It reads and writes classic .ans files "
            "(CP437 with SAUCE records) and layered .glyphloom documents, and imports PNG images. It also opens "
            "UTF-8 art and the picture formats art packs hold: XBin (.xb), BinaryText (.bin), ArtWorx (.adf), "
            "iCE Draw (.idf), PCBoard (.pcb), Avatar (.avt) and TundraDraw (.tnd); the first save of such a file "
            "writes .ans beside it. The same program converts and inspects documents "
            "without a terminal.\n";
    page += ".SH OPTIONS\n";
    appendEntries(page, usageOptions(usageText));
    page += ".SH BATCH COMMANDS AND SELF TESTS\n";
    page += "These run without a terminal and end the process. A batch command with too few values after it "
            "is ignored.\n";
    appendEntries(page, furtherOptions());
    // The closing paragraph of the usage text: how to use the editor itself.
    page += ".SH USAGE\n";
    bool closing = false;
    std::string paragraph;
    for (std::string_view line : lines) {
        if (line.rfind("In the editor", 0) == 0) closing = true;
        if (closing) paragraph += (paragraph.empty() ? "" : " ") + std::string(trimmed(line));
    }
    page += roff(paragraph) + "\n";
    page += ".SH EXIT STATUS\n0 on success and when every self-test check passed; 1 on a problem, which is "
            "reported on standard error as one line beginning \"glyphloom: \", and when a self test failed.\n";
    page += ".SH ENVIRONMENT\n.TP\n.B XDG_CONFIG_HOME, HOME\nThe settings folder is $XDG_CONFIG_HOME/glyphloom, "
            "else ~/.config/glyphloom.\n.TP\n.B COLORTERM\nSelects 24-bit output of the 16 classic colours.\n";
    page += ".SH FILES\n.TP\n.I ~/.config/glyphloom/presets.json\nThe sixteen preset slots.\n.TP\n"
            ".I ~/.config/glyphloom/identity.json\nYour SAUCE name, group and save options.\n.TP\n"
            ".I ~/.config/glyphloom/fonts/\nImported TheDraw and FIGlet fonts.\n.TP\n"
            ".I ~/.glyphloom\\-crash.log\nDiagnostics of interactive sessions.\n";
    return page;
}

}  // namespace glyphloom
