#include "core/io/file_ownership.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

namespace glyphloom {
namespace file_ownership_test {

namespace fs = std::filesystem;

TEST(FileOwnership, AFileIsOursOnlyWhileItStandsAsWeLeftIt) {
    const fs::path folder = fs::temp_directory_path() / ("glyphloom-own-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const auto write = [&](const char* name, const char* text) { std::ofstream(folder / name) << text; };
    write("mine", "ours");
    write("theirs", "someone else's");
    write("edited", "ours");
    write("replaced", "ours");
    std::vector<OwnedFile> owned;
    for (const char* name : {"mine", "edited", "replaced", "gone"}) {
        const std::string path = (folder / name).string();
        owned.push_back({path, fileStamp(path).value_or(FileStamp{})});
    }
    write("edited", "ours, and more");  // grew in place
    write("replaced.new", "ours");      // same size, but another file took the name
    fs::rename(folder / "replaced.new", folder / "replaced");

    const struct {
        const char* name;
        FileStanding standing;
    } cases[] = {
        {"mine", FileStanding::owned},     {"theirs", FileStanding::foreign}, {"edited", FileStanding::changed},
        {"replaced", FileStanding::changed}, {"gone", FileStanding::absent},  {"never", FileStanding::absent},
    };
    for (const auto& c : cases) EXPECT_EQ(standingOf((folder / c.name).string(), owned), c.standing) << c.name;
    fs::remove_all(folder);
}

TEST(FileOwnership, ACompanionWrittenBySameSaveIsJustYounger) {
    constexpr std::int64_t second = 1'000'000'000;
    const FileStamp document{0, 0, 0, 1000 * second};
    const std::pair<std::int64_t, bool> cases[] = {{0, true}, {60 * second, true}, {61 * second, false}, {-1, false}};
    for (const auto& [after, alongside] : cases)
        EXPECT_EQ(writtenAlongside(document, FileStamp{0, 0, 0, document.modifiedNs + after}), alongside) << after;
}

}  // namespace file_ownership_test
}  // namespace glyphloom
