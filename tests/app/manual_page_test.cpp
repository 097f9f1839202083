#include "app/manual_page.hpp"

#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "app/command_line.hpp"

namespace glyphloom {
namespace manual_page_test {

std::string roffName(const std::string& option) {
    std::string out;
    for (char ch : option) out += ch == '-' ? std::string("\\-") : std::string(1, ch);
    return out;
}

std::set<std::string> optionsNamedIn(const std::string& text) {
    std::set<std::string> names;
    const std::regex option(R"((?:^|[\s\[])(--?[a-z][a-z0-9-]*))");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option); it != std::sregex_iterator(); ++it)
        names.insert((*it)[1]);
    return names;
}

TEST(ManualPage, ListsEveryOptionOfTheUsageText) {
    const std::string page = manualPage();
    const std::set<std::string> options = optionsNamedIn(std::string(usageText));
    EXPECT_GE(options.size(), 5u);  // the scan itself works
    for (const std::string& option : options)
        EXPECT_NE(page.find(".B " + roffName(option)), std::string::npos) << option;
}

TEST(ManualPage, ListsEveryOptionTheProgramActsOn) {
    const std::string page = manualPage();
    for (const char* option : {"--version", "--help", "-h", "--size", "--png", "--flatten", "--crop", "--dump-doc",
                               "--dump-cell", "--test-import-presets", "--reexport", "--run-audit-tests",
                               "--test-preset-roundtrip", "--test-input", "--test-codepoint", "--dump-layout"})
        EXPECT_NE(page.find(roffName(option)), std::string::npos) << option;
    EXPECT_EQ(page.rfind(".TH GLYPHLOOM 1 ", 0), 0u);
}

TEST(ManualPage, UsageOptionLinesAndTheirContinuations) {
    const auto entries = usageOptions(
        "title line\n"
        "\n"
        "usage: x [options]\n"
        "  --alpha A    first part\n"
        "               second part\n"
        "  --beta in out    wide gap\n"
        "  file\n"
        "\n"
        "   not an option after a blank line\n"
        "Closing words.");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].synopsis, "--alpha A");
    EXPECT_EQ(entries[0].description, "first part second part");
    EXPECT_EQ(entries[1].synopsis, "--beta in out");
    EXPECT_EQ(entries[1].description, "wide gap");
    EXPECT_EQ(entries[2].synopsis, "file");
    EXPECT_EQ(entries[2].description, "");
}

TEST(ManualPage, TextCannotStartARoffRequest) {
    const std::string page = manualPage();
    // Every line that starts with a dot is one of the requests the page means to use.
    const std::regex request(R"(^\.(TH|SH|TP|B|I) ?)");
    std::size_t start = 0;
    while (start < page.size()) {
        const std::size_t end = page.find('\n', start);
        const std::string line = page.substr(start, end - start);
        if (!line.empty() && line[0] == '.') {
            EXPECT_TRUE(std::regex_search(line, request)) << line;
        }
        start = end == std::string::npos ? page.size() : end + 1;
    }
}

}  // namespace manual_page_test
}  // namespace glyphloom
