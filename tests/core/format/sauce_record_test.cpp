#include "core/format/sauce_record.hpp"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace glyphloom {
namespace sauce_record_test {

SauceRecord fullRecord() {
    SauceRecord r;
    r.title = "Dawn over the Lake";
    r.author = "ace";
    r.group = "Blocktronics";
    r.date = "19960412";
    r.dataType = 1;
    r.fileType = 1;
    r.tInfo1 = 160;
    r.tInfo2 = 708;
    r.tInfo3 = 12;
    r.tInfo4 = 65535;
    r.flags = 0b10101;
    r.fontName = "IBM VGA50";
    r.comments = {"Original artwork by someone, 19950101", "greets to the crew", "café ░▒▓█"};
    return r;
}

std::vector<std::uint8_t> fileWith(const std::string& body, const SauceRecord& record) {
    std::vector<std::uint8_t> data(body.begin(), body.end());
    const auto trailer = sauceRecordData(record, static_cast<std::uint32_t>(data.size()));
    data.insert(data.end(), trailer.begin(), trailer.end());
    return data;
}

TEST(SauceRecord, EveryFieldSurvivesWriteAndRead) {
    const SauceRecord record = fullRecord();
    const auto data = fileWith("art", record);
    // Art, end-of-file marker, "COMNT" with three lines, the record.
    ASSERT_EQ(data.size(), 3u + 1 + 5 + 3 * 64 + 128);
    EXPECT_EQ(data[3], 0x1A);
    const auto found = readSauce(data);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->record, record);
    EXPECT_EQ(found->recordStart, data.size() - 128);
    EXPECT_EQ(found->bodyEnd, 4u);
    // The file size field holds the body size.
    EXPECT_EQ(data[found->recordStart + 90], 3);
    EXPECT_EQ(data[found->recordStart + 91], 0);
}

TEST(SauceRecord, RecordWithoutCommentsEndsTheBodyAtTheRecord) {
    SauceRecord record;
    record.title = "t";
    const auto data = fileWith("body", record);
    ASSERT_EQ(data.size(), 4u + 1 + 128);
    const auto found = readSauce(data);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->bodyEnd, found->recordStart);
    EXPECT_TRUE(found->record.comments.empty());
}

TEST(SauceRecord, MisplacedOrDamagedRecordsReadAsNone) {
    const auto good = fileWith("", SauceRecord{});
    EXPECT_FALSE(readSauce(std::vector<std::uint8_t>(good.begin() + 2, good.end())));  // 127 bytes
    EXPECT_FALSE(readSauce({}));
    auto wrongId = good;
    wrongId[1 + 5] = '1';  // "SAUCE10"
    EXPECT_FALSE(readSauce(wrongId));
    auto trailing = good;
    trailing.push_back('\n');  // the record must be the last 128 bytes
    EXPECT_FALSE(readSauce(trailing));
    // Exactly 128 bytes is a record with an empty body.
    const auto bare = readSauce(std::vector<std::uint8_t>(good.begin() + 1, good.end()));
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->recordStart, 0u);
}

TEST(SauceRecord, CommentCountWithoutItsBlockIsIgnored) {
    SauceRecord record = fullRecord();
    auto data = fileWith(std::string(300, 'x'), record);
    // Overwrite "COMNT" so that the count of 3 has no block behind it.
    const std::size_t block = data.size() - 128 - 5 - 3 * 64;
    data[block] = 'X';
    auto found = readSauce(data);
    ASSERT_TRUE(found);
    EXPECT_TRUE(found->record.comments.empty());
    EXPECT_EQ(found->bodyEnd, found->recordStart);

    // A count whose block would start before the file.
    record.comments.clear();
    auto tiny = fileWith("", record);
    tiny[tiny.size() - 128 + 104] = 200;
    found = readSauce(tiny);
    ASSERT_TRUE(found);
    EXPECT_TRUE(found->record.comments.empty());
}

TEST(SauceRecord, TextFieldsLosePaddingButFontNamesKeepBlanks) {
    std::vector<std::uint8_t> data(128, 0);
    const std::string id = "SAUCE00";
    std::copy(id.begin(), id.end(), data.begin());
    const std::string title("\0 Dark\0 Side  ", 14);
    std::copy(title.begin(), title.end(), data.begin() + 7);
    const std::string font("IBM VGA  \0junk", 14);
    std::copy(font.begin(), font.end(), data.begin() + 106);
    data[42] = 0x82;  // é in CP437
    const auto found = readSauce(data);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->record.title, "  Dark  Side");
    EXPECT_EQ(found->record.author, "é");
    EXPECT_EQ(found->record.fontName, "IBM VGA  ");
    EXPECT_EQ(found->record.dataType, 0);
}

TEST(SauceRecord, WriterLimitsNumbersCutsTextAndPadsFields) {
    SauceRecord r;
    r.title = std::string(50, 'T');
    r.author = "éuthor ╭ 😀";
    r.tInfo1 = 70000;
    r.tInfo2 = -5;
    r.fontName = "IBM VGA";
    const auto data = sauceRecordData(r, 0);
    ASSERT_EQ(data.size(), 129u);
    const auto rec = std::span(data).subspan(1);
    EXPECT_EQ(std::string(rec.begin() + 7, rec.begin() + 42), std::string(35, 'T'));
    // One byte per scalar: look-alikes and "?" for what CP437 lacks, blank padding.
    EXPECT_EQ(rec[42], 0x82);
    EXPECT_EQ(rec[42 + 7], 0xDA);
    EXPECT_EQ(rec[42 + 9], '?');
    EXPECT_EQ(rec[42 + 10], ' ');
    EXPECT_EQ(rec[96], 0xFF);
    EXPECT_EQ(rec[97], 0xFF);
    EXPECT_EQ(rec[98], 0);
    EXPECT_EQ(rec[99], 0);
    EXPECT_EQ(rec[106 + 7], 0);  // font padded with NUL
    EXPECT_EQ(rec[82], ' ');     // empty date padded with blanks
}

TEST(SauceRecord, CommentLinesAreCutEmptyOnesDroppedAndCountLimited) {
    SauceRecord r;
    r.comments = {std::string(100, 'c'), "", "ok"};
    for (int i = 0; i < 300; ++i) r.comments.push_back("line " + std::to_string(i));
    const auto data = sauceRecordData(r, 0);
    ASSERT_EQ(data.size(), 1u + 5 + 255 * 64 + 128);
    const auto found = readSauce(data);
    ASSERT_TRUE(found);
    ASSERT_EQ(found->record.comments.size(), 255u);
    EXPECT_EQ(found->record.comments[0], std::string(64, 'c'));
    EXPECT_EQ(found->record.comments[1], "ok");
    EXPECT_EQ(found->record.comments[254], "line 252");
    EXPECT_EQ(data[data.size() - 128 + 104], 255);

    // 64 characters, then 64 bytes: the combining mark is a byte of its own ("?") and is the
    // one cut off.
    SauceRecord accents;
    accents.comments = {std::string(63, 'a') + "e\u0301" + "zz"};
    const auto again = readSauce(sauceRecordData(accents, 0));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->record.comments[0], std::string(63, 'a') + "e");
}

TEST(SauceRecord, FlagViews) {
    struct Case {
        std::uint8_t flags;
        bool ice;
        LetterSpacing spacing;
        AspectRatio ratio;
    };
    const std::vector<Case> cases = {
        {0, false, LetterSpacing::noPreference, AspectRatio::noPreference},
        {0b1, true, LetterSpacing::noPreference, AspectRatio::noPreference},
        {0b10, false, LetterSpacing::eightPixel, AspectRatio::noPreference},
        {0b100, false, LetterSpacing::ninePixel, AspectRatio::noPreference},
        {0b110, false, LetterSpacing::noPreference, AspectRatio::noPreference},
        {0b1000, false, LetterSpacing::noPreference, AspectRatio::legacy},
        {0b10011, true, LetterSpacing::eightPixel, AspectRatio::square},
        {0b11111, true, LetterSpacing::noPreference, AspectRatio::noPreference},
    };
    for (const auto& c : cases) {
        SauceRecord r;
        r.flags = c.flags;
        EXPECT_EQ(r.iceColors(), c.ice) << int(c.flags);
        EXPECT_EQ(r.letterSpacing(), c.spacing) << int(c.flags);
        EXPECT_EQ(r.aspectRatio(), c.ratio) << int(c.flags);
    }

    SauceRecord r;
    r.flags = 0b11111111;
    r.setLetterSpacing(LetterSpacing::ninePixel);
    EXPECT_EQ(r.flags, 0b11111101);
    r.setAspectRatio(AspectRatio::noPreference);
    EXPECT_EQ(r.flags, 0b11100101);
    EXPECT_EQ(sauceHintFlags(LetterSpacing::eightPixel, AspectRatio::square), 18);
    EXPECT_EQ(label(AspectRatio::legacy), "Stretched");
    EXPECT_EQ(label(LetterSpacing::ninePixel), "9 pixel");
}

TEST(SauceRecord, CreditAndHistoryViews) {
    struct Case {
        const char* title;
        const char* author;
        const char* group;
        const char* date;
        bool comments;
        bool hasCredit, authorship;
        const char* credit;
        const char* history;
    };
    const std::vector<Case> cases = {
        {"", "", "", "", false, false, false, "", "Original artwork by "},
        {"", "  ", "\t", "", false, false, false, "", "Original artwork by "},
        {"", "", "", "", true, false, true, "", "Original artwork by "},
        {" Dawn ", "", "", "", false, false, true, "", "Original artwork \"Dawn\" by "},
        {"", " ace ", "", "2024", false, true, true, "ace", "Original artwork by ace, 2024"},
        {"", "", "ACiD", "", false, true, true, "ACiD", "Original artwork by ACiD"},
        {"Dawn", "ace", " ACiD", "19960101", false, true, true, "ace of ACiD",
         "Original artwork \"Dawn\" by ace of ACiD, 19960101"},
    };
    for (const auto& c : cases) {
        SauceRecord r;
        r.title = c.title;
        r.author = c.author;
        r.group = c.group;
        r.date = c.date;
        if (c.comments) r.comments = {"note"};
        EXPECT_EQ(r.hasCredit(), c.hasCredit) << c.title << "|" << c.author;
        EXPECT_EQ(r.carriesAuthorship(), c.authorship) << c.title << "|" << c.author;
        EXPECT_EQ(r.creditLine(), c.credit) << c.title << "|" << c.author;
        EXPECT_EQ(SauceRecord::historyLine(r), c.history) << c.title << "|" << c.author;
    }

    SauceRecord r;
    r.comments = {"hello", "Original artwork by x", "", "Original artworks", "original artwork"};
    EXPECT_EQ(r.historyLines(), (std::vector<std::string>{"Original artwork by x", "Original artworks"}));
    EXPECT_EQ(r.noteLines(), (std::vector<std::string>{"hello", "", "original artwork"}));
}

TEST(SauceRecord, JSONCodingRoundTripsAndDefaultsMissingKeys) {
    const SauceRecord record = fullRecord();
    const std::string json = sauceRecordJSON(record);
    EXPECT_EQ(nlohmann::json::parse(json).size(), 13u);
    EXPECT_EQ(sauceRecordFromJSON(json), record);

    const auto defaults = sauceRecordFromJSON(" {} ");
    ASSERT_TRUE(defaults);
    EXPECT_EQ(*defaults, SauceRecord{});
    EXPECT_EQ(defaults->dataType, 1);
    EXPECT_EQ(defaults->fileType, 1);
    const auto edges = sauceRecordFromJSON(
        R"({"title": null, "tInfo1": 65535, "tInfo2": 0, "flags": 255, "dataType": 2.0, "comments": []})");
    ASSERT_TRUE(edges);
    EXPECT_EQ(edges->tInfo1, 65535);
    EXPECT_EQ(edges->flags, 255);
    EXPECT_EQ(edges->dataType, 2);
}

TEST(SauceRecord, JSONOfTheWrongShapeIsRefused) {
    const char* refused[] = {
        R"([])",
        R"("record")",
        R"({"title": 5})",
        R"({"fontName": ["IBM VGA"]})",
        R"({"comments": [1]})",
        R"({"comments": ["a", null]})",
        R"({"comments": "a"})",
        R"({"dataType": 300})",
        R"({"fileType": -1})",
        R"({"tInfo1": 70000})",
        R"({"tInfo4": -3})",
        R"({"flags": 256})",
        R"({"tInfo2": 1.5})",
        R"({"tInfo3": "80"})",
        R"({"title": "a")",
        R"({} {})",
        "",
    };
    for (const char* text : refused) EXPECT_FALSE(sauceRecordFromJSON(text)) << text;
}

TEST(SauceRecord, TextHelpers) {
    EXPECT_EQ(trimmedWhitespace("  a b \t\n"), "a b");
    EXPECT_EQ(trimmedWhitespace("\u00a0\u3000x\u2003"), "x");
    EXPECT_EQ(trimmedWhitespace(" \n "), "");
    EXPECT_EQ(prefixCharacters("abc", 5), "abc");
    EXPECT_EQ(prefixCharacters("ééé", 2), "éé");
    EXPECT_EQ(prefixCharacters("ae\u0301bc", 2), "ae\u0301");
}

}  // namespace sauce_record_test
}  // namespace glyphloom
