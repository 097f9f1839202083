#include "app/command_line.hpp"

#include <gtest/gtest.h>

namespace glyphloom {
namespace command_line_test {

CommandLine cli(std::vector<std::string> rest) {
    rest.insert(rest.begin(), "glyphloom");
    return CommandLine(std::move(rest));
}

TEST(CanvasSize, ParsingAndClamping) {
    struct Case {
        const char* text;
        std::optional<CanvasSize> expected;
    };
    const Case cases[] = {
        {"80x25", CanvasSize{80, 25}},   {"80X25", CanvasSize{80, 25}},   {"5x2", CanvasSize{10, 4}},
        {"999x999", CanvasSize{320, 200}}, {"+100x-3", CanvasSize{100, 4}}, {"x80xx25x", CanvasSize{80, 25}},
        {"80x", std::nullopt},           {"x25", std::nullopt},           {"80x25x3", std::nullopt},
        {"", std::nullopt},              {"80*25", std::nullopt},         {"8a0x25", std::nullopt},
        {"80 x25", std::nullopt},        {"+-5x10", std::nullopt},        {"99999999999999999999x5", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(parseCanvasSize(c.text), c.expected) << c.text;
}

TEST(CommandLine, ValueOptionsUseFirstOccurrenceAndNeedEnoughValues) {
    EXPECT_EQ(cli({"--size", "80x25", "--size", "10x10"}).valuesOf("--size", 1),
              std::vector<std::string>{"80x25"});
    EXPECT_FALSE(cli({"art.ans", "--size"}).valuesOf("--size", 1));
    EXPECT_EQ(cli({"--crop", "a", "1", "2", "b"}).valuesOf("--crop", 4),
              (std::vector<std::string>{"a", "1", "2", "b"}));
    EXPECT_FALSE(cli({"--crop", "a", "1", "2"}).valuesOf("--crop", 4));
    // A later complete occurrence does not rescue a short first one.
    EXPECT_FALSE(cli({"x", "--png", "a"}).valuesOf("--png", 2));
    EXPECT_TRUE(cli({"--png", "a", "--png", "b"}).valuesOf("--png", 2));
}

TEST(CommandLine, FlagsAnywhereButNotTheProgramName) {
    EXPECT_TRUE(cli({"art.ans", "--version"}).has("--version"));
    EXPECT_FALSE(CommandLine(std::vector<std::string>{"--version"}).has("--version"));
}

TEST(CommandLine, FileArgumentSkipsOptionsAndTheirValues) {
    EXPECT_EQ(cli({"--size", "80x25", "art.ans"}).fileArgument(), "art.ans");
    EXPECT_EQ(cli({"--tool", "pen", "--charset", "3", "--saveopts", "a.glyphloom", "b"}).fileArgument(),
              "a.glyphloom");
    EXPECT_EQ(cli({"-h", "x"}).fileArgument(), "-h");  // single-dash words are not options here
    EXPECT_FALSE(cli({"--size"}).fileArgument());
    EXPECT_FALSE(cli({}).fileArgument());
}

TEST(CommandLine, ImageFileNames) {
    for (const char* name : {"a.png", "B.PNG", "c.jpg", "d.JPEG", "e.gif", "f.bmp"}) EXPECT_TRUE(isImageFileName(name));
    for (const char* name : {"a.ans", "png", "a.png.ans", "a.glyphloom"}) EXPECT_FALSE(isImageFileName(name));
}

}  // namespace command_line_test
}  // namespace glyphloom
