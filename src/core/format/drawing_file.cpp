#include "core/format/drawing_file.hpp"

#include <algorithm>
#include <array>

#include <nlohmann/json.hpp>

#include "core/format/preset_bank.hpp"
#include "core/io/large_buffer.hpp"
#include "core/model/json_text.hpp"
#include "core/model/layer_json_text.hpp"
#include "core/model/model_json.hpp"
#include "core/format/preset_json.hpp"
#include "core/model/tool_options_json.hpp"

namespace glyphloom {

using nlohmann::json;

namespace {

// Keys that other parts of the program own; the document only carries them from load to save.
constexpr std::array<const char*, 8> carriedKeyNames = {
    "presets",         "referenceImageData", "referenceVisible", "referenceExcludedFromExport",
    "referenceOffsetX", "referenceOffsetY",  "referenceScale",   "compoMode"};

// Standard base64 (RFC 4648, padding optional, no line breaks); nothing for any other text.
std::optional<std::vector<std::uint8_t>> decodeBase64(const std::string& text) {
    auto value = [](char c) -> int {
        if (c >= 'A' && c <= 'Z') return c - 'A';
        if (c >= 'a' && c <= 'z') return c - 'a' + 26;
        if (c >= '0' && c <= '9') return c - '0' + 52;
        if (c == '+') return 62;
        if (c == '/') return 63;
        return -1;
    };
    std::size_t length = text.size();
    while (length > 0 && text[length - 1] == '=' && text.size() - length < 2) --length;
    if (length % 4 == 1) return std::nullopt;
    std::vector<std::uint8_t> out;
    out.reserve(length / 4 * 3 + 2);
    std::uint32_t bits = 0;
    int count = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const int v = value(text[i]);
        if (v < 0) return std::nullopt;
        bits = (bits << 6) | static_cast<std::uint32_t>(v);
        if (++count == 4) {
            out.push_back(static_cast<std::uint8_t>(bits >> 16));
            out.push_back(static_cast<std::uint8_t>(bits >> 8));
            out.push_back(static_cast<std::uint8_t>(bits));
            bits = 0;
            count = 0;
        }
    }
    if (count == 2) out.push_back(static_cast<std::uint8_t>(bits >> 4));
    if (count == 3) {
        out.push_back(static_cast<std::uint8_t>(bits >> 10));
        out.push_back(static_cast<std::uint8_t>(bits >> 2));
    }
    return out;
}

// Reading one optional key: absent or null leaves the field empty; a present value of the
// wrong type fails the whole document, as a typed decoder would.
class KeyReader {
public:
    explicit KeyReader(const json& object) : object_(object) {}
    bool ok() const { return ok_; }

    void text(const char* key, std::optional<std::string>& field) {
        if (const json* v = present(key)) {
            if (v->is_string()) field = v->get<std::string>();
            else ok_ = false;
        }
    }
    void flag(const char* key, std::optional<bool>& field) {
        if (const json* v = present(key)) {
            if (v->is_boolean()) field = v->get<bool>();
            else ok_ = false;
        }
    }
    void number(const char* key, std::optional<double>& field) {
        if (const json* v = present(key)) {
            if (v->is_number()) field = v->get<double>();
            else ok_ = false;
        }
    }
    void integer(const char* key, std::optional<int>& field) {
        if (const json* v = present(key)) {
            if (auto n = jsonSaturatedInt(*v)) field = *n;
            else ok_ = false;
        }
    }
    void lines(const char* key, std::optional<std::vector<std::string>>& field) {
        const json* v = present(key);
        if (v == nullptr) return;
        if (!v->is_array()) {
            ok_ = false;
            return;
        }
        std::vector<std::string> out;
        for (const json& line : *v) {
            if (!line.is_string()) {
                ok_ = false;
                return;
            }
            out.push_back(line.get<std::string>());
        }
        field = std::move(out);
    }
    const json* present(const char* key) { return presentValue(object_, key); }
    void fail() { ok_ = false; }

private:
    const json& object_;
    bool ok_ = true;
};

// Long lists are read only as far as the editor uses them: the preset slots it has, and the
// lines a SAUCE comment block can hold. The rest is checked as JSON and dropped.
constexpr std::size_t keptPresetSlots = presetSlotCount;
constexpr std::size_t keptCommentLines = 255;
// Rows and cells past the largest canvas are cropped on opening anyway.
constexpr GridLimits documentGridLimits{maxDocumentRows, maxDocumentColumns};

// The next value as a tree, but an array keeps only its first `kept` elements. With
// `stringsOnly`, an element that is not a string fails it, kept or not. Nothing when
// malformed or refused, as the whole document then is.
std::optional<json> readArrayHead(JsonReader& in, std::size_t kept, bool stringsOnly) {
    const std::size_t start = in.position();
    if (!in.consume('[')) {
        in.rewind(start);
        return readTreeJSON(in);  // not an array: the typed readers judge it
    }
    json out = json::array();
    std::size_t count = 0;
    if (!in.consume(']')) {
        do {
            const bool keep = count++ < kept;
            if (stringsOnly) {
                std::string text;
                if (in.peek() != '"' || !in.readString(keep ? &text : nullptr)) return std::nullopt;
                if (keep) out.push_back(std::move(text));
            } else if (keep) {
                auto value = readTreeJSON(in);
                if (!value) return std::nullopt;
                out.push_back(std::move(*value));
            } else if (!in.skipValue()) {
                return std::nullopt;
            }
        } while (in.consume(','));
        if (!in.consume(']')) return std::nullopt;
    }
    return out;
}

// The provenance record, its comment lines cut like the document's own.
std::optional<json> readSauceObject(JsonReader& in) {
    const std::size_t start = in.position();
    if (!in.consume('{')) {
        in.rewind(start);
        return readTreeJSON(in);
    }
    json out = json::object();
    if (!in.consume('}')) {
        std::string_view key;
        std::string scratch;
        do {
            if (!in.readKey(key, scratch)) return std::nullopt;
            std::string name(key);
            auto value = name == "comments" ? readArrayHead(in, keptCommentLines, true) : readTreeJSON(in);
            if (!value) return std::nullopt;
            out[name] = std::move(*value);
        } while (in.consume(','));
        if (!in.consume('}')) return std::nullopt;
    }
    return out;
}

// The two keys that hold cells, read straight from the text; `outcome` stays `refused` with
// no value for a key that is absent or null.
struct StreamedCells {
    std::optional<std::vector<Layer>> layers;
    int layersInFile = 0;
    bool layersRefused = false;
    std::optional<CellGrid> cells;
    bool cellsRefused = false;
};

// The layers array: only the first maxDocumentLayers are decoded; the rest are checked as
// JSON and counted, so a file listing thousands of layers costs no more memory than seven.
ReadOutcome readLayers(JsonReader& in, StreamedCells& out) {
    const std::size_t start = in.position();
    out.layers.reset();
    out.layersInFile = 0;
    out.layersRefused = false;
    if (in.readLiteral("null")) return ReadOutcome::ok;
    if (!in.consume('[')) {
        in.rewind(start);
        if (!in.skipValue()) return ReadOutcome::malformed;
        out.layersRefused = true;
        return ReadOutcome::refused;
    }
    std::vector<Layer> layers;
    bool refused = false;
    if (!in.consume(']')) {
        do {
            if (out.layersInFile < 1'000'000'000) ++out.layersInFile;
            if (refused || static_cast<int>(layers.size()) == maxDocumentLayers) {
                if (!in.skipValue()) return ReadOutcome::malformed;
                continue;
            }
            Layer layer;
            const ReadOutcome outcome = readLayerJSON(in, layer, documentGridLimits);
            if (outcome == ReadOutcome::malformed) return outcome;
            if (outcome == ReadOutcome::refused) refused = true;
            else layers.push_back(std::move(layer));
        } while (in.consume(','));
        if (!in.consume(']')) return ReadOutcome::malformed;
    }
    out.layersRefused = refused;
    if (!refused) out.layers = std::move(layers);
    return refused ? ReadOutcome::refused : ReadOutcome::ok;
}

ReadOutcome readCells(JsonReader& in, StreamedCells& out) {
    out.cells.reset();
    out.cellsRefused = false;
    if (in.readLiteral("null")) return ReadOutcome::ok;
    CellGrid grid;
    const ReadOutcome outcome = readGridJSON(in, grid, documentGridLimits);
    if (outcome == ReadOutcome::ok) out.cells = std::move(grid);
    out.cellsRefused = outcome == ReadOutcome::refused;
    return outcome;
}

// `root` holds every key but "layers" and "cells", which come read already.
std::optional<DrawingFile> decode(const json& root, StreamedCells streamed) {
    if (!root.is_object() || streamed.layersRefused || streamed.cellsRefused) return std::nullopt;
    DrawingFile file;
    const json* version = presentValue(root, "version");
    const json* columns = presentValue(root, "columns");
    const json* rows = presentValue(root, "rows");
    if (version == nullptr || columns == nullptr || rows == nullptr) return std::nullopt;
    const auto v = jsonSaturatedInt(*version), c = jsonSaturatedInt(*columns), r = jsonSaturatedInt(*rows);
    if (!v || !c || !r) return std::nullopt;
    file.version = *v;
    file.columns = *c;
    file.rows = *r;

    KeyReader keys(root);
    keys.text("colorDepth", file.colorDepth);
    file.layers = std::move(streamed.layers);
    file.layersInFile = streamed.layersInFile;
    file.cells = std::move(streamed.cells);
    if (const json* presets = keys.present("presets")) {
        if (!presets->is_array()) return std::nullopt;
        PresetBank bank;
        for (const json& slot : *presets) bank.push_back(FailablePreset::fromJSON(slot).value);
        file.presets = std::move(bank);
    }
    if (const json* image = keys.present("referenceImageData")) {
        if (!image->is_string()) return std::nullopt;
        file.referenceImageData = decodeBase64(image->get_ref<const std::string&>());
        if (!file.referenceImageData) return std::nullopt;
    }
    keys.flag("referenceVisible", file.referenceVisible);
    keys.flag("referenceExcludedFromExport", file.referenceExcludedFromExport);
    keys.number("referenceOffsetX", file.referenceOffsetX);
    keys.number("referenceOffsetY", file.referenceOffsetY);
    keys.number("referenceScale", file.referenceScale);
    keys.text("charCycleSequence", file.charCycleSequence);
    keys.flag("compoMode", file.compoMode);
    keys.text("backgroundMode", file.backgroundMode);
    keys.text("monoTint", file.monoTint);
    keys.text("sauceTitle", file.sauceTitle);
    keys.lines("sauceComments", file.sauceComments);
    keys.lines("sauceHistory", file.sauceHistory);
    if (const json* sauce = keys.present("sourceSauce")) {
        file.sourceSauce = sauceRecordFromJSON(sauce->dump());
        if (!file.sourceSauce) keys.fail();
    }
    keys.integer("letterSpacing", file.letterSpacing);
    keys.integer("aspectRatio", file.aspectRatio);
    keys.text("sauceFontName", file.sauceFontName);
    if (!keys.ok()) return std::nullopt;

    // Replacement keeps a save going when carried text is not valid UTF-8.
    for (const char* key : carriedKeyNames)
        if (const json* value = presentValue(root, key))
            file.carriedKeys[key] = value->dump(-1, ' ', false, json::error_handler_t::replace);
    return file;
}

}  // namespace

int DrawingFile::safeRows() const { return std::clamp(rows, 1, maxDocumentRows); }
int DrawingFile::safeColumns() const { return std::clamp(columns, 1, maxDocumentColumns); }
CellGrid DrawingFile::emptyGrid() const { return CellGrid(safeRows(), safeColumns()); }

CellGrid DrawingFile::padCrop(const CellGrid& grid, int rows, int columns) {
    // A grid of the right shape already (as every saved layer is) is kept, sharing its rows.
    bool fits = grid.rowCount() == rows;
    for (int r = 0; fits && r < rows; ++r) fits = grid.rowLength(r) == columns;
    if (fits) return grid;
    CellGrid out(rows, columns);
    const int shared = std::min(rows, grid.rowCount());
    for (int r = 0; r < shared; ++r) {
        const CellGrid::Row& source = grid.row(r);
        const auto n = std::min<std::size_t>(source.size(), static_cast<std::size_t>(std::max(columns, 0)));
        if (n == 0) continue;
        CellGrid::Row& target = out.mutableRow(r);
        std::copy_n(source.begin(), n, target.begin());
    }
    return out;
}

std::vector<Layer> DrawingFile::resolveLayers() const {
    const int r = safeRows(), c = safeColumns();
    if (layers && !layers->empty()) {
        std::vector<Layer> out = *layers;
        if (static_cast<int>(out.size()) > maxDocumentLayers) out.resize(maxDocumentLayers);
        for (Layer& layer : out) layer.cells = padCrop(layer.cells, r, c);
        return out;
    }
    if (cells) return {Layer("Layer 1", padCrop(*cells, r, c))};
    return {Layer("Layer 1", emptyGrid())};
}

namespace {

// The document's JSON into `out`; `leadingMembers` go in before the document's own keys.
void appendDrawingFileJSON(JsonOut& out, const DrawingFile& file, std::string_view leadingMembers) {
    bool first = true;
    out.put('{');
    if (!leadingMembers.empty()) {
        out.put(leadingMembers);
        first = false;
    }
    auto key = [&](const char* name) {
        out.put(first ? "\"" : ",\"");
        first = false;
        out.put(name);
        out.put("\":");
    };
    auto text = [&](const char* name, const std::optional<std::string>& value) {
        if (!value) return;
        key(name);
        appendJSONString(out, *value);
    };
    auto integer = [&](const char* name, std::optional<std::int64_t> value) {
        if (!value) return;
        key(name);
        appendJSONInteger(out, *value);
    };
    auto lines = [&](const char* name, const std::optional<std::vector<std::string>>& value) {
        if (!value) return;
        key(name);
        out.put('[');
        for (std::size_t i = 0; i < value->size(); ++i) {
            if (i > 0) out.put(',');
            appendJSONString(out, (*value)[i]);
        }
        out.put(']');
    };
    auto carried = [&](const char* name) {
        const auto found = file.carriedKeys.find(name);
        if (found == file.carriedKeys.end()) return;
        key(name);
        out.put(found->second);
    };

    integer("version", file.version);
    integer("columns", file.columns);
    integer("rows", file.rows);
    text("colorDepth", file.colorDepth);
    if (file.layers) {
        key("layers");
        out.put('[');
        for (std::size_t i = 0; i < file.layers->size() && !out.sinkFailed; ++i) {
            if (i > 0) out.put(',');
            appendLayerJSON(out, (*file.layers)[i]);
        }
        out.put(']');
    }
    if (file.cells) {
        key("cells");
        appendGridJSON(out, *file.cells);
    }
    for (const char* name : carriedKeyNames)
        if (std::string_view(name) != "compoMode") carried(name);
    text("charCycleSequence", file.charCycleSequence);
    carried("compoMode");
    text("backgroundMode", file.backgroundMode);
    text("monoTint", file.monoTint);
    text("sauceTitle", file.sauceTitle);
    lines("sauceComments", file.sauceComments);
    lines("sauceHistory", file.sauceHistory);
    if (file.sourceSauce) {
        key("sourceSauce");
        out.put(sauceRecordJSON(*file.sourceSauce));
    }
    integer("letterSpacing", file.letterSpacing);
    integer("aspectRatio", file.aspectRatio);
    text("sauceFontName", file.sauceFontName);
    out.put('}');
}

}  // namespace

std::optional<std::vector<std::uint8_t>> encodeDrawingFile(const DrawingFile& file, std::string_view leadingMembers) {
    try {
        JsonOut out;
        std::size_t cellCount = 0;
        auto count = [&cellCount](const CellGrid& grid) {
            for (int r = 0; r < grid.rowCount(); ++r) cellCount += grid.row(r).size();
        };
        if (file.layers)
            for (const Layer& layer : *file.layers) count(layer.cells);
        if (file.cells) count(*file.cells);
        // A cell object takes 60–150 bytes. Reserving generously costs nothing until written;
        // a buffer outgrown is copied whole.
        reserveLargeBuffer(out.bytes, 4096 + leadingMembers.size() + cellCount * 128);
        appendDrawingFileJSON(out, file, leadingMembers);
        return std::move(out.bytes);
    } catch (const std::exception&) {
        // Out of memory for a document this size: the save reports failure instead.
        return std::nullopt;
    }
}

bool streamDrawingFile(const DrawingFile& file, const ByteSink& sink, std::string_view leadingMembers) {
    try {
        JsonOut out;
        out.sink = sink;
        // The window plus the widest row a document may hold, so it never grows while in use.
        out.bytes.reserve(JsonOut::spillBytes + 256u * 1024);
        appendDrawingFileJSON(out, file, leadingMembers);
        return out.flush();
    } catch (const std::exception&) {
        return false;
    }
}

std::optional<DrawingFile> importGlyphloomData(std::span<const std::uint8_t> data) {
    try {
        // Walk the top-level object: the cell-bearing keys are read straight into cells, the
        // small ones become a JSON tree for the typed readers above.
        JsonReader in(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
        in.skipByteOrderMark();
        if (!in.consume('{')) return std::nullopt;
        json root = json::object();
        StreamedCells streamed;
        if (!in.consume('}')) {
            std::string_view key;
            std::string scratch;
            do {
                if (!in.readKey(key, scratch)) return std::nullopt;
                if (key == "layers") {
                    if (readLayers(in, streamed) == ReadOutcome::malformed) return std::nullopt;
                } else if (key == "cells") {
                    if (readCells(in, streamed) == ReadOutcome::malformed) return std::nullopt;
                } else {
                    std::string name(key);
                    std::optional<json> value;
                    if (name == "presets") value = readArrayHead(in, keptPresetSlots, false);
                    else if (name == "sauceComments" || name == "sauceHistory")
                        value = readArrayHead(in, keptCommentLines, true);
                    else if (name == "sourceSauce") value = readSauceObject(in);
                    else value = readTreeJSON(in);
                    if (!value) return std::nullopt;
                    root[name] = std::move(*value);
                }
            } while (in.consume(','));
            if (!in.consume('}')) return std::nullopt;
        }
        if (!in.atEndOfText()) return std::nullopt;
        return decode(root, std::move(streamed));
    } catch (const std::exception&) {
        // A value the typed accessors refuse (they throw), or no memory for the cells.
        return std::nullopt;
    }
}

}  // namespace glyphloom
