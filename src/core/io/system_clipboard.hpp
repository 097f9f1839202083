// Reading the host's system clipboard by running its clipboard programs (pbpaste, wl-paste,
// xclip, xsel) through /usr/bin/env, and the bounded child-process capture underneath: every
// attempt has a time limit and a size limit, so a program that never exits or never stops
// writing costs the editor a moment, not the session.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace glyphloom {

inline constexpr std::chrono::milliseconds clipboardAttemptLimit{2000};
inline constexpr std::size_t clipboardMaxBytes = 16u << 20;

// Runs `argv` (argv[0] is the program path, no shell) with standard input and error on the
// null device, and returns what it wrote to standard output when it exits with status 0
// within `limit` and wrote at most `maxBytes`. A child that overstays or overflows is killed
// and reaped; a launch failure gives nothing.
std::optional<std::string> captureProgramOutput(const std::vector<std::string>& argv, std::chrono::milliseconds limit,
                                                std::size_t maxBytes);

// The clipboard programs in the order they are tried, as /usr/bin/env arguments.
const std::vector<std::vector<std::string>>& clipboardCommands();

// The first output that a clipboard program gives with exit status 0 and that is valid UTF-8;
// nothing when no program succeeds. Each attempt gets `perAttempt`.
std::optional<std::string> readSystemClipboard(std::chrono::milliseconds perAttempt = clipboardAttemptLimit);

}  // namespace glyphloom
