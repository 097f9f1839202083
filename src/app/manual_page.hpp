// The manual page glyphloom(1), in roff. Its option list is read out of the usage text that
// --help prints, so the two cannot drift apart; the commands the usage text leaves out (batch
// inspection, self tests, developer aids) come from a table kept here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace glyphloom {

struct OptionEntry {
    std::string synopsis;     // "--size COLSxROWS"
    std::string description;  // one paragraph
};

// The option lines of a usage text: an entry per line indented by two spaces, with the
// deeper-indented lines below it joined to its description.
std::vector<OptionEntry> usageOptions(std::string_view usage);

// Options the program acts on that the usage text does not list.
const std::vector<OptionEntry>& furtherOptions();

std::string manualPage();

}  // namespace glyphloom
