#include "core/codec/zip.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/codec/zip_test_file.hpp"
#include "core/io/file_io.hpp"

namespace glyphloom {
namespace zip_test {

namespace fs = std::filesystem;
using zip_test::Member;

std::vector<std::string> names(const std::vector<ZipEntry>& entries) {
    std::vector<std::string> out;
    for (const auto& e : entries) out.push_back(e.name);
    return out;
}

std::string text(const ZipEntry& entry) { return std::string(entry.data.begin(), entry.data.end()); }

TEST(Zip, ReadsStoredAndDeflatedMembersInOrder) {
    const std::string big(5000, 'x');
    const auto data = zip_test::archive({{"a.txt", "hello"},
                                         {"dir/", ""},
                                         {"dir/b.tdf", big, true},
                                         {"empty.flf", ""},
                                         {"c.flf", "deflated", true, true}});
    const auto entries = extractZipEntries(data);
    EXPECT_EQ(names(entries), (std::vector<std::string>{"a.txt", "dir/b.tdf", "empty.flf", "c.flf"}));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(text(entries[0]), "hello");
    EXPECT_EQ(text(entries[1]), big);
    EXPECT_EQ(text(entries[2]), "");
    EXPECT_EQ(text(entries[3]), "deflated");
}

TEST(Zip, DamagedOrLyingMembersAreLeftOutAndTheRestKept) {
    const std::string body(3000, 'q');
    struct Case {
        const char* what;
        Member bad;
        std::function<void(std::vector<std::uint8_t>&)> damage;
        const char* reason;
    };
    const Case cases[] = {
        {"corrupt deflate stream", {"bad.tdf", body, true},
         [](auto& d) { for (int i = 40; i < 56; ++i) d[static_cast<std::size_t>(i)] ^= 0xA5; }, "damaged"},
        {"wrong CRC", {"bad.tdf", body}, [](auto& d) { d[14] ^= 1; }, "damaged"},
        {"wrong CRC, deflated", {"bad.tdf", body, true}, [](auto& d) { d[14] ^= 1; }, "damaged"},
        {"declares less than it inflates to", {"bad.tdf", body, true, false, false, 100}, nullptr, "damaged"},
        {"declares more than it inflates to", {"bad.tdf", body, true, false, false, 1u << 20}, nullptr, "damaged"},
        {"declares more than a member may hold", {"bad.tdf", body, true, false, false, 1u << 30}, nullptr,
         "too large"},
        {"ZIP64 marks in the local header", {"bad.tdf", body, true, false, true, 0xFFFFFFFF}, nullptr, "damaged"},
        {"unknown method", {"bad.tdf", body}, [](auto& d) { d[8] = 12; }, "damaged"},
    };
    for (const Case& c : cases) {
        auto data = zip_test::archive({c.bad, {"good.flf", "fine", true}});
        if (c.damage) c.damage(data);
        const ZipContents contents = readZipArchive(data);
        EXPECT_EQ(names(contents.entries), std::vector<std::string>{"good.flf"}) << c.what;
        EXPECT_EQ(contents.skipped, (std::vector<SkippedZipMember>{{"bad.tdf", c.reason}})) << c.what;
    }
}

// Members that inflate in full and then fail their check still spend the budget: an archive
// of them cannot make the reader inflate more than the total limit.
TEST(Zip, DamagedMembersSpendTheBudgetTheyInflate) {
    const std::string full(zipMemberLimit, 'z');
    std::vector<Member> members;
    for (int i = 0; i < 6; ++i) members.push_back({"big" + std::to_string(i) + ".tdf", full, true});
    members.push_back({"small.flf", "fine", true});
    auto data = zip_test::archive(members);
    for (int i = 0; i < 6; ++i) zip_test::breakCRC(data, "big" + std::to_string(i) + ".tdf");
    const ZipContents contents = readZipArchive(data);
    EXPECT_TRUE(contents.entries.empty());
    std::vector<std::string> reasons;
    for (const SkippedZipMember& member : contents.skipped) reasons.push_back(member.reason);
    const std::size_t inflated = zipTotalLimit / zipMemberLimit;
    std::vector<std::string> expected(inflated, "damaged");
    expected.resize(members.size(), "too large");
    EXPECT_EQ(reasons, expected);
}

TEST(Zip, ZIP64MarkedHeadersTakeTheirSizesFromTheDirectory) {
    const auto data = zip_test::archive({{"big.tdf", std::string(2000, 'z'), true, false, true}, {"next.flf", "n"}});
    const auto entries = extractZipEntries(data);
    ASSERT_EQ(names(entries), (std::vector<std::string>{"big.tdf", "next.flf"}));
    EXPECT_EQ(text(entries[0]), std::string(2000, 'z'));
}

TEST(Zip, HostileBytesGiveNothingOrWhatIsWhole) {
    EXPECT_TRUE(extractZipEntries({}).empty());
    const std::vector<std::uint8_t> header{'P', 'K', 3, 4, 0, 0};
    EXPECT_TRUE(extractZipEntries(header).empty());
    auto data = zip_test::archive({{"a.flf", "abc"}, {"b.flf", "def"}});
    // Every cut keeps only whole members that come before it.
    for (std::size_t cut = 0; cut < data.size(); ++cut) {
        const std::vector<std::uint8_t> part(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(cut));
        for (const ZipEntry& entry : extractZipEntries(part))
            EXPECT_TRUE(entry.name == "a.flf" ? text(entry) == "abc" : text(entry) == "def") << cut;
    }
}

TEST(Zip, CorpusArchives) {
    const fs::path folder = fs::path(GLYPHLOOM_CORPUS_DIR) / "zip";
    if (!fs::exists(folder)) GTEST_SKIP() << "no corpus at " << folder;
    const auto mixed = readWholeFile((folder / "fonts-mixed-stored-deflated.zip").string(), 1 << 20);
    ASSERT_TRUE(mixed.data);
    const auto entries = extractZipEntries(*mixed.data);
    EXPECT_EQ(names(entries), (std::vector<std::string>{"fonts/tdf/bigout.tdf", "fonts/tdf/tdfonts_org.tdf",
                                                        "fonts/tdf/4maxx.tdf", "fonts/flf/Filter.flf",
                                                        "fonts/flf/ivrit.flf", "fonts/flf/standard.flf"}));
    const std::size_t sizes[] = {5378, 34049, 20585, 6061, 10999, 28335};
    for (std::size_t i = 0; i < entries.size() && i < std::size(sizes); ++i)
        EXPECT_EQ(entries[i].data.size(), sizes[i]) << entries[i].name;
    const auto original = readWholeFile((fs::path(GLYPHLOOM_CORPUS_DIR) / "tdf" / "bigout.tdf").string(), 1 << 20);
    ASSERT_TRUE(original.data);
    EXPECT_EQ(entries[0].data, *original.data);

    const auto corrupt = readWholeFile((folder / "CORRUPT-deflated-member-bigout.zip").string(), 1 << 20);
    ASSERT_TRUE(corrupt.data);
    EXPECT_EQ(names(extractZipEntries(*corrupt.data)), std::vector<std::string>{"flf/standard.flf"});
}

}  // namespace zip_test
}  // namespace glyphloom
