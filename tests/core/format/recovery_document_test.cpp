#include "core/format/recovery_document.hpp"

#include <gtest/gtest.h>

#include <string>

#include "core/format/document.hpp"
#include "core/format/drawing_file.hpp"

namespace glyphloom {
namespace recovery_document_test {

std::vector<std::uint8_t> bytes(std::string_view text) { return {text.begin(), text.end()}; }
std::string text(const std::vector<std::uint8_t>& data) { return {data.begin(), data.end()}; }

RecoveryInfo awkwardInfo() {
    RecoveryInfo info;
    info.filename = "art \"q\" {x}";
    info.docDir = "/tmp/dir with } brace/ünï";
    info.sourcePath = "/tmp/dir with } brace/ünï/art \"q\" {x}.glyphloom";
    info.saveAsGlyphloom = true;
    info.columns = 320;
    info.rows = 200;
    info.layerCount = 7;
    return info;
}

TEST(RecoveryDocument, InfoTravelsWithADocumentThatStillOpensAsBefore) {
    Layer layer("Ink", CellGrid(2, 3));
    layer.cells.set(1, 2, ANSICell{CellChar("▓"), ANSIColorValue::ansi256(99), ANSIColorValue::ansi16(4), true});
    Document doc = Document::blank(2, 3);
    doc.layers = {layer};
    doc.blinkingText = true;
    doc.monoTint = MonoTint::amber;
    doc.sauce.sauceTitleField = "T";
    doc.sauce.sauceComments = {"c"};
    const DrawingFile file = glyphloomDocument(doc, std::nullopt);
    const auto document = encodeDrawingFile(file);
    const auto copy = encodeDrawingFile(file, recoveryInfoMember(awkwardInfo()));
    ASSERT_TRUE(document && copy);
    EXPECT_EQ(readRecoveryInfo(*copy), awkwardInfo());
    EXPECT_EQ(importGlyphloomData(*copy), importGlyphloomData(*document));
    // The description is read from the head alone.
    const std::string head = text(*copy).substr(0, text(*copy).find("\"version\"") + 3);
    EXPECT_EQ(readRecoveryInfo(bytes(head)), awkwardInfo());
}

TEST(RecoveryDocument, ANameThatIsNotUTF8IsWrittenWithAReplacement) {
    RecoveryInfo info;
    info.filename = "art\xff";
    const auto read = readRecoveryInfo(bytes("{" + recoveryInfoMember(info) + "}"));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->filename, "art\uFFFD");
}

TEST(RecoveryDocument, ReadsOnlyWellFormedDescriptions) {
    const struct {
        const char* json;
        std::optional<RecoveryInfo> expected;
    } cases[] = {
        {R"({"version":5,"columns":1,"rows":1})", std::nullopt},  // a plain document
        {R"({"recovery":{"filename":"a","docDir":{"x":1}}})", std::nullopt},
        {R"({"recovery":{"docDir":"/d"}})", std::nullopt},
        {R"({"recovery":{"filename":""}})", std::nullopt},
        {R"({"recovery":{"filename":"a","colu)", std::nullopt},
        {R"({"recovery":["filename","a"]})", std::nullopt},
        {"\xff\xfe", std::nullopt},
        {R"({"recovery":{"filename":"a","columns":"wide","rows":-5,"layerCount":1e300,"saveAsGlyphloom":1}})",
         RecoveryInfo{"a", std::nullopt, std::nullopt, false, 0, 0, 0}},
        {R"({"version":5,"recovery":{"filename":"b","rows":99999999999,"docDir":null},"layers":[)",
         RecoveryInfo{"b", std::nullopt, std::nullopt, false, 0, 2147483647, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(readRecoveryInfo(bytes(c.json)), c.expected) << c.json;
}

}  // namespace recovery_document_test
}  // namespace glyphloom
