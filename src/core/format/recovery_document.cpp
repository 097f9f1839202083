#include "core/format/recovery_document.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <limits>
#include <string_view>

namespace glyphloom {
namespace {

using nlohmann::json;

constexpr std::string_view infoKey = "recovery";

json infoJson(const RecoveryInfo& info) {
    json out = json::object();
    out["filename"] = info.filename;
    if (info.docDir) out["docDir"] = *info.docDir;
    if (info.sourcePath) out["sourcePath"] = *info.sourcePath;
    out["saveAsGlyphloom"] = info.saveAsGlyphloom;
    out["columns"] = info.columns;
    out["rows"] = info.rows;
    out["layerCount"] = info.layerCount;
    return out;
}

// Collects the flat "recovery" object at the top level of a document and stops the parse
// as soon as it closes, so the (possibly large) layers after it are never read.
class InfoReader : public nlohmann::json_sax<json> {
public:
    json info = json::object();
    bool complete = false;

    bool null() override { return value(nullptr); }
    bool boolean(bool v) override { return value(v); }
    bool number_integer(number_integer_t v) override { return value(v); }
    bool number_unsigned(number_unsigned_t v) override { return value(v); }
    bool number_float(number_float_t v, const string_t&) override { return value(v); }
    bool string(string_t& v) override { return value(v); }
    bool binary(binary_t&) override { return value(nullptr); }
    bool start_object(std::size_t) override { return open(); }
    bool start_array(std::size_t) override { return open(); }
    bool end_object() override { return close(); }
    bool end_array() override { return close(); }
    bool key(string_t& k) override {
        key_ = k;
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override { return false; }

private:
    bool open() {
        ++depth_;
        if (depth_ == 2 && key_ == infoKey) {
            inInfo_ = true;
        } else if (inInfo_) {
            return false;  // the info is flat; anything nested is not ours
        }
        return true;
    }
    bool close() {
        if (inInfo_ && depth_ == 2) {
            complete = true;
            return false;  // done: stop here
        }
        --depth_;
        return true;
    }
    template <typename T>
    bool value(T&& v) {
        if (inInfo_ && depth_ == 2) info[key_] = std::forward<T>(v);
        return true;
    }

    int depth_ = 0;
    bool inInfo_ = false;
    std::string key_;
};

template <typename T>
std::optional<T> field(const json& object, const char* name) {
    const auto it = object.find(name);
    if (it == object.end()) return std::nullopt;
    if constexpr (std::is_same_v<T, std::string>) {
        if (it->is_string()) return it->get<std::string>();
    } else if constexpr (std::is_same_v<T, bool>) {
        if (it->is_boolean()) return it->get<bool>();
    } else {
        // Saturated, never cast blindly: a copy is read from disk like any other file.
        if (it->is_number_integer()) {
            const auto n = it->get<long long>();
            return static_cast<int>(std::clamp<long long>(n, 0, std::numeric_limits<int>::max()));
        }
    }
    return std::nullopt;
}

}  // namespace

std::string recoveryInfoMember(const RecoveryInfo& info) {
    // Replacement, not an exception, for a name that is not UTF-8 (file names can be any bytes).
    return "\"" + std::string(infoKey) + "\":" + infoJson(info).dump(-1, ' ', false, json::error_handler_t::replace);
}

std::optional<RecoveryInfo> readRecoveryInfo(std::span<const std::uint8_t> data) {
    InfoReader reader;
    try {
        json::sax_parse(data.begin(), data.end(), &reader, json::input_format_t::json, false);
    } catch (const json::exception&) {
        return std::nullopt;
    }
    if (!reader.complete) return std::nullopt;
    const json& in = reader.info;
    const auto filename = field<std::string>(in, "filename");
    if (!filename || filename->empty()) return std::nullopt;
    RecoveryInfo info;
    info.filename = *filename;
    info.docDir = field<std::string>(in, "docDir");
    info.sourcePath = field<std::string>(in, "sourcePath");
    info.saveAsGlyphloom = field<bool>(in, "saveAsGlyphloom").value_or(false);
    info.columns = field<int>(in, "columns").value_or(0);
    info.rows = field<int>(in, "rows").value_or(0);
    info.layerCount = field<int>(in, "layerCount").value_or(0);
    return info;
}

}  // namespace glyphloom
