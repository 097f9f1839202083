// The unit-test binary's entry point: before any test runs, HOME, XDG_CONFIG_HOME and
// XDG_STATE_HOME point into a fresh temporary folder, so no test can read or overwrite a real
// configuration (identity, settings, crash log, file browser start) or recovery copy. The
// folder is removed afterwards.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    std::string folder = (std::filesystem::temp_directory_path() / "glyphloom-tests-home-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        std::cerr << "cannot create a temporary home folder\n";
        return 1;
    }
    const std::string config = folder + "/.config";
    std::filesystem::create_directories(config);
    ::setenv("HOME", folder.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    const std::string state = folder + "/.local/state";
    ::setenv("XDG_STATE_HOME", state.c_str(), 1);

    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return status;
}
