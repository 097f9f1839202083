// Fetching a font by HTTP(S) on a thread of its own, with a time limit after which the
// request is abandoned. The caller blocks until the data, a failure or the limit arrives.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace glyphloom {

inline constexpr std::chrono::milliseconds fontDownloadLimit{25'000};
// Larger answers are cut off and count as failed.
inline constexpr std::size_t fontDownloadMaxBytes = std::size_t{16} << 20;

struct Download {
    enum class Status { ok, timedOut, failed, unavailable };  // unavailable: no libcurl on this machine
    Status status = Status::failed;
    std::vector<std::uint8_t> data;
    std::optional<std::string> contentDisposition;  // the last response's header value
};

Download downloadURL(const std::string& url, std::chrono::milliseconds limit = fontDownloadLimit);

// The file name a "Content-Disposition" value gives (filename=, quoted or not), if any.
std::optional<std::string> dispositionFileName(const std::string& value);

// The last path component of a URL (no query or fragment); empty when it has none.
std::string urlFileName(const std::string& url);

}  // namespace glyphloom
