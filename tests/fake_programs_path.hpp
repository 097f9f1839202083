// A PATH of the test's own for the lifetime of one object: a fresh folder holding only the
// shell scripts the test writes, so programs looked up by name (the clipboard readers) are
// the test's fakes or missing altogether.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace glyphloom::testing_support {

class FakeProgramsPath {
public:
    FakeProgramsPath() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("glyphloom-bin-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
        if (const char* old = std::getenv("PATH")) old_ = old;
        ::setenv("PATH", path_.c_str(), 1);
    }
    ~FakeProgramsPath() {
        if (old_) ::setenv("PATH", old_->c_str(), 1);
        else ::unsetenv("PATH");
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    FakeProgramsPath(const FakeProgramsPath&) = delete;
    FakeProgramsPath& operator=(const FakeProgramsPath&) = delete;

    // An executable `name` running `body` under /bin/sh. Nothing else is on PATH, so bodies
    // name their programs by full path.
    void add(const std::string& name, const std::string& body) {
        const std::filesystem::path file = path_ / name;
        std::ofstream(file) << "#!/bin/sh\n" << body << "\n";
        std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    }

private:
    std::filesystem::path path_;
    std::optional<std::string> old_;
};

}  // namespace glyphloom::testing_support
