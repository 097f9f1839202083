#include "core/format/ans_export.hpp"

#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>
#include <vector>

#include "core/format/ans_import.hpp"
#include "core/text/cp437.hpp"
#include "core/model/print_values.hpp"
#include "core/model/cell_values.hpp"

namespace glyphloom {
namespace ans_export_test {

const auto a16 = ANSIColorValue::ansi16;


CellGrid blankDoc(int rows, int cols) { return CellGrid(rows, cols); }

std::string text(const std::vector<std::uint8_t>& data) { return {data.begin(), data.end()}; }

std::string fixedDate() { return "20240229"; }

// The SGR parameter lists of an escape stream, in order.
std::vector<std::string> sgrParams(const std::string& stream) {
    std::vector<std::string> out;
    const std::regex sgr("\x1b\\[([0-9;]*)m");
    for (auto it = std::sregex_iterator(stream.begin(), stream.end(), sgr); it != std::sregex_iterator(); ++it)
        out.push_back((*it)[1]);
    return out;
}

TEST(AnsExport, ColourParameters) {
    struct Case {
        ANSIColorValue fg, bg;
        bool blink;
        const char* params;
    };
    const std::vector<Case> cases = {
        {a16(7), a16(12), true, "0;37;5;44"},
        {a16(7), a16(4), true, "0;37;44;5"},
        {a16(7), a16(12), false, "0;37;5;44"},
        {a16(15), a16(0), false, "0;1;37;40"},
        {a16(8), a16(15), false, "0;1;30;5;47"},
        {ANSIColorValue::ansi256(42), a16(0), false, "0;38;5;42;40"},
        {a16(9), ANSIColorValue::truecolor(1, 2, 3), true, "0;5;91;48;2;1;2;3"},
        {ANSIColorValue::truecolor(255, 0, 9), ANSIColorValue::ansi256(200), false, "0;38;2;255;0;9;48;5;200"},
    };
    for (const auto& c : cases) EXPECT_EQ(ansSGRParams(c.fg, c.bg, c.blink), c.params) << c.params;
}

TEST(AnsExport, MonochromeParametersUseOnlyIntensityAndReverse) {
    struct Case {
        ANSIColorValue fg, bg;
        bool blink;
        const char* params;
    };
    const std::vector<Case> cases = {
        {a16(15), a16(0), false, "0;1"},
        {a16(7), a16(0), false, "0"},
        {a16(0), a16(7), false, "0;7"},
        {a16(0), a16(15), false, "0;7;1"},
        {a16(8), a16(11), true, "0;5;7;1"},
        {ANSIColorValue::truecolor(250, 250, 250), ANSIColorValue::ansi256(21), false, "0;1"},
    };
    for (const auto& c : cases) EXPECT_EQ(ansMonoSGRParams(c.fg, c.bg, c.blink), c.params) << c.params;

    // Whatever the colours, a mono stream holds no colour parameter.
    std::mt19937 engine(7);
    std::uniform_int_distribution<int> byte(0, 255);
    CellGrid doc = blankDoc(6, 40);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 40; ++c)
            doc.set(r, c,
                    cell("x", ANSIColorValue::truecolor(byte(engine), byte(engine), byte(engine)),
                         ANSIColorValue::ansi256(byte(engine)), byte(engine) < 40));
    for (const std::string& params : sgrParams(exportANSI(doc, true, true))) {
        std::size_t start = 0;
        while (start <= params.size()) {
            const auto end = std::min(params.find(';', start), params.size());
            const int code = std::stoi(params.substr(start, end - start));
            EXPECT_TRUE(code == 0 || code == 1 || code == 5 || code == 7) << params;
            start = end + 1;
        }
    }
}

TEST(AnsExport, EscapeStreamIsMinimalAndResetsEveryRow) {
    CellGrid doc = blankDoc(2, 3);
    doc.set(0, 0, cell("A", a16(1), a16(0)));
    doc.set(0, 1, cell("B", a16(1), a16(0)));
    doc.set(0, 2, cell("C", a16(1), a16(0), true));
    doc.set(1, 0, cell("", a16(1), a16(0)));
    doc.set(1, 1, cell("e\u0301", a16(1), a16(0)));
    EXPECT_EQ(exportANSI(doc, true, false),
              "\x1b[0m\x1b[0;31;40mAB\x1b[0;31;40;5mC"
              "\x1b[0m\x1b[0;31;40m e\x1b[0;1;37;40m \x1b[0m");
    // Without blinking text the blink is not written and costs no SGR.
    EXPECT_EQ(exportANSI(doc, false, false), "\x1b[0m\x1b[0;31;40mABC\x1b[0m\x1b[0;31;40m e\x1b[0;1;37;40m \x1b[0m");
    EXPECT_EQ(exportANSI(CellGrid(), false, false), "\x1b[0m");
}

TEST(AnsExport, RecordChoiceByWidthAndMode) {
    CellGrid eighty = blankDoc(4, 80);
    eighty.set(0, 0, cell("b", a16(7), a16(4), true));
    const auto plain = exportANSFileData(eighty, "t", "a", "g", std::nullopt, false, true, false, fixedDate);
    EXPECT_EQ(text(plain), text(CP437::encodeLossy(exportANSI(eighty, false, false)).data));
    EXPECT_EQ(plain.size(), CP437::encodeLossy(exportANSI(eighty, false, false)).data.size());
    EXPECT_EQ(std::count(plain.begin(), plain.end(), 0x1A), 0);

    // Blinking mode needs a bare record saying "not iCE", or the blinks come back as colours.
    const auto blinking = exportANSFileData(eighty, "t", "a", "g", std::nullopt, false, false, false, fixedDate);
    const auto bare = readSauce(blinking);
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->record.flags & 1, 0);
    EXPECT_EQ(bare->record.author, "");
    EXPECT_EQ(bare->record.date, "");
    EXPECT_FALSE(bare->record.carriesAuthorship());
    const auto back = importANSFile(blinking, false);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->cells, eighty);

    // Any other width needs its width recorded.
    const CellGrid wide = blankDoc(5, 132);
    const auto wideFile = exportANSFileData(wide, "t", "a", "g", std::nullopt, false, std::nullopt, false, fixedDate);
    const auto wideRecord = readSauce(wideFile);
    ASSERT_TRUE(wideRecord);
    EXPECT_EQ(wideRecord->record.tInfo1, 132);
    EXPECT_EQ(wideRecord->record.tInfo2, 5);
    EXPECT_EQ(wideRecord->record.title, "");
    EXPECT_EQ(wideRecord->record.fontName, "IBM VGA");
    const auto wideBack = importANSFile(wideFile, false);
    ASSERT_TRUE(wideBack);
    EXPECT_EQ(wideBack->cells.rowLength(0), 132);
    EXPECT_EQ(wideBack->cells.rowCount(), 5);

    // A given record lends its hints (undefined values dropped) and font to the bare record.
    SauceRecord hints;
    hints.flags = 0b10111;  // iCE, spacing 3 (undefined), aspect square
    hints.fontName = "Amiga Topaz 1";
    hints.author = "someone";
    const auto bareWithHints = readSauce(exportANSFileData(wide, "", "", "", hints, false, true, false, fixedDate));
    ASSERT_TRUE(bareWithHints);
    EXPECT_EQ(bareWithHints->record.flags, 0b10000);
    EXPECT_EQ(bareWithHints->record.fontName, "Amiga Topaz 1");
    EXPECT_EQ(bareWithHints->record.author, "");
}

TEST(AnsExport, ICEBitFollowsTheArtUnlessBlinkingTextIsDeclared) {
    CellGrid dim = blankDoc(4, 20);
    CellGrid bright = dim;
    bright.set(1, 1, cell("x", a16(0), a16(9)));
    struct Case {
        const CellGrid* doc;
        std::optional<bool> ice;
        int bit;
    };
    for (const Case c : {Case{&dim, true, 0}, Case{&bright, true, 1}, Case{&bright, std::nullopt, 1},
                         Case{&bright, false, 0}, Case{&dim, false, 0}}) {
        SauceRecord record;
        record.flags = 1;  // the record's own bit never counts
        for (bool writeRecord : {false, true}) {
            const auto found =
                readSauce(exportANSFileData(*c.doc, "", "", "", record, writeRecord, c.ice, false, fixedDate));
            ASSERT_TRUE(found);
            EXPECT_EQ(found->record.flags & 1, c.bit) << writeRecord;
        }
    }
}

TEST(AnsExport, WrittenRecordTakesCreditFromTheRecordOrTheArguments) {
    CellGrid doc = blankDoc(7, 90);
    SauceRecord record;
    record.title = "Dawn";
    record.author = "ace";
    record.group = "";
    record.date = "19960101";
    record.tInfo3 = 9;
    record.flags = 0b10010;
    record.fontName = "";
    record.comments = {"hello"};
    record.dataType = 5;

    const auto withRecord = exportANSFileData(doc, "name", "me", "us", record, true, true, false, fixedDate);
    const auto found = readSauce(withRecord);
    ASSERT_TRUE(found);
    SauceRecord expected = record;
    expected.tInfo1 = 90;
    expected.tInfo2 = 7;
    expected.dataType = 1;
    EXPECT_EQ(found->record, expected);

    record.date.clear();
    const auto dated = readSauce(exportANSFileData(doc, "name", "me", "us", record, true, true, false, fixedDate));
    ASSERT_TRUE(dated);
    EXPECT_EQ(dated->record.date, "20240229");

    const auto fromArguments =
        readSauce(exportANSFileData(doc, "name", "me", "us", std::nullopt, true, true, false, fixedDate));
    ASSERT_TRUE(fromArguments);
    EXPECT_EQ(fromArguments->record.title, "name");
    EXPECT_EQ(fromArguments->record.author, "me");
    EXPECT_EQ(fromArguments->record.group, "us");
    EXPECT_EQ(fromArguments->record.date, "20240229");
    EXPECT_EQ(fromArguments->record.fontName, "IBM VGA");

    // The art is the same bytes whatever trailer follows it.
    const auto bareFile = exportANSFileData(doc, "name", "me", "us", std::nullopt, false, true, false, fixedDate);
    const auto marker = std::find(withRecord.begin(), withRecord.end(), 0x1A);
    EXPECT_EQ(std::vector<std::uint8_t>(withRecord.begin(), marker),
              std::vector<std::uint8_t>(bareFile.begin(), std::find(bareFile.begin(), bareFile.end(), 0x1A)));
}

TEST(AnsExport, ApproximatedCellsAndTheirBytes) {
    CellGrid doc = blankDoc(4, 10);
    doc.set(0, 0, cell("╭", a16(7), a16(0)));
    doc.set(0, 1, cell("😀", a16(7), a16(0)));
    doc.set(0, 2, cell("", a16(7), a16(0)));
    doc.set(0, 3, cell("█", a16(7), a16(0)));
    doc.set(0, 4, cell("\n", a16(7), a16(0)));
    EXPECT_EQ(ansApproximatedCellCount(doc), 2);
    const auto data = exportANSFileData(doc, "", "", "", std::nullopt, false, true, false, fixedDate);
    const std::string art = text(data);
    EXPECT_NE(art.find("m\xDA? \xDB \x1b["), std::string::npos) << art;
}

TEST(AnsExport, UTF8CompanionEndsRowsAndReopensAtItsWidth) {
    CellGrid doc = blankDoc(4, 12);
    doc.set(0, 0, cell("╭", a16(9), a16(0)));
    doc.set(0, 1, cell("e\u0301", a16(9), a16(0), true));
    doc.set(2, 11, cell("x", ANSIColorValue::ansi256(99), a16(12)));
    const std::string out = text(exportANSIUTF8Data(doc));
    EXPECT_TRUE(out.starts_with("\x1b[0m\x1b[0;91;40m╭e\u0301\x1b[0;97;40m  ")) << out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 4);
    EXPECT_TRUE(out.ends_with("\x1b[0m\n"));
    EXPECT_TRUE(exportANSIUTF8Data(CellGrid()).empty());

    doc.set(0, 1, cell("é", a16(9), a16(0)));  // one scalar per cell re-imports cell for cell
    const auto back = importANSFile(exportANSIUTF8Data(doc), true);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->cells, doc);
    EXPECT_FALSE(back->sauce);
}

TEST(AnsExport, PlainText) {
    CellGrid doc = blankDoc(2, 3);
    doc.set(0, 0, cell("é", a16(1), a16(2)));
    doc.set(1, 2, cell("█", a16(1), a16(2)));
    EXPECT_EQ(exportPlainText(doc), "é  \n  █\n");
    EXPECT_EQ(exportPlainText(CellGrid()), "");
}

// Random CP437 art in either background mode, with every kind of colour.
CellGrid randomArt(std::mt19937& engine, bool blinkingText) {
    std::uniform_int_distribution<int> cols(10, 200), rows(4, 30), byte(0, 255), pct(0, 99);
    const int width = cols(engine), height = rows(engine);
    CellGrid doc(height, width);
    auto colour = [&](bool background) {
        const int p = pct(engine);
        if (p < 70) return a16(byte(engine) % (background && blinkingText ? 8 : 16));
        if (p < 85) return ANSIColorValue::ansi256(byte(engine));
        return ANSIColorValue::truecolor(byte(engine), byte(engine), byte(engine));
    };
    ANSICell current;
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            if (pct(engine) < 30) {  // runs of equal attributes, as in real art
                current.foreground = colour(false);
                current.background = colour(true);
                current.blink = blinkingText && pct(engine) < 20;
            }
            int b = byte(engine);
            if (b == 0x0A || b == 0x0D || b == 0x1A || b == 0x1B || b == 0) b = 0xDB;
            current.character = CellChar::fromScalar(CP437::scalarForByte()[static_cast<std::size_t>(b)]);
            doc.set(r, c, current);
        }
    }
    return doc;
}

TEST(AnsExport, ExportThenImportGivesTheSameCells) {
    std::mt19937 engine(2024);
    for (int round = 0; round < 60; ++round) {
        const bool blinkingText = round % 2 == 1;
        const CellGrid doc = randomArt(engine, blinkingText);
        SauceRecord record;
        record.author = "ace";
        for (bool writeRecord : {false, true}) {
            const auto data =
                exportANSFileData(doc, "t", "a", "g", record, writeRecord, !blinkingText, false, fixedDate);
            const auto back = importANSFile(data, false);
            ASSERT_TRUE(back);
            EXPECT_EQ(back->cells, doc) << "round " << round << (writeRecord ? " with record" : " bare");
        }
        const auto utf8 = importANSFile(exportANSIUTF8Data(doc), true);
        ASSERT_TRUE(utf8);
        CellGrid withoutBlink = doc;
        for (int r = 0; r < doc.rowCount(); ++r)
            for (auto& c : withoutBlink.mutableRow(r)) c.blink = false;
        EXPECT_EQ(utf8->cells, withoutBlink) << "round " << round << " UTF-8";
    }
}

}  // namespace ans_export_test
}  // namespace glyphloom
