#include "core/io/file_io.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace glyphloom {
namespace file_io_test {

namespace fs = std::filesystem;

class FileIOTest : public ::testing::Test {
   protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("glyphloom-io-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        fs::permissions(folder_, fs::perms::owner_all);
        fs::remove_all(folder_);
    }
    std::string at(const char* name) const { return (folder_ / name).string(); }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }
    fs::path folder_;
};

std::string contents(const FileReadResult& read) {
    return read.data ? std::string(read.data->begin(), read.data->end()) : "<" + read.error + ">";
}

TEST_F(FileIOTest, WriteReplacesWholeFilesAndReadBringsThemBack) {
    const std::string path = at("doc.ans");
    EXPECT_EQ(writeFileAtomically(path, std::string_view("first version, longer")), "");
    EXPECT_EQ(writeFileAtomically(path, std::string_view("second")), "");
    EXPECT_EQ(contents(readWholeFile(path, 100)), "second");
    EXPECT_EQ(entries(), 1u);  // no temporary file left behind
    EXPECT_EQ(writeFileAtomically(path, std::string_view("")), "");
    EXPECT_EQ(contents(readWholeFile(path, 100)), "");
    // Ordinary permissions, not the private ones of a temporary file.
    EXPECT_NE(fs::status(path).permissions() & fs::perms::owner_read, fs::perms::none);
}

TEST_F(FileIOTest, ReadRefusesWhatItCannotOrShouldNotRead) {
    EXPECT_FALSE(readWholeFile(at("missing"), 100).data);
    EXPECT_FALSE(readWholeFile(folder_.string(), 100).data);
    ASSERT_EQ(writeFileAtomically(at("big"), std::string(101, 'x')), "");
    EXPECT_EQ(contents(readWholeFile(at("big"), 100)), "<too large>");
    EXPECT_EQ(contents(readWholeFile(at("big"), 101)), std::string(101, 'x'));
}

TEST_F(FileIOTest, FailedWriteLeavesTheOldFileAndNoTemporary) {
    fs::create_directories(folder_ / "a folder" / "inside");
    EXPECT_NE(writeFileAtomically(at("a folder"), std::string_view("data")), "");
    EXPECT_TRUE(fs::is_directory(folder_ / "a folder" / "inside"));
    EXPECT_NE(writeFileAtomically(at("no/such/folder/file"), std::string_view("data")), "");
    EXPECT_NE(writeFileAtomically("", std::string_view("data")), "");

    ASSERT_EQ(writeFileAtomically(at("kept"), std::string_view("old")), "");
    // The disk fills up part way through: a few bytes go out, then the writes fail.
    int calls = 0;
    const auto diskFull = [&calls](int fd, const char* data, std::size_t size) -> ssize_t {
        if (calls++ == 0) return ::write(fd, data, std::min<std::size_t>(size, 3));
        errno = ENOSPC;
        return -1;
    };
    const std::string replacement = "new and longer";
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(replacement.data()),
                                              replacement.size());
    EXPECT_EQ(writeFileAtomically(at("kept"), bytes, diskFull), std::string("write: ") + std::strerror(ENOSPC));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(contents(readWholeFile(at("kept"), 100)), "old");
    EXPECT_EQ(entries(), 2u);
}

TEST_F(FileIOTest, StreamedWritesReplaceAtomicallyOrNotAtAll) {
    const auto producer = [](std::vector<std::string> pieces, bool finish) -> ByteProducer {
        return [pieces, finish](const ByteSink& sink) {
            for (const std::string& piece : pieces)
                if (!sink({reinterpret_cast<const std::uint8_t*>(piece.data()), piece.size()})) return false;
            return finish;
        };
    };
    for (const Durability durability : {Durability::synced, Durability::cached}) {
        const std::string path = at("copy");
        ASSERT_EQ(writeFileAtomically(path, producer({"old"}, true), durability), "");
        EXPECT_EQ(writeFileAtomically(path, producer({"one, ", "", "two, ", "three"}, true), durability), "");
        EXPECT_EQ(contents(readWholeFile(path, 100)), "one, two, three");
        // A producer that gives up part way leaves the last whole file and no temporary.
        EXPECT_NE(writeFileAtomically(path, producer({"half"}, false), durability), "");
        EXPECT_EQ(contents(readWholeFile(path, 100)), "one, two, three");
        EXPECT_EQ(entries(), 1u);
        fs::remove(path);
    }
}

TEST_F(FileIOTest, ReplacedFilesKeepTheirPermissionsAndNewFilesFollowTheUmask) {
    const auto permissionsOf = [](const std::string& path) { return fs::status(path).permissions(); };
    for (const fs::perms mode : {fs::perms::owner_read | fs::perms::owner_write,
                                 fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
                                 fs::perms::owner_all | fs::perms::others_read}) {
        const std::string path = at("private");
        ASSERT_EQ(writeFileAtomically(path, std::string_view("secret")), "");
        fs::permissions(path, mode);
        ASSERT_EQ(writeFileAtomically(path, std::string_view("still secret")), "");
        EXPECT_EQ(permissionsOf(path), mode);
        EXPECT_EQ(contents(readWholeFile(path, 100)), "still secret");
    }
    // A new file gets what any program's new file gets under the current umask.
    std::ofstream(at("reference")) << "x";
    ASSERT_EQ(writeFileAtomically(at("fresh"), std::string_view("x")), "");
    EXPECT_EQ(permissionsOf(at("fresh")), permissionsOf(at("reference")));
}

TEST_F(FileIOTest, ALinkStaysALinkAndItsTargetIsReplaced) {
    fs::create_directories(folder_ / "real");
    ASSERT_EQ(writeFileAtomically(at("real/art.ans"), std::string_view("old")), "");
    fs::create_symlink("real/art.ans", folder_ / "relative");  // relative to the link's folder
    fs::create_symlink(folder_ / "relative", folder_ / "chained");
    for (const char* link : {"relative", "chained"}) {
        ASSERT_EQ(writeFileAtomically(at(link), std::string_view(link)), "");
        EXPECT_TRUE(fs::is_symlink(folder_ / link)) << link;
        EXPECT_EQ(contents(readWholeFile(at("real/art.ans"), 100)), link);
    }
}

TEST_F(FileIOTest, AFileWithoutWriteBitsIsRefusedEvenForRoot) {
    const std::string path = at("locked.ans");
    ASSERT_EQ(writeFileAtomically(path, std::string_view("keep me")), "");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(writeFileAtomically(path, std::string_view("new")), readOnlyReason);
    EXPECT_EQ(writeOutputFile(path, {}), readOnlyReason);
    EXPECT_EQ(contents(readWholeFile(path, 100)), "keep me");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(FileIOTest, AGivenModeIsTakenAndAReplacedFileKeepsItsOwner) {
    const std::string path = at("copy");
    for (const unsigned mode : {0600u, 0640u}) {  // first a new file, then a replaced one
        ASSERT_EQ(writeFileAtomically(path, std::span<const std::uint8_t>(), WriteOptions{Durability::synced, mode}), "");
        EXPECT_EQ(permissionBits(path), mode);
    }
    if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
    ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
    ASSERT_EQ(writeFileAtomically(path, std::string_view("saved by root")), "");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4322u);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(FileIOTest, AnOutputPipeIsWrittenStraightInto) {
    const std::string pipe = at("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);  // the other end, already open
    ASSERT_GE(reader, 0);
    const std::uint8_t bytes[] = {'p', 'n', 'g'};
    EXPECT_EQ(writeOutputFile(pipe, bytes), "");
    char received[8] = {};
    EXPECT_EQ(::read(reader, received, sizeof received), 3);
    EXPECT_STREQ(received, "png");
    EXPECT_TRUE(fs::is_fifo(pipe));
    ::close(reader);
}

TEST_F(FileIOTest, CreateDirectoriesMakesParentsAndRejectsFiles) {
    EXPECT_TRUE(createDirectories((folder_ / "a" / "b" / "c").string()));
    EXPECT_TRUE(createDirectories((folder_ / "a" / "b" / "c").string()));
    EXPECT_TRUE(fs::is_directory(folder_ / "a" / "b" / "c"));
    ASSERT_EQ(writeFileAtomically(at("plain"), std::string_view("x")), "");
    EXPECT_FALSE(createDirectories((folder_ / "plain" / "sub").string()));
    EXPECT_FALSE(createDirectories(at("plain")));
    EXPECT_TRUE(fileExists(at("plain")));
    EXPECT_FALSE(fileExists(at("nope")));
}

}  // namespace file_io_test
}  // namespace glyphloom

namespace glyphloom {
namespace file_io_test {

TEST(ProgramFolders, XdgVariablesWinUnlessEmpty) {
    struct Case {
        const char* xdg;
        const char* home;
        const char* config;
        const char* state;
    };
    for (const Case& c : {Case{"/x", "/h", "/x/glyphloom", "/x/glyphloom"},
                          Case{nullptr, "/h", "/h/.config/glyphloom", "/h/.local/state/glyphloom"},
                          Case{"", "/h", "/h/.config/glyphloom", "/h/.local/state/glyphloom"}}) {
        EXPECT_EQ(glyphloomConfigFolder(c.xdg, c.home), c.config);
        EXPECT_EQ(glyphloomStateFolder(c.xdg, c.home), c.state);
    }
}

TEST(ReadFileHead, StopsAtTheBoundAndTakesShortFilesWhole) {
    const std::string path = (std::filesystem::temp_directory_path() / ("glyphloom-head-" + std::to_string(::getpid()))).string();
    ASSERT_EQ(writeFileAtomically(path, std::string_view("0123456789")), "");
    const auto text = [](const FileReadResult& r) { return r.data ? std::string(r.data->begin(), r.data->end()) : "-"; };
    EXPECT_EQ(text(readFileHead(path, 4)), "0123");
    EXPECT_EQ(text(readFileHead(path, 100)), "0123456789");
    EXPECT_EQ(text(readFileHead(path + ".missing", 4)), "-");
    std::filesystem::remove(path);
}

TEST(TestHome, UnitTestsRunWithATemporaryHomeAndConfigFolder) {
    // A test that saves settings or an identity must never reach the real account's files.
    const char* home = std::getenv("HOME");
    const char* config = std::getenv("XDG_CONFIG_HOME");
    ASSERT_NE(home, nullptr);
    ASSERT_NE(config, nullptr);
    const std::string temp = std::filesystem::temp_directory_path().string();
    EXPECT_EQ(std::string(home).rfind(temp, 0), 0u) << home;
    EXPECT_EQ(std::string(config).rfind(home, 0), 0u) << config;
    EXPECT_EQ(homeDirectory(), home);
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr) {
        EXPECT_NE(std::string(home), entry->pw_dir);
    }
}

}  // namespace file_io_test
}  // namespace glyphloom
