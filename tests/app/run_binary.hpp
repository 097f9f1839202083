// Runs the real glyphloom binary without a terminal (standard input from /dev/null, both
// output streams captured), for the tests of everything that must work in a pipe.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace glyphloom::test_support {

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

inline std::string shellQuoted(const std::string& arg) {
    std::string out = "'";
    for (char ch : arg) out += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return out + "'";
}

inline RunResult runGlyphloomBinary(const std::vector<std::string>& args) {
    const auto dir = std::filesystem::temp_directory_path();
    const auto outPath = dir / ("glyphloom-run-out-" + std::to_string(::getpid()));
    const auto errPath = dir / ("glyphloom-run-err-" + std::to_string(::getpid()));
    std::string command = shellQuoted(GLYPHLOOM_BINARY);
    for (const auto& arg : args) command += " " + shellQuoted(arg);
    command += " </dev/null >" + shellQuoted(outPath.string()) + " 2>" + shellQuoted(errPath.string());
    const int raw = std::system(command.c_str());
    RunResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = slurp(outPath);
    result.err = slurp(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return result;
}

}  // namespace glyphloom::test_support
