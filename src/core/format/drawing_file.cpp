#include "core/format/drawing_file.hpp"

#include <algorithm>
#include <array>

#include "core/model/model_json.hpp"

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

// The layers array: only the first maxDocumentLayers are decoded, so a file listing
// thousands of layers costs no more than one with seven.
bool readLayers(const json& value, DrawingFile& file) {
    if (!value.is_array()) return false;
    file.layersInFile = static_cast<int>(std::min<std::size_t>(value.size(), 1'000'000'000));
    std::vector<Layer> layers;
    for (const json& item : value) {
        if (static_cast<int>(layers.size()) == maxDocumentLayers) break;
        auto layer = layerFromJSON(item);
        if (!layer) return false;
        layers.push_back(std::move(*layer));
    }
    file.layers = std::move(layers);
    return true;
}

std::optional<DrawingFile> decode(const json& root) {
    if (!root.is_object()) return std::nullopt;
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
    if (const json* layers = keys.present("layers"); layers && !readLayers(*layers, file)) return std::nullopt;
    if (const json* cells = keys.present("cells")) {
        file.cells = gridFromJSON(*cells);
        if (!file.cells) return std::nullopt;
    }
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
        if (sauce->is_object()) file.sourceSauce = sauceRecordFromJSON(*sauce);
        else keys.fail();
    }
    keys.integer("letterSpacing", file.letterSpacing);
    keys.integer("aspectRatio", file.aspectRatio);
    keys.text("sauceFontName", file.sauceFontName);
    if (!keys.ok()) return std::nullopt;

    for (const char* key : carriedKeyNames)
        if (const json* value = presentValue(root, key)) file.carriedKeys[key] = *value;
    return file;
}

}  // namespace

int DrawingFile::safeRows() const { return std::clamp(rows, 1, maxDocumentRows); }
int DrawingFile::safeColumns() const { return std::clamp(columns, 1, maxDocumentColumns); }
CellGrid DrawingFile::emptyGrid() const { return CellGrid(safeRows(), safeColumns()); }

CellGrid DrawingFile::padCrop(const CellGrid& grid, int rows, int columns) {
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

std::optional<std::vector<std::uint8_t>> encodeDrawingFile(const DrawingFile& file) {
    // Readers take the keys in any order; the JSON library writes them sorted.
    json out;
    out["version"] = file.version;
    out["columns"] = file.columns;
    out["rows"] = file.rows;
    if (file.colorDepth) out["colorDepth"] = *file.colorDepth;
    if (file.layers) {
        auto& layers = out["layers"] = json::array();
        for (const Layer& layer : *file.layers) layers.push_back(toJSON(layer));
    }
    if (file.cells) out["cells"] = toJSON(*file.cells);
    auto carried = [&](const char* key) {
        if (const json* value = presentValue(file.carriedKeys, key)) out[key] = *value;
    };
    for (const char* key : carriedKeyNames) carried(key);
    if (file.charCycleSequence) out["charCycleSequence"] = *file.charCycleSequence;
    if (file.backgroundMode) out["backgroundMode"] = *file.backgroundMode;
    if (file.monoTint) out["monoTint"] = *file.monoTint;
    if (file.sauceTitle) out["sauceTitle"] = *file.sauceTitle;
    if (file.sauceComments) out["sauceComments"] = *file.sauceComments;
    if (file.sauceHistory) out["sauceHistory"] = *file.sauceHistory;
    if (file.sourceSauce) out["sourceSauce"] = toJSON(*file.sourceSauce);
    if (file.letterSpacing) out["letterSpacing"] = *file.letterSpacing;
    if (file.aspectRatio) out["aspectRatio"] = *file.aspectRatio;
    if (file.sauceFontName) out["sauceFontName"] = *file.sauceFontName;
    try {
        // Replacement keeps a save going when a cell holds text that is not valid UTF-8.
        const std::string text = out.dump(-1, ' ', false, json::error_handler_t::replace);
        return std::vector<std::uint8_t>(text.begin(), text.end());
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<std::vector<std::uint8_t>> exportGlyphloomData(
    int columns, int rows, const std::vector<Layer>& layers, ColorDepth colorDepth,
    const std::optional<std::string>& charCycleSequence, bool blinkingText, const std::optional<std::string>& monoTint,
    const std::optional<DrawingFile>& carried, const std::string& sauceTitle,
    const std::vector<std::string>& sauceComments, const std::vector<std::string>& sauceHistory,
    LetterSpacing letterSpacing, AspectRatio aspectRatio, const std::string& sauceFontName,
    const std::optional<SauceRecord>& sourceSauce) {
    DrawingFile file;
    file.version = 5;
    file.columns = columns;
    file.rows = rows;
    file.colorDepth = std::string(rawValue(colorDepth));
    file.layers = layers;
    file.charCycleSequence = charCycleSequence;
    file.backgroundMode = blinkingText ? "blinkingText" : "brightBackgrounds";
    file.monoTint = monoTint ? monoTint : (carried ? carried->monoTint : std::nullopt);
    if (!sauceTitle.empty()) file.sauceTitle = sauceTitle;
    if (!sauceComments.empty()) file.sauceComments = sauceComments;
    if (!sauceHistory.empty()) file.sauceHistory = sauceHistory;
    file.sourceSauce = sourceSauce;
    file.letterSpacing = static_cast<int>(letterSpacing);
    file.aspectRatio = static_cast<int>(aspectRatio);
    file.sauceFontName = sauceFontName;
    if (carried) file.carriedKeys = carried->carriedKeys;
    return encodeDrawingFile(file);
}

std::optional<DrawingFile> importGlyphloomData(std::span<const std::uint8_t> data) {
    try {
        const json root = json::parse(data.begin(), data.end(), nullptr, /*allow_exceptions=*/false);
        if (root.is_discarded()) return std::nullopt;
        return decode(root);
    } catch (const std::exception&) {
        // A value the typed accessors refuse (they throw); the document simply does not decode.
        return std::nullopt;
    }
}

}  // namespace glyphloom
