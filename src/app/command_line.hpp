// The command line: option lookup with the program's rules (value options take their first
// occurrence and only count when enough values follow; flags count anywhere), the canvas
// size argument, the file argument, and the usage text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/canvas_size.hpp"

namespace glyphloom {

extern const std::string_view usageText;

class CommandLine {
public:
    // `args[0]` is the program name, as in argv.
    explicit CommandLine(std::vector<std::string> args) : args_(std::move(args)) {}
    CommandLine(int argc, const char* const* argv);

    bool has(std::string_view flag) const;
    // The `count` arguments after the first occurrence of `option`, when that many follow.
    std::optional<std::vector<std::string>> valuesOf(std::string_view option, std::size_t count) const;
    // The document named on the command line: the first argument that is neither an option
    // nor the value of --size, --tool or --charset.
    std::optional<std::string> fileArgument() const;

    const std::vector<std::string>& args() const { return args_; }

private:
    std::vector<std::string> args_;
};

// File names the editor imports as pictures rather than opening as documents.
bool isImageFileName(std::string_view name);

}  // namespace glyphloom
