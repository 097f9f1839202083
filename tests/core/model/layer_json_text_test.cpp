#include "core/model/layer_json_text.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/model/model_json.hpp"
#include "core/format/preset_json.hpp"
#include "core/model/tool_options_json.hpp"

namespace glyphloom {
namespace layer_json_text_test {

using nlohmann::json;
using C = ANSIColorValue;

json parsedText(const JsonOut& out) { return json::parse(out.bytes.begin(), out.bytes.end()); }

// A layer whose cells and fields cover every shape the coding has.
Layer awkwardLayer() {
    const std::vector<ANSICell> cells = {
        {CellChar("A"), C::ansi16(12), C::ansi16(1), true},
        {CellChar("█"), C::ansi256(202), C::truecolor(1, 2, 255), false},
        {CellChar("\""), C::truecolor(0, 0, 0), C::ansi256(0), false},
        {CellChar("\\"), C::ansi16(0), C::ansi16(15), true},
        {CellChar("\x1b"), C::ansi16(7), C::ansi16(0), false},
        {CellChar(""), C::ansi16(7), C::ansi16(0), false},
        {CellChar("e\xcc\x81"), C::ansi16(7), C::ansi16(0), false},  // e + combining acute: one cluster
        {CellChar("🙂"), C::ansi16(7), C::ansi16(0), false},
    };
    CellGrid grid(std::vector<CellGrid::Row>{cells, {}, {cells[1]}});
    Layer layer("Name with \"quotes\" and ü", grid);
    layer.visible = false;
    layer.rowOffset = -3;
    layer.colOffset = 10000;
    layer.kind = LayerKind::terminal("/bin/\"odd\" sh");
    layer.historyEnabled = true;
    return layer;
}

TEST(LayerJSONText, WritesWhatTheTreeCodingWrites) {
    for (const Layer& layer : {awkwardLayer(), Layer("Plain", CellGrid(2, 3)), Layer("", CellGrid())}) {
        SCOPED_TRACE(layer.name);
        JsonOut out;
        appendLayerJSON(out, layer);
        EXPECT_EQ(parsedText(out), toJSON(layer));
    }
}

TEST(LayerJSONText, ReadsBackWhatItWrites) {
    const Layer layer = awkwardLayer();
    JsonOut out;
    appendLayerJSON(out, layer);
    JsonReader in(std::string_view(reinterpret_cast<const char*>(out.bytes.data()), out.bytes.size()));
    Layer read;
    ASSERT_EQ(readLayerJSON(in, read), ReadOutcome::ok);
    EXPECT_EQ(read, layer);
    EXPECT_TRUE(in.atEndOfText());
}

// What the tree coding makes of `text`: malformed when the library refuses it, refused when
// the decoder does, else the grid.
ReadOutcome treeGrid(const std::string& text, CellGrid& grid) {
    const json value = json::parse(text, nullptr, false);
    if (value.is_discarded()) return ReadOutcome::malformed;
    auto decoded = gridFromJSON(value);
    if (!decoded) return ReadOutcome::refused;
    grid = *decoded;
    return ReadOutcome::ok;
}

TEST(LayerJSONText, ReadsGridsExactlyAsTheTreeCodingDoes) {
    const std::vector<std::string> grids = {
        "[]", "[[]]", "[[],[]]", "[[{}]]",
        R"([[{"character":"a"}],[{"character":"b"},{"character":"c"}]])",
        R"([[{"character":null,"foreground":null,"background":null,"blink":null}]])",
        R"([[{"character":"\u00e9","blink":true}]])",
        R"([[{"character":"ab"}]])",
        R"([[{"character":5}]])",
        R"([[{"character":5,"character":"a"}]])",
        R"([[{"character":"a","character":[1]}]])",
        R"([[{"blink":1}]])",
        R"([[{"blink":1,"blink":false}]])",
        R"([[{"foreground":7,"background":-4}]])",
        R"([[{"foreground":"red","background":[1,2]}]])",
        R"([[{"foreground":{"n":3,"type":"ansi256"}}]])",
        R"([[{"foreground":{"type":"ansi256","n":12.0},"background":{"type":"ansi256","n":12.5}}]])",
        R"([[{"foreground":{"type":"truecolor","r":300,"g":1},"background":{"type":"truecolor","r":-1,"g":"x","b":255}}]])",
        R"([[{"foreground":{"type":"ansi16","n":99999999999999999999},"background":{"type":"ansi16","n":-0}}]])",
        R"([[{"foreground":{"type":"ansi16","n":3,"extra":[1,{"a":2}]},"background":{"type":"hsl","n":3}}]])",
        R"([[{"foreground":{"type":null,"n":3},"background":{"type":3}}]])",
        R"([[{"foreground":{"type":"ans\u0069256","n":9},"background":{}}]])",
        R"([[{"zzz":{"deep":[1,2,{"x":null}]},"character":"q"}]])",
        "[null]", "[[null]]", "[[1]]", "[[{}],3]", "{}", "null", "\"cells\"",
        R"([[{"character":"a"}])", R"([[{"character":"a",}]])", "[[{]]", "[[{\"character\":\"\xff\"}]]",
        R"([[{"foreground":{"type":"ansi16","n":01}}]])", R"([[{"foreground":{"type":"ansi16","n":1e400}}]])",
        R"([[{"character":5}],[)",
    };
    for (const auto& text : grids) {
        SCOPED_TRACE(text);
        CellGrid expected, grid;
        const ReadOutcome want = treeGrid(text, expected);
        JsonReader in(text);
        const ReadOutcome got = readGridJSON(in, grid);
        EXPECT_EQ(got, want);
        if (want == ReadOutcome::ok) {
            EXPECT_EQ(grid, expected);
        }
        // A refusal steps over the whole value, so the caller can read on.
        if (want != ReadOutcome::malformed) {
            EXPECT_TRUE(in.atEndOfText());
        }
    }
}

TEST(LayerJSONText, ReadsLayersExactlyAsTheTreeCodingDoes) {
    const std::vector<std::string> layers = {
        R"({"cells":[]})",
        R"({"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","name":"n","visible":false,"cells":[[{}]],
            "rowOffset":1e9,"colOffset":-3.0,"kind":{"type":"terminal"},"historyEnabled":true})",
        R"({"name":7,"visible":"yes","cells":[],"rowOffset":2.5,"kind":"odd","historyEnabled":1})",
        R"({"cells":null,"cells":[[{"character":"x"}]]})",
        R"({"name":"no cells"})", R"({"cells":null})", R"({"cells":[],"cells":null})", R"({"cells":[[5]]})",
        "[]", "null", R"({"cells":[]}x)", R"({"cells":[],})", R"({"name":"\x"})",
    };
    for (const auto& text : layers) {
        SCOPED_TRACE(text);
        const json value = json::parse(text, nullptr, false);
        const ReadOutcome want = value.is_discarded()     ? ReadOutcome::malformed
                                 : layerFromJSON(value) ? ReadOutcome::ok
                                                          : ReadOutcome::refused;
        JsonReader in(text);
        Layer layer;
        ReadOutcome got = readLayerJSON(in, layer);
        if (got != ReadOutcome::malformed && !in.atEndOfText()) got = ReadOutcome::malformed;
        EXPECT_EQ(got, want);
        if (want != ReadOutcome::ok) continue;
        Layer expected = *layerFromJSON(value);
        if (!value.contains("id")) expected.id = layer.id;  // a fresh random id either way
        EXPECT_EQ(layer, expected);
    }
}

}  // namespace layer_json_text_test
}  // namespace glyphloom
