#include "core/io/file_io.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace glyphloom {
namespace {

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
    if (::geteuid() != 0) {  // root writes into read-only folders anyway
        fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_NE(writeFileAtomically(at("kept"), std::string_view("new")), "");
        fs::permissions(folder_, fs::perms::owner_all);
        EXPECT_EQ(contents(readWholeFile(at("kept"), 100)), "old");
    }
    EXPECT_EQ(entries(), 2u);
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

}  // namespace
}  // namespace glyphloom
