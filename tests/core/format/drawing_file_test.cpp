#include "core/format/drawing_file.hpp"
#include "core/format/document.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/model/model_json.hpp"
#include "core/text/utf8.hpp"
#include "core/model/cell_values.hpp"

namespace glyphloom {
namespace drawing_file_test {

using nlohmann::json;

ANSIColorValue C16(int n) { return ANSIColorValue::ansi16(n); }

std::vector<std::uint8_t> bytes(std::string_view text) { return {text.begin(), text.end()}; }

std::optional<DrawingFile> decode(std::string_view text) { return importGlyphloomData(bytes(text)); }

json encoded(const std::optional<std::vector<std::uint8_t>>& data) {
    return data ? json::parse(data->begin(), data->end()) : json();
}


// Three layers, top first, with offsets, a hidden one and colours of every kind.
std::vector<Layer> sampleStack() {
    Layer top("Top", CellGrid(2, 3));
    top.cells.set(0, 0, cell("A", ANSIColorValue::ansi16(12), ANSIColorValue::ansi16(1), true));
    top.rowOffset = -1;
    top.colOffset = 2;
    Layer middle("Middle", CellGrid(2, 3));
    middle.cells.set(1, 2, cell("▒", ANSIColorValue::ansi256(202), ANSIColorValue::truecolor(1, 2, 3)));
    middle.visible = false;
    Layer bottom("Bottom", CellGrid(2, 3));
    bottom.cells.set(1, 1, cell("╭", ANSIColorValue::truecolor(250, 128, 0), ANSIColorValue::ansi256(17)));
    return {top, middle, bottom};
}

std::optional<std::vector<std::uint8_t>> exportSample(const std::vector<Layer>& layers, ColorDepth depth,
                                                      bool blinking, MonoTint tint) {
    Document document;
    document.rows = 2;
    document.cols = 3;
    document.layers = layers;
    document.colorDepth = depth;
    document.blinkingText = blinking;
    document.monoTint = tint;
    SauceRecord source;
    source.author = "Someone";
    source.group = "Crew";
    source.comments = {"note"};
    document.sauce = {source, "Title", {"first", "second"}, {"Original artwork by Someone"}, LetterSpacing::ninePixel,
                      AspectRatio::legacy, "IBM VGA50"};
    return exportGlyphloomData(document, std::string("░▒"));
}

TEST(DrawingFile, RoundTripKeepsLayerOrderAndEveryField) {
    for (ColorDepth depth : allColorDepths) {
        for (bool blinking : {false, true}) {
            for (MonoTint tint : allMonoTints) {
                SCOPED_TRACE(std::string(rawValue(depth)) + " " + std::string(rawValue(tint)) + (blinking ? " blink" : ""));
                const auto data = exportSample(sampleStack(), depth, blinking, tint);
                ASSERT_TRUE(data);
                const auto file = importGlyphloomData(*data);
                ASSERT_TRUE(file);
                EXPECT_EQ(file->version, 5);
                ASSERT_TRUE(file->layers);
                const auto resolved = file->resolveLayers();
                const auto expected = sampleStack();
                ASSERT_EQ(resolved.size(), 3u);
                for (std::size_t i = 0; i < 3; ++i) {
                    EXPECT_EQ(resolved[i].name, expected[i].name);  // index 0 stays the top
                    EXPECT_EQ(resolved[i].cells, expected[i].cells);
                    EXPECT_EQ(resolved[i].visible, expected[i].visible);
                    EXPECT_EQ(resolved[i].rowOffset, expected[i].rowOffset);
                    EXPECT_EQ(resolved[i].colOffset, expected[i].colOffset);
                }
                EXPECT_EQ(decodeColorDepth(file->colorDepth.value_or("")), depth);
                EXPECT_EQ(file->blinkingText(), blinking);
                EXPECT_EQ(decodeMonoTint(file->monoTint.value_or("")), tint);
                EXPECT_EQ(file->sauceTitle, "Title");
                EXPECT_EQ(file->sauceComments, (std::vector<std::string>{"first", "second"}));
                EXPECT_EQ(file->sauceHistory, (std::vector<std::string>{"Original artwork by Someone"}));
                EXPECT_EQ(file->letterSpacing, 2);
                EXPECT_EQ(file->aspectRatio, 1);
                EXPECT_EQ(file->sauceFontName, "IBM VGA50");
                ASSERT_TRUE(file->sourceSauce);
                EXPECT_EQ(file->sourceSauce->creditLine(), "Someone of Crew");
                EXPECT_EQ(file->charCycleSequence, "░▒");
            }
        }
    }
}

TEST(DrawingFile, WrittenKeysHaveTheirStoredTypes) {
    const json out = encoded(exportSample(sampleStack(), ColorDepth::c256, true, MonoTint::white));
    EXPECT_EQ(out["version"], 5);
    EXPECT_EQ(out["backgroundMode"], "blinkingText");
    EXPECT_TRUE(out["letterSpacing"].is_number());
    EXPECT_TRUE(out["aspectRatio"].is_number());
    EXPECT_TRUE(out["sourceSauce"].is_object());
    EXPECT_EQ(out["sourceSauce"]["author"], "Someone");
    EXPECT_EQ(out["colorDepth"], "c256");
    EXPECT_EQ(out["monoTint"], "white");
    for (const char* absent : {"cells", "presets", "referenceImageData", "compoMode"}) EXPECT_FALSE(out.contains(absent)) << absent;
    EXPECT_EQ(encoded(exportSample(sampleStack(), ColorDepth::c16, false, MonoTint::white))["backgroundMode"],
              "brightBackgrounds");
}

TEST(DrawingFile, CarriedKeysAreWrittenBackUntouched) {
    const std::string original = R"({"version":5,"columns":3,"rows":2,"monoTint":"amber",
        "presets":[null,{"tool":7},{"name":"kept","futureKey":[1,2]}],
        "referenceImageData":"iVBORw0KGgo=","referenceVisible":true,"referenceExcludedFromExport":false,
        "referenceOffsetX":1.5,"referenceOffsetY":-2,"referenceScale":0.25,"compoMode":true})";
    const auto carried = decode(original);
    ASSERT_TRUE(carried);
    ASSERT_TRUE(carried->referenceImageData);
    EXPECT_EQ(carried->referenceImageData->size(), 8u);
    EXPECT_EQ((*carried->referenceImageData)[1], 'P');
    EXPECT_EQ(carried->compoMode, true);
    EXPECT_EQ(carried->referenceScale, 0.25);
    ASSERT_TRUE(carried->presets);
    EXPECT_EQ(carried->presets->size(), 3u);

    // Opened and saved again as the editor does.
    Document document = documentFromDrawingFile(*carried);
    document.layers = sampleStack();
    const json out = encoded(exportGlyphloomData(document, std::nullopt));
    const json in = json::parse(original);
    for (const char* key : {"presets", "referenceImageData", "referenceVisible", "referenceExcludedFromExport",
                            "referenceOffsetX", "referenceOffsetY", "referenceScale", "compoMode"})
        EXPECT_EQ(out[key], in[key]) << key;
    EXPECT_EQ(out["monoTint"], "amber");
}

TEST(DrawingFile, OlderAndLenientDocumentsDecode) {
    const auto v4 = decode(R"({"version":4,"columns":1,"rows":1,"layers":[]})");
    ASSERT_TRUE(v4);
    EXPECT_FALSE(v4->blinkingText());
    const auto layers = v4->resolveLayers();
    ASSERT_EQ(layers.size(), 1u);
    EXPECT_EQ(layers[0].name, "Layer 1");
    EXPECT_EQ(layers[0].cells, CellGrid(1, 1));

    const auto odd = decode(R"({"version":5,"columns":1,"rows":1,"layers":[],"monoTint":"chartreuse",
                                "colorDepth":"c4096","somethingNew":{"x":1}})");
    ASSERT_TRUE(odd);
    EXPECT_EQ(decodeMonoTint(odd->monoTint.value_or("")), MonoTint::white);
    EXPECT_EQ(decodeColorDepth(odd->colorDepth.value_or("c16")), ColorDepth::c16);

    const auto cellsOnly = decode(R"({"version":2,"columns":2,"rows":2,"cells":[[{"character":"x"}]]})");
    ASSERT_TRUE(cellsOnly);
    const auto fromCells = cellsOnly->resolveLayers();
    ASSERT_EQ(fromCells.size(), 1u);
    EXPECT_EQ(fromCells[0].name, "Layer 1");
    EXPECT_EQ(fromCells[0].cells.cellAt(0, 0)->character.str(), "x");
    EXPECT_EQ(fromCells[0].cells.rowLength(1), 2);
}

TEST(DrawingFile, MalformedDocumentsAreRefused) {
    const std::vector<std::string> refused = {
        "",
        "not json",
        "[1,2,3]",
        R"({"columns":1,"rows":1})",
        R"({"version":5,"rows":1})",
        R"({"version":5,"columns":1})",
        R"({"version":"5","columns":1,"rows":1})",
        R"({"version":5,"columns":null,"rows":1})",
        R"({"version":5,"columns":1,"rows":1,"layers":{}})",
        R"({"version":5,"columns":1,"rows":1,"layers":[{"name":"no cells"}]})",
        R"({"version":5,"columns":1,"rows":1,"colorDepth":16})",
        R"({"version":5,"columns":1,"rows":1,"sauceComments":["a",2]})",
        R"({"version":5,"columns":1,"rows":1,"sourceSauce":"me"})",
        R"({"version":5,"columns":1,"rows":1,"sourceSauce":{"title":5}})",
        R"({"version":5,"columns":1,"rows":1,"sourceSauce":{"comments":[1]}})",
        R"({"version":5,"columns":1,"rows":1,"sourceSauce":{"comments":"one"}})",
        R"({"version":5,"columns":1,"rows":1,"sourceSauce":{"dataType":300}})",
        R"({"version":5,"columns":1,"rows":1,"sourceSauce":{"tInfo1":70000}})",
        R"({"version":5,"columns":1,"rows":1,"sourceSauce":{"flags":-1}})",
        R"({"version":5,"columns":1,"rows":1,"sourceSauce":{"tInfo2":1.5}})",
        R"({"version":5,"columns":1,"rows":1,"letterSpacing":"wide"})",
        R"({"version":5,"columns":1,"rows":1,"referenceImageData":"not*base64"})",
        R"({"version":5,"columns":1,"rows":1,"compoMode":"yes"})",
        R"({"version":5,"columns":1,"rows":1,"presets":{}})",
        R"({"version":5,"columns":1,"rows":1)",
        R"({"version":5,"columns":1,"rows":1,"layers":[{"cells":[[{"character":"\x"}]]}]})",
        R"({"version":5,"columns":1,"rows":1,"layers":[{"cells":[]},{"cells":[[{"blink":"no"}]]}]})",
        R"({"version":5,"columns":1,"rows":1,"cells":[[{"character":5}]]})",
        R"({"version":5,"columns":1,"rows":1,"layers":[]} trailing)",
        R"({"version":5,"columns":1,"rows":1,"layers":[],})",
        // Layers past the seventh are not decoded, but they must still be JSON.
        R"({"version":5,"columns":1,"rows":1,"layers":[{"cells":[]},{"cells":[]},{"cells":[]},{"cells":[]},
            {"cells":[]},{"cells":[]},{"cells":[]},{"cells":[[{]]}]})",
    };
    for (const auto& text : refused) EXPECT_FALSE(decode(text)) << text;
}

TEST(DrawingFile, TextAroundTheDocumentAndRepeatedKeys) {
    const std::string plain = R"({"version":5,"columns":2,"rows":1,"layers":[{"cells":[[{"character":"a"}]]}]})";
    const std::vector<std::string> accepted = {
        "\xEF\xBB\xBF" + plain,                 // byte order mark
        " \n\t" + plain + " \r\n",                // blanks around
        plain + std::string("\0padding", 8),      // a NUL ends the text
        // A repeated key counts once, with its last value, as in any JSON object.
        R"({"version":5,"columns":2,"rows":1,"layers":{},"layers":[{"cells":[[{"character":"a"}]]}]})",
        R"({"version":5,"columns":2,"rows":1,"layers":[{"cells":[[{"character":"a"}]]}],"cells":5,"cells":null})",
    };
    for (const auto& text : accepted) {
        SCOPED_TRACE(text);
        const auto file = decode(text);
        ASSERT_TRUE(file);
        const auto layers = file->resolveLayers();
        ASSERT_EQ(layers.size(), 1u);
        EXPECT_EQ(layers[0].cells.cellAt(0, 0)->character.str(), "a");
        EXPECT_EQ(*layers[0].cells.cellAt(0, 1), ANSICell::blank());
    }
}

TEST(DrawingFile, ExportOnAnotherThreadWhileCellsAreMade) {
    // A save in the background reads cell texts while the editor keeps adding new ones.
    std::vector<Layer> layers = sampleStack();
    Layer clusters("Clusters", CellGrid(1, 64));
    for (int c = 0; c < 64; ++c) {
        std::string text(1, static_cast<char>('a' + c % 26));
        utf8::append(text, static_cast<char32_t>(0x300 + c));
        clusters.cells.set(0, c, cell(text.c_str(), C16(7), C16(0)));
    }
    layers.push_back(clusters);
    const auto expected = exportSample(layers, ColorDepth::c16, false, MonoTint::white);
    ASSERT_TRUE(expected);
    std::atomic<bool> makerDone = false;
    std::thread maker([&makerDone] {
        for (char32_t base = 0x100; base < 0x2100; ++base)
            for (char32_t mark = 0x300; mark < 0x304; ++mark) {
                std::string text;
                utf8::append(text, base);
                utf8::append(text, mark);
                const CellChar made(text);  // interned as it is made
                (void)made;
            }
        makerDone = true;
    });
    std::optional<std::vector<std::uint8_t>> data;
    std::thread saver([&] {
        do {
            data = exportSample(layers, ColorDepth::c16, false, MonoTint::white);
            if (data != expected) break;
        } while (!makerDone);
    });
    saver.join();
    maker.join();
    EXPECT_EQ(data, expected);
}

TEST(DrawingFile, StreamedPiecesAddUpToTheWholeDocumentAndStopWhenRefused) {
    // Large enough for many pieces: every cell differs, so nothing is shared.
    Layer big("Big", CellGrid(120, 320));
    for (int r = 0; r < 120; ++r)
        for (int c = 0; c < 320; ++c)
            big.cells.set(r, c, cell("x", ANSIColorValue::ansi256((r + c) % 256), ANSIColorValue::truecolor(r, c % 256, 9)));
    DrawingFile file;
    file.columns = 320;
    file.rows = 120;
    file.layers = {sampleStack()[0], big, big};
    file.sauceTitle = "after the cells";
    const std::string leading = R"("first":{"a":1})";
    const auto whole = encodeDrawingFile(file, leading);
    ASSERT_TRUE(whole);
    EXPECT_EQ(encoded(whole)["first"], json({{"a", 1}}));

    std::vector<std::uint8_t> joined;
    std::size_t pieces = 0, largest = 0;
    ASSERT_TRUE(streamDrawingFile(
        file,
        [&](std::span<const std::uint8_t> piece) {
            ++pieces;
            largest = std::max(largest, piece.size());
            joined.insert(joined.end(), piece.begin(), piece.end());
            return true;
        },
        leading));
    EXPECT_EQ(joined, *whole);
    EXPECT_GT(pieces, 20u);
    EXPECT_LT(largest, whole->size() / 10);  // never held whole

    // A sink that gives up (a full disk) ends the stream: nothing more is offered to it.
    int offered = 0;
    EXPECT_FALSE(streamDrawingFile(file, [&offered](std::span<const std::uint8_t>) { return ++offered < 3; }));
    EXPECT_EQ(offered, 3);
}

TEST(DrawingFile, NumbersSaturateInsteadOfWrapping) {
    struct Case {
        const char* columnsRows;
        int safeColumns, safeRows;
    };
    const Case cases[] = {
        {R"("columns":5000,"rows":0)", 1000, 1},
        {R"("columns":-3,"rows":-7)", 1, 1},
        {R"("columns":80.9,"rows":25.5)", 80, 25},
        {R"("columns":1e300,"rows":-1e300)", 1000, 1},
        {R"("columns":18446744073709551615,"rows":4001)", 1000, 4000},
    };
    for (const Case& c : cases) {
        const auto file = decode(std::string(R"({"version":5.5,)") + c.columnsRows + R"(,"letterSpacing":1e300})");
        ASSERT_TRUE(file) << c.columnsRows;
        EXPECT_EQ(file->version, 5);
        EXPECT_EQ(file->safeColumns(), c.safeColumns) << c.columnsRows;
        EXPECT_EQ(file->safeRows(), c.safeRows) << c.columnsRows;
        EXPECT_EQ(file->letterSpacing, std::numeric_limits<int>::max());
    }
}

TEST(DrawingFile, LayersAreFittedToTheCanvas) {
    const auto file = decode(R"({"version":5,"columns":3,"rows":2,"layers":[
        {"cells":[[{"character":"a"},{"character":"b"},{"character":"c"},{"character":"d"}],[],[{"character":"z"}]]},
        {"cells":[[{"character":"q"}]]}]})");
    ASSERT_TRUE(file);
    const auto layers = file->resolveLayers();
    ASSERT_EQ(layers.size(), 2u);
    const CellGrid& big = layers[0].cells;
    ASSERT_EQ(big.rowCount(), 2);
    EXPECT_EQ(big.rowLength(0), 3);
    EXPECT_EQ(big.cellAt(0, 2)->character.str(), "c");
    EXPECT_EQ(*big.cellAt(1, 0), ANSICell::blank());
    const CellGrid& small = layers[1].cells;
    EXPECT_EQ(small.rowLength(1), 3);
    EXPECT_EQ(small.cellAt(0, 0)->character.str(), "q");
    EXPECT_EQ(*small.cellAt(0, 1), ANSICell::blank());
    EXPECT_EQ(*small.cellAt(1, 2), ANSICell::blank());
}

TEST(DrawingFile, OnlyTheTopSevenLayersAreKept) {
    std::string layers;
    for (int i = 0; i < 5000; ++i) layers += std::string(i ? "," : "") + R"({"name":"L)" + std::to_string(i) + R"(","cells":[]})";
    // Even an undecodable layer past the seventh costs nothing: it is never looked at.
    layers += R"(,{"name":"broken"})";
    const auto file = decode(R"({"version":5,"columns":10,"rows":10,"layers":[)" + layers + "]}");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->layersInFile, 5001);
    const auto resolved = file->resolveLayers();
    ASSERT_EQ(resolved.size(), 7u);
    EXPECT_EQ(resolved.front().name, "L0");
    EXPECT_EQ(resolved.back().name, "L6");
}

// Hostile documents: what the editor would throw away is not kept while reading, and a
// value nested too deep for a tree to be copied or written is refused instead of crashing.
TEST(DrawingFile, OutsizedPartsAreDroppedWhileReading) {
    const std::string head = R"({"version":5,"columns":2,"rows":4000,)";
    std::string rows;
    for (int r = 0; r < maxDocumentRows + 500; ++r) rows += r ? ",[]" : R"([{"character":"a"},{},{},{}])";
    const auto tall = decode(head + R"("layers":[{"cells":[)" + rows + "]}]}");
    ASSERT_TRUE(tall && tall->layers);
    const CellGrid& kept = tall->layers->front().cells;
    EXPECT_EQ(kept.rowCount(), maxDocumentRows);
    EXPECT_EQ(kept.cellAt(0, 0)->character.str(), "a");
    const auto single = decode(head + R"("cells":[)" + rows + "]}");
    ASSERT_TRUE(single && single->cells);
    EXPECT_EQ(single->cells->rowCount(), maxDocumentRows);
    // Dropped rows are still checked: a bad cell there fails the document as before.
    EXPECT_FALSE(decode(head + R"("cells":[)" + rows + R"(,[{"blink":"no"}]]})"));

    std::string lines, slots;
    for (int i = 0; i < 1000; ++i) lines += std::string(i ? "," : "") + "\"line " + std::to_string(i) + "\"";
    for (int i = 0; i < 1000; ++i) slots += std::string(i ? "," : "") + R"({"name":"p)" + std::to_string(i) + "\"}";
    const auto listed = decode(head + R"("sauceComments":[)" + lines + R"(],"sauceHistory":[)" + lines +
                               R"(],"sourceSauce":{"comments":[)" + lines + R"(]},"presets":[)" + slots + "]}");
    ASSERT_TRUE(listed);
    EXPECT_EQ(listed->sauceComments->size(), 255u);
    EXPECT_EQ(listed->sauceComments->back(), "line 254");
    EXPECT_EQ(listed->sauceHistory->size(), 255u);
    EXPECT_EQ(listed->sourceSauce->comments.size(), 255u);
    EXPECT_EQ(listed->presets->size(), 16u);
    EXPECT_EQ(json::parse(listed->carriedKeys.at("presets")).size(), 16u);
    EXPECT_FALSE(decode(head + R"("sauceComments":[)" + lines + R"(,7]})"));
    EXPECT_FALSE(decode(head + R"("sourceSauce":{"comments":[)" + lines + R"(,null]}})"));
    EXPECT_FALSE(decode(head + R"("presets":[)" + slots + R"(,{]})"));
}

TEST(DrawingFile, DeepNestingIsRefusedAnywhere) {
    const std::string deep = std::string(85'000, '[') + std::string(85'000, ']');
    for (const char* key : {"presets", "referenceScale", "sourceSauce", "unknownKey", "layers", "cells"}) {
        const std::string text = R"({"version":5,"columns":1,"rows":1,")" + std::string(key) + "\":" + deep + "}";
        EXPECT_FALSE(decode(text)) << key;
    }
    // Inside a layer, a cell and a colour.
    EXPECT_FALSE(decode(R"({"version":5,"columns":1,"rows":1,"layers":[{"extra":)" + deep + R"(,"cells":[]}]})"));
    EXPECT_FALSE(decode(R"({"version":5,"columns":1,"rows":1,"cells":[[{"x":)" + deep + "}]]}"));
    EXPECT_FALSE(decode(R"({"version":5,"columns":1,"rows":1,"cells":[[{"foreground":)" + deep + "}]]}"));
    // A document that nests as deep as real ones do still opens, and writes back.
    const auto shallow = decode(R"({"version":5,"columns":1,"rows":1,"presets":[[[[[[[[1]]]]]]]]})");
    ASSERT_TRUE(shallow);
    EXPECT_TRUE(encodeDrawingFile(*shallow));
}

}  // namespace drawing_file_test
}  // namespace glyphloom
