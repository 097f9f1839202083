// A configuration folder of the test's own for the lifetime of one object, so tests that
// save presets, the identity or fonts never touch the user's files.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace glyphloom::testing_support {

class ScopedConfigHome {
public:
    explicit ScopedConfigHome(const std::string& tag) {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("glyphloom-" + tag + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) old_ = old;
        ::setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
    }
    ~ScopedConfigHome() {
        if (old_) ::setenv("XDG_CONFIG_HOME", old_->c_str(), 1);
        else ::unsetenv("XDG_CONFIG_HOME");
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScopedConfigHome(const ScopedConfigHome&) = delete;
    ScopedConfigHome& operator=(const ScopedConfigHome&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path fontsFolder() const { return path_ / "glyphloom" / "fonts"; }

private:
    std::filesystem::path path_;
    std::optional<std::string> old_;
};

}  // namespace glyphloom::testing_support
