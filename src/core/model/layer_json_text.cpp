#include "core/model/layer_json_text.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>

#include <nlohmann/json.hpp>

#include "core/model/model_json.hpp"
#include "core/text/utf8.hpp"

namespace glyphloom {

using nlohmann::json;

namespace {

// Buffers reused from cell to cell, so reading a grid allocates only for its rows.
struct Scratch {
    std::string key;
    std::string text;
};

ReadOutcome refuseValue(JsonReader& in, std::size_t start) {
    in.rewind(start);
    return in.skipValue() ? ReadOutcome::refused : ReadOutcome::malformed;
}

// The common colour object {"type": …, "n"/"r"/"g"/"b": whole numbers} directly; anything
// else (a bare number, nulls, fractions, nested values) through the tree coding.
std::optional<ANSIColorValue> readColor(JsonReader& in, Scratch& scratch) {
    const std::size_t start = in.position();
    if (in.consume('{')) {
        std::optional<std::string> type;
        std::optional<std::int64_t> n, r, g, b;
        bool common = true;
        if (!in.consume('}')) {
            std::string_view key;
            do {
                if (!in.readKey(key, scratch.key)) return std::nullopt;
                std::optional<std::int64_t>* number = key == "n"   ? &n
                                                      : key == "r" ? &r
                                                      : key == "g" ? &g
                                                      : key == "b" ? &b
                                                                   : nullptr;
                if (key == "type" && in.peek() == '"') {
                    type.emplace();
                    if (!in.readString(&*type)) return std::nullopt;
                } else if (number != nullptr && (*number = in.readPlainInteger())) {
                } else {
                    common = false;
                }
            } while (common && in.consume(','));
            common = common && in.consume('}');
        }
        if (common) return colorFromParts(type, n, r, g, b);
    }
    in.rewind(start);
    const auto value = readTreeJSON(in);
    if (!value) return std::nullopt;
    return colorFromJSON(*value);
}

ReadOutcome readCell(JsonReader& in, ANSICell& cell, Scratch& scratch) {
    const std::size_t start = in.position();
    if (!in.consume('{')) return refuseValue(in, start);
    cell = ANSICell::blank();
    if (in.consume('}')) return ReadOutcome::ok;
    // A later copy of a key replaces an earlier one, as in a JSON object; so a wrong type
    // only counts when it is the last word.
    bool badCharacter = false, badBlink = false;
    std::string_view key;
    do {
        if (!in.readKey(key, scratch.key)) return ReadOutcome::malformed;
        if (key == "character") {
            if (in.peek() == '"') {
                scratch.text.clear();
                if (!in.readString(&scratch.text)) return ReadOutcome::malformed;
                cell.character = CellChar(scratch.text);
                badCharacter = false;
            } else if (in.readLiteral("null")) {
                cell.character = CellChar();
                badCharacter = false;
            } else {
                if (!in.skipValue()) return ReadOutcome::malformed;
                badCharacter = true;
            }
        } else if (key == "foreground" || key == "background") {
            const bool foreground = key == "foreground";
            ANSIColorValue& target = foreground ? cell.foreground : cell.background;
            if (in.readLiteral("null")) {
                target = foreground ? ANSICell::blank().foreground : ANSICell::blank().background;
            } else {
                const auto color = readColor(in, scratch);
                if (!color) return ReadOutcome::malformed;
                target = *color;
            }
        } else if (key == "blink") {
            badBlink = false;
            if (in.readLiteral("true")) cell.blink = true;
            else if (in.readLiteral("false") || in.readLiteral("null")) cell.blink = false;
            else if (in.skipValue()) badBlink = true;
            else return ReadOutcome::malformed;
        } else if (!in.skipValue()) {
            return ReadOutcome::malformed;
        }
    } while (in.consume(','));
    if (!in.consume('}')) return ReadOutcome::malformed;
    return badCharacter || badBlink ? ReadOutcome::refused : ReadOutcome::ok;
}

}  // namespace

namespace {

// The text of one cell, composed in place and put into the document in one piece: cells are
// nearly all of a document, and a dozen small inserts each cost more than the bytes they add.
// A cell written here is at most about 160 bytes.
class CellText {
public:
    void put(std::string_view text) {
        std::memcpy(end_, text.data(), text.size());
        end_ += text.size();
    }
    void put(char c) { *end_++ = c; }
    void integer(std::int64_t value) { end_ = std::to_chars(end_, buffer_ + sizeof buffer_, value).ptr; }
    void scalar(char32_t value) { end_ = encodeScalar(value, end_); }
    void color(const ANSIColorValue& color) {
        switch (color.kind) {
            case ANSIColorValue::Kind::ansi16:
                put(R"({"type":"ansi16","n":)");
                integer(color.n);
                break;
            case ANSIColorValue::Kind::ansi256:
                put(R"({"type":"ansi256","n":)");
                integer(color.n);
                break;
            case ANSIColorValue::Kind::truecolor:
                put(R"({"type":"truecolor","r":)");
                integer(color.r);
                put(R"(,"g":)");
                integer(color.g);
                put(R"(,"b":)");
                integer(color.b);
                break;
        }
        put('}');
    }
    // Moves what has been composed into `out` and starts afresh.
    void moveTo(JsonOut& out) {
        out.put(std::string_view(buffer_, static_cast<std::size_t>(end_ - buffer_)));
        end_ = buffer_;
    }

private:
    char buffer_[256];
    char* end_ = buffer_;
};

}  // namespace

void appendColorJSON(JsonOut& out, const ANSIColorValue& color) {
    CellText text;
    text.color(color);
    text.moveTo(out);
}

void appendCellJSON(JsonOut& out, const ANSICell& cell) {
    CellText text;
    text.put(R"({"character":)");
    const std::optional<char32_t> scalar = cell.character.scalar();
    if (scalar && *scalar >= 0x20 && *scalar != '"' && *scalar != '\\') {
        // Nearly every cell: one printable scalar needs no escaping.
        text.put('"');
        text.scalar(*scalar);
        text.put('"');
    } else {
        text.moveTo(out);
        appendJSONString(out, cell.character.str());
    }
    text.put(R"(,"foreground":)");
    text.color(cell.foreground);
    text.put(R"(,"background":)");
    text.color(cell.background);
    if (cell.blink) text.put(R"(,"blink":true)");
    text.put('}');
    text.moveTo(out);
}

void appendGridJSON(JsonOut& out, const CellGrid& grid) {
    out.put('[');
    for (int r = 0; r < grid.rowCount(); ++r) {
        if (r > 0) out.put(',');
        out.put('[');
        bool first = true;
        for (const ANSICell& cell : grid.row(r)) {
            if (!first) out.put(',');
            first = false;
            appendCellJSON(out, cell);
        }
        out.put(']');
        out.spill();
    }
    out.put(']');
}

void appendLayerJSON(JsonOut& out, const Layer& layer) {
    out.put(R"({"id":)");
    appendJSONString(out, layer.id.str());
    out.put(R"(,"name":)");
    appendJSONString(out, layer.name);
    out.put(layer.visible ? R"(,"visible":true)" : R"(,"visible":false)");
    out.put(R"(,"cells":)");
    appendGridJSON(out, layer.cells);
    out.put(R"(,"rowOffset":)");
    appendJSONInteger(out, layer.rowOffset);
    out.put(R"(,"colOffset":)");
    appendJSONInteger(out, layer.colOffset);
    if (layer.kind.kind == LayerKind::Kind::terminal) {
        out.put(R"(,"kind":{"type":"terminal","shellPath":)");
        appendJSONString(out, layer.kind.shellPath);
        out.put('}');
    } else {
        out.put(R"(,"kind":{"type":"drawing"})");
    }
    out.put(layer.historyEnabled ? R"(,"historyEnabled":true})" : R"(,"historyEnabled":false})");
}

ReadOutcome readGridJSON(JsonReader& in, CellGrid& out, GridLimits limits) {
    const std::size_t start = in.position();
    if (!in.consume('[')) return refuseValue(in, start);
    std::vector<CellGrid::Row> rows;
    Scratch scratch;
    std::size_t lengthHint = 0;  // rows are usually as long as the one before
    if (!in.consume(']')) {
        do {
            if (!in.consume('[')) return refuseValue(in, start);
            const bool keepRow = rows.size() < limits.rows;
            CellGrid::Row row;
            if (keepRow) row.reserve(std::min(lengthHint, limits.columns));
            if (!in.consume(']')) {
                std::size_t column = 0;
                do {
                    ANSICell cell;
                    switch (readCell(in, cell, scratch)) {
                        case ReadOutcome::ok:
                            if (keepRow && column < limits.columns) row.push_back(cell);
                            ++column;
                            break;
                        case ReadOutcome::refused: return refuseValue(in, start);
                        case ReadOutcome::malformed: return ReadOutcome::malformed;
                    }
                } while (in.consume(','));
                if (!in.consume(']')) return ReadOutcome::malformed;
            }
            if (!keepRow) continue;
            lengthHint = row.size();
            rows.push_back(std::move(row));
        } while (in.consume(','));
        if (!in.consume(']')) return ReadOutcome::malformed;
    }
    out = CellGrid(std::move(rows));
    return ReadOutcome::ok;
}

ReadOutcome readLayerJSON(JsonReader& in, Layer& out, GridLimits limits) {
    const std::size_t start = in.position();
    if (!in.consume('{')) return refuseValue(in, start);
    // The small keys go through the tree coding; only the cells take the fast path.
    json fields = json::object();
    ReadOutcome cellsOutcome = ReadOutcome::refused;  // a missing or null "cells" refuses the layer
    CellGrid cells;
    if (!in.consume('}')) {
        std::string_view key;
        std::string scratch;
        do {
            if (!in.readKey(key, scratch)) return ReadOutcome::malformed;
            if (key == "cells") {
                if (in.readLiteral("null")) {
                    cellsOutcome = ReadOutcome::refused;
                    continue;
                }
                cellsOutcome = readGridJSON(in, cells, limits);
                if (cellsOutcome == ReadOutcome::malformed) return ReadOutcome::malformed;
            } else {
                std::string name(key);
                auto value = readTreeJSON(in);
                if (!value) return ReadOutcome::malformed;
                fields[name] = std::move(*value);
            }
        } while (in.consume(','));
        if (!in.consume('}')) return ReadOutcome::malformed;
    }
    if (cellsOutcome != ReadOutcome::ok) return ReadOutcome::refused;
    out = layerFromJSON(fields, std::move(cells));
    return ReadOutcome::ok;
}

}  // namespace glyphloom
