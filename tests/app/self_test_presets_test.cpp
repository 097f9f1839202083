#include "app/self_test_presets.hpp"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace glyphloom {
namespace self_test_presets_test {

std::string readAll(std::FILE* file) {
    std::rewind(file);
    std::string text;
    char buffer[512];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, file)) text.append(buffer, n);
    return text;
}

TEST(PresetRoundTripSelfTest, PassesAndReportsEveryCheck) {
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    EXPECT_TRUE(runPresetRoundTripSelfTest(out));
    const std::string report = readAll(out);
    std::fclose(out);
    EXPECT_EQ(report.find("FAIL"), std::string::npos) << report;
    EXPECT_NE(report.find(" 0 failed"), std::string::npos) << report;
}

// The self test runs from the command line before the terminal is needed, so it works with
// standard input and output redirected.
TEST(PresetRoundTripSelfTest, RunsFromTheCommandLineWithoutATerminal) {
    const std::string command = std::string(GLYPHLOOM_BINARY) + " --test-preset-roundtrip somefile.ans </dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[512];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    const int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << output;
    EXPECT_EQ(output.rfind("preset round-trip self-test:\n", 0), 0u) << output;
}

}  // namespace self_test_presets_test
}  // namespace glyphloom
